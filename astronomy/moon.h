// The Moon's position at a moment of birth, for filling the input fields from a birth time: the
// apparent tropical longitude (true equinox of date) from the Swiss Ephemeris (ephemeris.h), its
// rounding to whole arc-seconds in a sign, the sidereal position under a chosen ayanamsa, and what
// the calculation will make of the fields that hold it (sidereal longitude, nakshatra and lord).
//
// Time scales, on the IAU's standard routines (ERFA). A moment is given on the civil time scale of
// its date: UTC from 1960-01-01 on, mean solar time at Greenwich (UT) before. Terrestrial Time is
// then, from 1960, TT = UTC + (TAI - UTC) + 32.184 s with TAI - UTC from ERFA's own table (the
// drifting offsets of 1960-1971 included; after its last leap second no further ones), and before
// 1960 TT = UT + Delta T with Delta T from the polynomial expressions of Espenak and Meeus. The
// ephemeris is asked at that TT, so that a moment keeps this meaning whatever the library would
// make of a UTC or a UT of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "astronomy/ayanamsa.h"
#include "engine/calculation.h"

namespace zeitrad::astronomy {

// The civil years (the birth's local calendar year, which goes into the year field) that the Moon's
// position is given for.
constexpr int firstYear = 1800;
constexpr int lastYear = 2199;

// A moment on the civil time scale: a Gregorian date and the seconds since its midnight. The
// seconds may carry a fraction (a local mean time offset of 13.41° is 3218.4 s) and may lie outside
// 0 .. 86,400: they are carried into the date in days of 86,400 s, across month and year ends, so
// a local time minus its zone offset, or a moment shifted by -600 s, can be passed as it is.
struct Moment {
    int year = 0, month = 0, day = 0;
    double seconds = 0;

    friend bool operator==(const Moment&, const Moment&) = default;
};

// A Julian date in two parts, first + second, as ERFA takes it.
struct JulianDate {
    double first = 0, second = 0;
};

// A longitude rounded to whole arc-seconds and split as the input fields hold it.
struct SignPosition {
    int sign = 1;    // 1 (Widder) .. 12 (Fische)
    int degrees = 0; // 0 .. 29
    int minutes = 0; // 0 .. 59
    int seconds = 0; // 0 .. 59

    friend bool operator==(const SignPosition&, const SignPosition&) = default;
};

// What the calculation makes of a tropical position in the input fields (in tenths of an
// arc-second, as in Result): the ayanamsa of the birth year, the sidereal longitude, the nakshatra
// holding it and its lord.
struct SiderealReading {
    std::int64_t ayanamsa = 0;
    std::int64_t longitude = 0; // 0 .. 12,959,999
    int nakshatra = 0;          // 1 .. 27
    int lord = 0;               // planet index 1 .. 9

    friend bool operator==(const SiderealReading&, const SiderealReading&) = default;
};

// Everything the birth-time dialog shows for one moment.
struct Position {
    Moment moment;         // the moment given, its seconds carried into the date: 0 <= s < 86,400
    double longitude = 0;  // apparent tropical longitude in degrees, 0 <= longitude < 360
    SignPosition tropical; // the longitude rounded to the nearest whole arc-second
    Ayanamsa ayanamsa = Ayanamsa::zeitrad;
    // Zeitrad's own: the civil year's value, and the sidereal position is what the calculation
    // makes of the rounded tropical one. Any other: the library's value at the moment, and the
    // sidereal position is the longitude less it, rounded to the nearest whole arc-second.
    double ayanamsaDegrees = 0;
    SignPosition sidereal;
    SiderealReading reading; // what the calculation makes of the fields (fieldsFor)
};

// Where the Moon of a calculation came from, so that the period list can name its ayanamsa and
// say what the others would give (birth/road.h makes it).
struct MoonOrigin {
    Ayanamsa ayanamsa = Ayanamsa::zeitrad;
    double longitude = 0;             // the apparent tropical longitude, degrees
    double utcMSecs = 0;              // its moment, ms since 1970 on the civil time scale
    int day = 0, month = 0, year = 0; // the birth's local date
    BirthInput fields;                // the input fields it gave
};

// The Moon at a moment, for a birth whose civil (local) date lies in civilYear, made sidereal by
// the ayanamsa. Refused, with a German message, when the date does not exist, when civilYear lies
// outside firstYear .. lastYear, when the moment's own year lies outside firstYear - 1 ..
// lastYear + 1 (a time zone moves the date by at most a day), or when the ephemeris's data files
// cannot answer.
std::variant<Position, Refusal> position(const Moment& moment, int civilYear,
                                         Ayanamsa ayanamsa = Ayanamsa::zeitrad);

// "Das Jahr 1799 liegt außerhalb des unterstützten Bereichs 1800–2199."
std::string yearOutOfRangeMessage(int year);

// The moment with its seconds carried into the date (0 <= seconds < 86,400); nothing when the date
// does not exist (30 February, month 13) or the seconds are not finite.
std::optional<Moment> normalised(const Moment& moment);

// Terrestrial Time of a normalised moment of the years 1799 .. 2200, by the rules above.
JulianDate terrestrialTime(const Moment& moment);

// Delta T = TT - UT in seconds for a month of the years 1799 .. 1960, from the polynomial for the
// middle of that month (year + (month - 0.5) / 12).
double deltaT(int year, int month);

// The Moon's apparent geocentric longitude for an instant in TT, from the ephemeris: degrees,
// 0 <= longitude < 360; refused when its data files cannot answer.
Refused<double> apparentLongitude(JulianDate tt);

// A longitude in degrees rounded to the nearest whole arc-second (halves up), carried into minutes,
// degrees and sign: 359°59′59.6″ becomes Widder 0°0′0″.
SignPosition roundToArcSecond(double longitude);

// What the calculation makes of the tropical position in the fields for a birth in civilYear.
SiderealReading siderealReading(const SignPosition& tropical, int civilYear);

// The input fields as the dialog fills them: the civil date, the position, tropical ticked.
BirthInput fieldsFor(const SignPosition& tropical, int day, int month, int year);
// The same for a position: under Zeitrad's own ayanamsa the tropical position with "tropisch"
// ticked, under any other the sidereal one with it unticked, so that the calculation takes it as
// it stands.
BirthInput fieldsFor(const Position& position, int day, int month, int year);

} // namespace zeitrad::astronomy
