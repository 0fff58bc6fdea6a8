// Calendar dates of the proleptic Gregorian calendar, the years 1 to 9999, and the day on which an
// age of the 360-day calendar falls.
#pragma once

#include <compare>
#include <cstdint>

namespace zeitrad {

constexpr int firstYear = 1;
constexpr int lastYear = 9999;

// A day of the proleptic Gregorian calendar: the Gregorian leap-year rule applied to every year,
// also to those before its introduction.
struct CivilDate {
    int year = 0, month = 0, day = 0;

    // Field by field in this order, which is the order of the days for valid dates.
    friend constexpr auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

constexpr bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of the month (1..12) in the year; 0 for a month outside 1..12.
constexpr int daysInMonth(int year, int month) {
    constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// A date that exists, in the years 1 to 9999.
constexpr bool isValid(const CivilDate& d) {
    return d.year >= firstYear && d.year <= lastYear && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

// Days from 1 January 1970 to a valid date (negative before it). The year is counted from
// 1 March, so that the leap day is the last day of its year and the lengths of the months from
// March on follow the rule 153 days in five months; 400 years make 146,097 days.
constexpr std::int64_t daysFromCivil(const CivilDate& d) {
    const std::int64_t y = d.year - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;                                // 0..399
    const std::int64_t monthFromMarch = d.month > 2 ? d.month - 3 : d.month + 9; // 0..11
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + d.day - 1;   // 0..365
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468; // 719,468: 1 March of year 0 to 1 January 1970
}

// The date that lies the given number of days after 1 January 1970 (before it when negative).
constexpr CivilDate civilFromDays(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097; // 0..146096
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365; // 0..399
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153; // 0..11
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

// How long a year of the dasa scheme is on the calendar. The values are stored in the settings:
// keep them.
enum class YearLength {
    // One mean Gregorian year: 360 days of age are 365.2425 calendar days, 144,000 days of age
    // (400 years) exactly 146,097.
    solar = 0,
    gregorian = solar,
    // "360 Tage": every day of age is one calendar day.
    days360 = 1,
    // The Julian year of 365.25 days, the tropical year of 365.2422 and the sidereal year of
    // 365.25636 days, as other programs offer them.
    julian = 2,
    tropical = 3,
    sidereal = 4,
};

// The year lengths in the order a choice offers them.
constexpr YearLength yearLengths[] = {YearLength::days360, YearLength::gregorian,
                                      YearLength::julian, YearLength::tropical,
                                      YearLength::sidereal};

// The calendar days of one year of the scheme, in hundred-thousandths of a day: 36,524,250 for
// the Gregorian year. Exact: no length needs more than five decimals.
constexpr std::int64_t yearLengthHundredThousandths(YearLength length) {
    switch (length) {
    case YearLength::days360:
        return 36'000'000;
    case YearLength::julian:
        return 36'525'000;
    case YearLength::tropical:
        return 36'524'220;
    case YearLength::sidereal:
        return 36'525'636;
    case YearLength::solar:
        break;
    }
    return 36'524'250;
}

// Calendar days from birth to the day on which an age of `ageDays` (>= 0) days falls: the age
// times the year length over 360, the fraction of a day dropped.
constexpr std::int64_t calendarDaysOfAge(std::int64_t ageDays, YearLength length) {
    return ageDays * yearLengthHundredThousandths(length) / 36'000'000;
}

} // namespace zeitrad
