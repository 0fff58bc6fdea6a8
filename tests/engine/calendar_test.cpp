// The 360-day calendar: the normal form of an age and the normalising routine of the run state.
#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/runstate.h"

namespace {

using zeitrad::AgeTriple;
using zeitrad::RunState;

// The normalisation counted off in 30-day steps, the way it is described for the run state: it
// is the yardstick the closed form has to match.
AgeTriple countOff(int days) {
    int months = 0, years = 0;
    do {
        if (days > 30) {
            days -= 30;
            months += 1;
            if (months > 12) {
                years += 1;
                months -= 12;
            }
        }
    } while (days > 30);
    if (months >= 12) {
        months -= 12;
        years += 1;
    }
    return {years, months, days};
}

AgeTriple viaRunState(int days) {
    RunState s;
    s.workDays = days;
    s.workMonths = 0;
    s.workYears = 0;
    s.motagkor();
    return {s.workYears, s.workMonths, s.workDays};
}

struct Case {
    int days;
    AgeTriple age;
};

class Normalisation : public testing::TestWithParam<Case> {};

TEST_P(Normalisation, GivesTheNormalTriple) {
    const Case c = GetParam();
    EXPECT_EQ(AgeTriple::fromDays(c.days), c.age);
    EXPECT_EQ(viaRunState(c.days), c.age);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Normalisation,
    testing::Values(Case{0, {0, 0, 0}}, Case{1, {0, 0, 1}}, Case{30, {0, 0, 30}},
                    Case{31, {0, 1, 1}}, Case{60, {0, 1, 30}}, Case{61, {0, 2, 1}},
                    Case{330, {0, 10, 30}}, Case{331, {0, 11, 1}}, Case{360, {0, 11, 30}},
                    Case{361, {1, 0, 1}}, Case{390, {1, 0, 30}}, Case{391, {1, 1, 1}},
                    Case{720, {1, 11, 30}}, Case{721, {2, 0, 1}}, Case{1970, {5, 5, 20}},
                    Case{2520, {6, 11, 30}}, Case{43200, {119, 11, 30}},
                    // Counts of 30 days or less, negative ones included, pass through unchanged.
                    Case{-1, {0, 0, -1}}, Case{-30, {0, 0, -30}}, Case{-400, {0, 0, -400}}));

TEST(Normalisation, ClosedFormMatchesCountingOffForEveryCountUpTo120Years) {
    for (int d = -500; d <= 43200; ++d) {
        const AgeTriple expected = countOff(d);
        const AgeTriple closed = AgeTriple::fromDays(d);
        ASSERT_EQ(closed, expected) << d << " days";
        ASSERT_EQ(viaRunState(d), expected) << d << " days";
        ASSERT_EQ(closed.totalDays(), d) << d << " days";
        if (d > 30) {
            ASSERT_GE(closed.days, 1) << d;
            ASSERT_LE(closed.days, 30) << d;
            ASSERT_GE(closed.months, 0) << d;
            ASSERT_LE(closed.months, 11) << d;
        }
    }
}

TEST(AgeTriple, TotalDaysCountsYearsOf360AndMonthsOf30Days) {
    EXPECT_EQ((AgeTriple{1, 0, 0}).totalDays(), 360);
    EXPECT_EQ((AgeTriple{0, 1, 0}).totalDays(), 30);
    EXPECT_EQ((AgeTriple{5, 5, 20}).totalDays(), 1970);
    // A triple outside the normal form still counts its days.
    EXPECT_EQ((AgeTriple{0, 14, 45}).totalDays(), 465);
}

} // namespace
