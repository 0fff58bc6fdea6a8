// Reading the input fields: the integer conversion of their texts and the forming of the Moon's
// sidereal longitude. All arcs are in tenths of an arc-second (see arcs.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/arcs.h"

namespace zeitrad {

// The value of an integer field: an optional '+' or '-' followed by one or more ASCII digits and
// nothing else, within the range of a 32-bit int. Anything else, the empty text included, has none.
std::optional<int> toInteger(std::string_view text);

// "'<text>' ist kein gültiger Integerwert", the text exactly as typed.
std::string notAnIntegerMessage(std::string_view text);

// The message for a position that does not lie on the circle 0° <= longitude < 360°.
std::string longitudeOutOfRangeMessage(bool tropical);

// Degrees that the chosen sign adds: none or 1 (Widder) add nothing, sign n adds 30 x (n - 1).
constexpr int signDegrees(int sign) {
    return sign >= 2 && sign <= 12 ? 30 * (sign - 1) : 0;
}

// The ayanamsa of a birth year: 22°27′38″ in 1900, growing by 50.3″ a year (smaller before 1900).
constexpr std::int64_t ayanamsaForYear(int year) {
    return ayanamsaIn1900 + (static_cast<std::int64_t>(year) - 1900) * ayanamsaPerYear;
}

// Degrees, minutes and seconds (each may lie outside its natural range) as one arc.
constexpr std::int64_t arcOf(std::int64_t degrees, std::int64_t minutes, std::int64_t seconds) {
    return degrees * tenthsPerDegree + minutes * tenthsPerArcMinute + seconds * tenthsPerArcSecond;
}

// A tropical longitude made sidereal: the ayanamsa is subtracted, going once round the circle
// when the longitude is smaller than the ayanamsa.
constexpr std::int64_t siderealFromTropical(std::int64_t tropical, std::int64_t ayanamsa) {
    return tropical >= ayanamsa ? tropical - ayanamsa : tropical + tenthsPerCircle - ayanamsa;
}

constexpr bool onCircle(std::int64_t longitude) {
    return longitude >= 0 && longitude < tenthsPerCircle;
}

} // namespace zeitrad
