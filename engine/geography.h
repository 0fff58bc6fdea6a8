// A birth place's geographic longitude as a user types it, for local mean time.
#pragma once

#include <string_view>

#include "engine/refusal.h"

namespace zeitrad {

// Degrees east of Greenwich (west negative), -180 <= value <= 180.
struct GeoLongitude {
    double degrees = 0;
};

// The refusal when no longitude is given where one is needed.
inline constexpr std::string_view noLongitudeMessage =
    "Bitte die geographische Länge des Geburtsorts angeben (Osten positiv), z. B. 13.4.";

// Reads "13.4", "13,4", "-73.99", "13°24'", "13°24'30\"", "13 24 O", "73 59 W", "13.4 E": a
// decimal number of degrees, or degrees with minutes (and seconds) separated by blanks or the
// marks ° ' ", optionally followed by O or E (east) or W (west) instead of a sign. Nothing at all,
// anything else or a value outside -180..180 gives the German message that says what is wrong.
Refused<GeoLongitude> parseGeoLongitude(std::string_view text);

// The offset of local mean time from Universal Time at that longitude: 4 minutes a degree.
constexpr double localMeanTimeOffsetSeconds(GeoLongitude longitude) {
    return longitude.degrees * 240.0;
}

} // namespace zeitrad
