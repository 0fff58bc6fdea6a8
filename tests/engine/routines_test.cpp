// The two routines that extend the chain of periods: the length look-up and the step to the next
// antardasa.
#include <gtest/gtest.h>

#include "engine/runstate.h"

namespace {

using namespace zeitrad;

TEST(Searchantar, LooksUpEveryPair) {
    RunState s;
    for (int m = 1; m <= planetCount; ++m) {
        for (int a = 1; a <= planetCount; ++a) {
            s.lookupMaha = m;
            s.lookupSub = a;
            s.searchantar();
            EXPECT_EQ(s.antarLength, 3 * dasaYears[m] * dasaYears[a]) << m << "/" << a;
        }
    }
}

TEST(Searchantar, LeavesTheLengthForAPairOutsideThePlanets) {
    for (auto [m, a] : {std::pair{0, 1}, {10, 1}, {-1, 1}, {1, 0}, {1, 10}}) {
        RunState s;
        s.antarLength = 777;
        s.lookupMaha = m;
        s.lookupSub = a;
        s.searchantar();
        EXPECT_EQ(s.antarLength, 777) << m << "/" << a;
    }
}

TEST(Nextantar, AddsTheLengthToTheCellAndWritesTheNextOne) {
    RunState s;
    s.cellYears[10] = 5;
    s.cellMonths[10] = 5;
    s.cellDays[10] = 20; // 1970 days
    s.cellYears[12] = 99;
    s.cellIndex = 10;
    s.lookupMaha = Surya;
    s.lookupSub = Chandra;
    s.antarLength = 108;
    s.cellLord = Surya;
    s.nextantar();
    EXPECT_EQ(s.cellYears[11], 5);
    EXPECT_EQ(s.cellMonths[11], 9);
    EXPECT_EQ(s.cellDays[11], 8); // 2078 days
    EXPECT_EQ(s.cellLord, Chandra);
    // The cell it started from, the cells beyond and the look-up pair stay as they were.
    EXPECT_EQ(s.cellDays[10], 20);
    EXPECT_EQ(s.cellYears[12], 99);
    EXPECT_EQ(s.cellIndex, 10);
    EXPECT_EQ(s.lookupMaha, Surya);
    EXPECT_EQ(s.lookupSub, Chandra);
    EXPECT_EQ(s.antarLength, 108);
}

TEST(Nextantar, KeepsTheNormalFormAcrossAWholeYear) {
    RunState s;
    s.cellDays[3] = 30; // (0, 0, 30)
    s.cellIndex = 3;
    s.antarLength = 330;
    s.cellLord = Buddha;
    s.nextantar();
    EXPECT_EQ(s.cellLord, Ketu);
    EXPECT_EQ((AgeTriple{s.cellYears[4], s.cellMonths[4], s.cellDays[4]}), (AgeTriple{0, 11, 30}));
    s.cellIndex = 4;
    s.antarLength = 1;
    s.nextantar();
    EXPECT_EQ((AgeTriple{s.cellYears[5], s.cellMonths[5], s.cellDays[5]}), (AgeTriple{1, 0, 1}));
}

} // namespace
