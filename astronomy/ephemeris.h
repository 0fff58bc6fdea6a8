// The Swiss Ephemeris (Debian's libswe, linked statically) and its data files: the Moon's apparent
// geocentric longitude at an instant in TT, and the ayanamsas the library defines.
//
// The library keeps global state (its open files, the sidereal mode, caches) and is not
// thread-safe: every call into it is made here, under one mutex, so that the place field's thread,
// the atlas's and the window may all ask. The data files are opened at the first question, never
// before: nothing of them is touched while the window starts.
//
// Only the Swiss Ephemeris's own files count. When they are missing or damaged the library would
// quietly compute with its built-in, less precise series instead; the flags it returns show it,
// and the answer is then a German refusal, never that other position.
#pragma once

#include <string>

#include "astronomy/ayanamsa.h"
#include "engine/refusal.h"

namespace zeitrad::astronomy {

// Where the data files are looked for: the library's environment variable SE_EPHE_PATH, which it
// puts first, else the folder set last, else Debian's /usr/share/libswe/ephe (swe-basic-data).
std::string ephemerisFolder();
// Another folder, from the next question on (the files open anew); empty: the default again.
void setEphemerisFolder(const std::string& folder);

// The Moon's apparent geocentric longitude (true equinox and ecliptic of date, light time,
// aberration and nutation applied) for an instant in TT as a Julian date in two parts: degrees,
// 0 <= longitude < 360.
Refused<double> moonLongitude(double tt1, double tt2);

// The ayanamsa at an instant in TT, in degrees, with the nutation in longitude, so that the
// apparent longitude less it is the sidereal one. Not for Ayanamsa::zeitrad, whose formula
// belongs to the calculation (refused).
Refused<double> ayanamsaAt(Ayanamsa ayanamsa, double tt1, double tt2);

} // namespace zeitrad::astronomy
