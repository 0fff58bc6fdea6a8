// The engine against a second computation of the same rules on many inputs: chosen edge cases,
// the defaults, tropical positions and random field texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

#include "agreement.h"
#include "engine/calculation.h"

namespace {

using namespace zeitrad;

struct Typed {
    BirthInput input;
    reference::Position position;
};

// Fills the fields with the position and date as a user would type them; an empty first field
// of a group leaves the defaults, as in the reference position.
Typed typed(int sign, std::string deg, std::string min, std::string sec, bool tropical,
            std::string day = "", std::string month = "", std::string year = "") {
    Typed t;
    t.input = BirthInput{day, month, year, deg, min, sec, sign, tropical};
    t.position.sign = sign;
    t.position.tropical = tropical;
    if (!deg.empty()) {
        t.position.degrees = std::stoll(deg);
        t.position.minutes = std::stoll(min);
        t.position.seconds = std::stoll(sec);
    }
    if (!day.empty()) {
        t.position.year = std::stoll(year);
    }
    return t;
}

void expectAgreement(const Typed& t) {
    Engine engine;
    const Outcome out = engine.calculate(t.input);
    const std::optional<reference::Expected> expected = reference::compute(t.position);
    const std::string where = "sign " + std::to_string(t.input.sign) + " '" + t.input.degrees +
                              "' '" + t.input.minutes + "' '" + t.input.seconds + "'" +
                              (t.input.tropical ? " tropical, year '" + t.input.year + "'" : "");
    if (!expected) {
        EXPECT_TRUE(std::holds_alternative<Refusal>(out)) << where << ": off the circle";
        return;
    }
    const Result* r = std::get_if<Result>(&out);
    ASSERT_NE(r, nullptr) << where << ": refused " << std::get<Refusal>(out).message;
    const std::string problem = disagreement(*r, *expected);
    EXPECT_TRUE(problem.empty()) << where << ": " << problem;
}

TEST(Agreement, Defaults) {
    expectAgreement(typed(0, "", "", "", false));
    expectAgreement(typed(0, "", "", "", true));
    for (int sign = 0; sign <= 12; ++sign) {
        expectAgreement(typed(sign, "", "", "", false));
        expectAgreement(typed(sign, "", "", "", true));
    }
}

TEST(Agreement, EdgesOfEveryNakshatra) {
    // The first and last whole second of each nakshatra, and the seconds around the points where
    // the days already run reach an antardasa boundary exactly.
    for (int n = 1; n <= 27; ++n) {
        const long start = 48000L * (n - 1);
        for (long s : {start, start + 1, start + 47999}) {
            const int sign = static_cast<int>(s / 108000) + 1;
            const long in = s % 108000;
            expectAgreement(typed(sign, std::to_string(in / 3600), std::to_string(in / 60 % 60),
                                  std::to_string(in % 60), false));
        }
        const int lord = (n - 1) % 9 + 1;
        long cumulative = 0;
        for (int i = 0; i < 8; ++i) {
            cumulative += antarDays[lord][(lord - 1 + i) % 9 + 1];
            // Seconds past the start at which the days run reach `cumulative`, when whole.
            const long num = cumulative * 48000;
            const long den = 360L * dasaYears[lord];
            for (long passed : {num / den - 1, num / den, num / den + 1}) {
                const long s = start + passed;
                const int sign = static_cast<int>(s / 108000) + 1;
                const long in = s % 108000;
                expectAgreement(typed(sign, std::to_string(in / 3600), std::to_string(in / 60 % 60),
                                      std::to_string(in % 60), false));
            }
        }
    }
}

TEST(Agreement, TropicalPositionsAcrossTheYears) {
    for (int year : {1, 1700, 1800, 1899, 1900, 1901, 1950, 1969, 2000, 2012, 2100, 2500, 5000}) {
        for (int sign : {0, 1, 4, 7, 12}) {
            for (const char* deg : {"0", "1", "22", "29"}) {
                expectAgreement(typed(sign, deg, "27", "38", true, "1", "1", std::to_string(year)));
                expectAgreement(typed(sign, deg, "0", "0", true, "1", "1", std::to_string(year)));
            }
        }
    }
}

TEST(Agreement, RandomFieldTexts) {
    std::mt19937 rng(20121223);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    // Numbers as a user might type them: plain, with a sign or with leading zeros.
    auto text = [&](int value) {
        std::string t = std::to_string(value);
        switch (pick(0, 5)) {
        case 0:
            return value >= 0 ? "+" + t : t;
        case 1:
            return value >= 0 ? "0" + t : t;
        default:
            return t;
        }
    };
    for (int i = 0; i < 20000; ++i) {
        const bool tropical = pick(0, 1) == 1;
        const bool datePresent = pick(0, 3) != 0;
        const bool positionPresent = pick(0, 9) != 0;
        const int sign = pick(0, 12);
        // Mostly natural ranges, sometimes far outside them.
        const bool wild = pick(0, 9) == 0;
        const int deg = wild ? pick(-40, 400) : pick(0, 29);
        const int min = wild ? pick(-100, 1000) : pick(0, 59);
        const int sec = wild ? pick(-4000, 9000) : pick(0, 59);
        const int year = pick(0, 9) == 0 ? pick(-3000, 30000) : pick(1800, 2100);
        expectAgreement(typed(sign, positionPresent ? text(deg) : "", text(min), text(sec),
                              tropical, datePresent ? text(pick(1, 31)) : "", text(pick(1, 12)),
                              text(year)));
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace
