// A second, deliberately plain computation of a whole Vimsottari result, used to check the engine.
// It works with exact fractions of arc-minutes and days and adds up whole periods from the birth,
// instead of stepping from cell to cell; it shares no code with the engine.
#pragma once

#include <array>
#include <cstdint>
#include <numeric>
#include <optional>

namespace reference {

struct Fraction {
    std::int64_t num = 0, den = 1;

    Fraction(std::int64_t n = 0, std::int64_t d = 1) : num(n), den(d) {
        if (den < 0) {
            num = -num;
            den = -den;
        }
        const std::int64_t g = std::gcd(num, den);
        if (g > 1) {
            num /= g;
            den /= g;
        }
    }
    friend Fraction operator+(Fraction a, Fraction b) {
        return {a.num * b.den + b.num * a.den, a.den * b.den};
    }
    friend Fraction operator-(Fraction a, Fraction b) {
        return {a.num * b.den - b.num * a.den, a.den * b.den};
    }
    friend Fraction operator*(Fraction a, Fraction b) { return {a.num * b.num, a.den * b.den}; }
    friend Fraction operator/(Fraction a, Fraction b) { return {a.num * b.den, a.den * b.num}; }
    friend bool operator<(Fraction a, Fraction b) { return a.num * b.den < b.num * a.den; }
    friend bool operator==(Fraction a, Fraction b) { return a.num == b.num && a.den == b.den; }

    std::int64_t floor() const {
        const std::int64_t q = num / den;
        return (num % den != 0 && num < 0) ? q - 1 : q;
    }
};

// Years of the nine planets in dasa order: Ketu, Sukra, Surya, Chandra, Mangal, Rahu, Guru, Sani,
// Buddha.
constexpr std::array<int, 9> years = {7, 20, 6, 10, 7, 18, 16, 19, 17};

// Planet index 1..9 of the planet `steps` places after p.
inline int after(int p, int steps) {
    return (p - 1 + steps) % 9 + 1;
}

inline int yearsOf(int p) {
    return years[p - 1];
}

// Days of antardasa a in mahadasa m: the mahadasa's share of the 120-year cycle in proportion to
// a's years, on the 360-day year.
inline std::int64_t antardasaDays(int m, int a) {
    const Fraction d = Fraction(yearsOf(m)) * Fraction(yearsOf(a), 120) * Fraction(360);
    return d.floor(); // always whole
}

struct Position {
    int sign = 0; // 0 or 1..12
    std::int64_t degrees = 23, minutes = 1, seconds = 1;
    bool tropical = false;
    std::int64_t year = 2012;
};

struct Expected {
    int nakshatra = 0;
    int lord = 0;
    bool onStart = false;
    std::array<int, 82> lords{};
    std::array<bool, 82> shown{};
    std::array<std::int64_t, 82> days{}; // age in days at which each shown cell's period begins
};

// The sidereal longitude in arc-minutes, or nothing when it lies off the circle.
inline std::optional<Fraction> longitude(const Position& p) {
    const std::int64_t signStart = p.sign >= 2 ? 30 * (p.sign - 1) : 0;
    Fraction arc = Fraction((signStart + p.degrees) * 60 + p.minutes) + Fraction(p.seconds, 60);
    if (p.tropical) {
        // 22°27′38″ in 1900, 50.3″ more for every year after.
        const Fraction ayanamsa = Fraction(22 * 60 + 27) + Fraction(38, 60) +
                                  Fraction(p.year - 1900) * Fraction(503, 600);
        arc = ayanamsa < arc || arc == ayanamsa ? arc - ayanamsa : arc + Fraction(21600) - ayanamsa;
    }
    if (arc < Fraction(0) || !(arc < Fraction(21600))) {
        return std::nullopt;
    }
    return arc;
}

inline std::optional<Expected> compute(const Position& p) {
    const std::optional<Fraction> arc = longitude(p);
    if (!arc) {
        return std::nullopt;
    }
    Expected e;
    e.nakshatra = static_cast<int>((*arc / Fraction(800)).floor()) + 1;
    e.lord = (e.nakshatra - 1) % 9 + 1;
    const Fraction passed = *arc - Fraction(800 * (e.nakshatra - 1));
    e.onStart = passed == Fraction(0);

    // The share of the birth mahadasa already run equals the share of the nakshatra passed.
    const std::int64_t mahaDays = 360 * yearsOf(e.lord);
    const Fraction run = Fraction(mahaDays) * passed / Fraction(800);
    const std::int64_t wholeDaysRun = run.floor();
    const std::int64_t balance = (Fraction(mahaDays) - run).floor();

    // Row 1: the antardasa whose days contain the whole days already run is running at birth.
    std::array<std::int64_t, 10> startOf{}; // day within the mahadasa at which antardasa i begins
    for (int i = 1; i <= 9; ++i) {
        startOf[i] = startOf[i - 1] + antardasaDays(e.lord, after(e.lord, i - 1));
    }
    int running = 0;
    while (startOf[running + 1] <= wholeDaysRun) {
        ++running;
    }
    e.lords[1] = e.lord;
    e.shown[1] = true;
    for (int c = 2; c <= 9; ++c) {
        const int i = running + (c - 2); // antardasa index within the birth mahadasa, from 0
        e.lords[c] = after(e.lord, i);
        e.shown[c] = i <= 8;
        if (e.shown[c]) {
            e.days[c] = c == 2 ? wholeDaysRun - startOf[running] : startOf[i] - wholeDaysRun;
        }
    }

    // Rows 2 to 9: each mahadasa starts where the one before ends, the first one at the balance.
    std::int64_t mahaStart = balance;
    for (int row = 2; row <= 9; ++row) {
        const int m = after(e.lord, row - 1);
        std::int64_t t = mahaStart;
        for (int c = 1; c <= 9; ++c) {
            const int k = 9 * (row - 1) + c;
            e.lords[k] = after(m, c - 1);
            e.shown[k] = true;
            e.days[k] = t;
            t += antardasaDays(m, after(m, c - 1));
        }
        mahaStart += 360 * yearsOf(m);
    }
    return e;
}

// Years, months and days of a day count: whole years of 360 days first, then months of 30 days,
// with the last part of a month shown as 1..30 days and up to 30 days left as days alone.
inline std::array<std::int64_t, 3> ymd(std::int64_t d) {
    if (d <= 30) {
        return {0, 0, d};
    }
    const std::int64_t y = (d - 1) / 360;
    const std::int64_t rest = d - 360 * y;
    const std::int64_t m = (rest - 1) / 30;
    return {y, m, rest - 30 * m};
}

} // namespace reference
