// Reading the input fields: integer conversion, the sign, the ayanamsa and the tropical step.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/input.h"

namespace {

using namespace zeitrad;

struct IntegerCase {
    std::string text;
    std::optional<int> value;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class IntegerField : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerField, ConvertsOnlyASignAndDigits) {
    EXPECT_EQ(toInteger(GetParam().text), GetParam().value) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerField,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{"7", 7}, IntegerCase{"+5", 5},
                    IntegerCase{"-5", -5}, IntegerCase{"-0", 0}, IntegerCase{"007", 7},
                    IntegerCase{"2012", 2012}, IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", -2147483647 - 1},
                    IntegerCase{"000000000000000000000042", 42},
                    // Not integers, or too large for 32 bits.
                    IntegerCase{"", std::nullopt}, IntegerCase{"+", std::nullopt},
                    IntegerCase{"-", std::nullopt}, IntegerCase{"+-1", std::nullopt},
                    IntegerCase{"--1", std::nullopt}, IntegerCase{" 5", std::nullopt},
                    IntegerCase{"5 ", std::nullopt}, IntegerCase{"1.5", std::nullopt},
                    IntegerCase{"1,5", std::nullopt}, IntegerCase{"0x10", std::nullopt},
                    IntegerCase{"1e3", std::nullopt}, IntegerCase{"abc", std::nullopt},
                    IntegerCase{"12a", std::nullopt}, IntegerCase{"\xEF\xBC\x91", std::nullopt},
                    IntegerCase{std::string("1\0", 2), std::nullopt},
                    IntegerCase{"2147483648", std::nullopt},
                    IntegerCase{"-2147483649", std::nullopt},
                    IntegerCase{"99999999999999999999", std::nullopt}));

TEST(IntegerField, MessageQuotesTheTextExactlyAsTyped) {
    EXPECT_EQ(notAnIntegerMessage(""), "'' ist kein gültiger Integerwert");
    EXPECT_EQ(notAnIntegerMessage(" 1a "), "' 1a ' ist kein gültiger Integerwert");
    EXPECT_EQ(notAnIntegerMessage("März"), "'März' ist kein gültiger Integerwert");
}

TEST(Sign, AddsThirtyDegreesPerSignAfterWidder) {
    EXPECT_EQ(signDegrees(0), 0);
    EXPECT_EQ(signDegrees(1), 0);
    EXPECT_EQ(signDegrees(2), 30);
    EXPECT_EQ(signDegrees(7), 180);
    EXPECT_EQ(signDegrees(12), 330);
}

TEST(Ayanamsa, GrowsBy50Point3ArcSecondsAYearFrom1900) {
    EXPECT_EQ(ayanamsaForYear(1900), 808580); // 22°27′38″ = 1347.6333…′
    EXPECT_EQ(ayanamsaForYear(2012), 864916); // 1441.5266…′
    EXPECT_EQ(ayanamsaForYear(1800), 758280); // 1263.8′
    EXPECT_EQ(ayanamsaForYear(1901) - ayanamsaForYear(1900), 503);
    // Far-off years do not overflow.
    EXPECT_EQ(ayanamsaForYear(2147483647), 808580 + (2147483647LL - 1900) * 503);
    EXPECT_EQ(ayanamsaForYear(-2147483647 - 1), 808580 + (-2147483648LL - 1900) * 503);
}

TEST(Longitude, AddsDegreesMinutesAndSecondsWithoutLimits) {
    EXPECT_EQ(arcOf(23, 1, 1), 828610); // 1381.0166…′
    EXPECT_EQ(arcOf(0, 75, 0), arcOf(1, 15, 0));
    EXPECT_EQ(arcOf(45, 0, 0), arcOf(15 + 30, 0, 0));
    EXPECT_EQ(arcOf(359, 59, 59), tenthsPerCircle - 10);
    EXPECT_EQ(arcOf(1, -60, 0), 0);
}

TEST(Longitude, TropicalStepSubtractsTheAyanamsaGoingRoundTheCircle) {
    const std::int64_t minute = tenthsPerArcMinute;
    EXPECT_EQ(siderealFromTropical(2000 * minute, 1400 * minute), 600 * minute);
    EXPECT_EQ(siderealFromTropical(1000 * minute, 1400 * minute), 21200 * minute);
    EXPECT_EQ(siderealFromTropical(1400 * minute, 1400 * minute), 0);
    EXPECT_EQ(siderealFromTropical(1400 * minute - 1, 1400 * minute), tenthsPerCircle - 1);
}

TEST(Longitude, OnlyZeroUpToBelow360DegreesLiesOnTheCircle) {
    EXPECT_TRUE(onCircle(0));
    EXPECT_TRUE(onCircle(tenthsPerCircle - 1));
    EXPECT_FALSE(onCircle(-1));
    EXPECT_FALSE(onCircle(tenthsPerCircle));
}

} // namespace
