// The 360-day calendar of the dasa periods: every period boundary is an age since birth, counted in
// whole days and shown as years of 360 days, months of 30 days and days.
#pragma once

namespace zeitrad {

constexpr int daysPerMonth = 30;
constexpr int daysPerYear = 360;

// An age (years, months, days) standing for 360 x years + 30 x months + days days.
//
// fromDays() yields the normal form in which every age is held and shown: a count of 30 days or
// less stays (0, 0, D), negative counts included; above 30 days the days lie in 1..30 and the
// months in 0..11. A whole number of months therefore reads as the month before plus 30 days:
// 30 days are (0, 0, 30) and 360 days are (0, 11, 30).
struct AgeTriple {
    int years = 0, months = 0, days = 0;

    constexpr int totalDays() const { return daysPerYear * years + daysPerMonth * months + days; }
    static constexpr AgeTriple fromDays(int count);

    friend constexpr bool operator==(const AgeTriple&, const AgeTriple&) = default;
};

constexpr AgeTriple AgeTriple::fromDays(int count) {
    if (count <= daysPerMonth) {
        return {0, 0, count};
    }
    // Whole months before the last 1..30 days. The count is positive here, so unsigned division
    // gives the same quotient with a shorter instruction sequence.
    const int months = static_cast<int>(static_cast<unsigned>(count - 1) / daysPerMonth);
    const int days = count - daysPerMonth * months;
    const int years = static_cast<int>(static_cast<unsigned>(months) / 12);
    return {years, months - 12 * years, days};
}

} // namespace zeitrad
