// Arcs on the zodiac, held exactly as whole tenths of an arc-second, and the exact shares of a
// nakshatra that they give.
#pragma once

#include <cstdint>

namespace zeitrad {

// Whole tenths of an arc-second, so that no rounding ever moves a period boundary by a day.
constexpr std::int64_t tenthsPerArcSecond = 10;
constexpr std::int64_t tenthsPerArcMinute = 60 * tenthsPerArcSecond;
constexpr std::int64_t tenthsPerDegree = 60 * tenthsPerArcMinute;
constexpr std::int64_t tenthsPerNakshatra = 800 * tenthsPerArcMinute;    // 13°20′: 480,000
constexpr std::int64_t tenthsPerCircle = 27 * tenthsPerNakshatra;        // 360°: 12,960,000
constexpr std::int64_t ayanamsaIn1900 = (22 * 3600 + 27 * 60 + 38) * 10; // 22°27′38″: 808,580
constexpr std::int64_t ayanamsaPerYear = 503;                            // 50.3″ a year

// A non-negative exact fraction with the denominator 480,000, the tenths of an arc-second in one
// nakshatra: the share of a mahadasa that corresponds to an arc within the nakshatra is a whole
// number of such parts, so it is held without rounding.
struct NakshatraFraction {
    static constexpr std::int64_t denominator = tenthsPerNakshatra;
    std::int64_t numerator = 0;

    // The whole part, truncated toward zero.
    constexpr std::int64_t whole() const { return numerator / denominator; }

    friend constexpr bool operator==(const NakshatraFraction&, const NakshatraFraction&) = default;
};

} // namespace zeitrad
