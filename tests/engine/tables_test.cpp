// The reference tables: the planets in dasa order, the nakshatras and the antardasa lengths.
#include <gtest/gtest.h>

#include <numeric>

#include "engine/tables.h"

namespace {

using namespace zeitrad;

TEST(Planets, YearsAddUpTo120) {
    EXPECT_EQ(std::accumulate(dasaYears.begin() + 1, dasaYears.end(), 0), 120);
}

TEST(Planets, AdvanceWithWrapFollowsTheDasaOrder) {
    EXPECT_EQ(advanceWithWrap(Ketu), Sukra);
    EXPECT_EQ(advanceWithWrap(Sani), Buddha);
    EXPECT_EQ(advanceWithWrap(Buddha), Ketu);
    int p = Ketu;
    for (int i = 0; i < planetCount; ++i) {
        p = advanceWithWrap(p);
    }
    EXPECT_EQ(p, Ketu);
}

TEST(Planets, NamesKeepTheirTrailingBlanks) {
    EXPECT_EQ(planetName[Chandra], "Chandra   ");
    EXPECT_EQ(planetName[Chandra].size(), 10u);
    EXPECT_EQ(planetName[Guru].size(), 15u);
    EXPECT_EQ(planetName[Sani].size(), 15u);
    for (int p : {Ketu, Sukra, Surya, Mangal, Rahu, Buddha}) {
        EXPECT_EQ(planetName[p].size(), 13u) << p;
    }
}

TEST(Nakshatras, LordsRunThroughThePlanetsThreeTimes) {
    EXPECT_EQ(nakshatraLord(1), Ketu);
    EXPECT_EQ(nakshatraLord(10), Ketu);
    EXPECT_EQ(nakshatraLord(19), Ketu);
    EXPECT_EQ(nakshatraLord(2), Sukra);
    EXPECT_EQ(nakshatraLord(26), Sani);
    EXPECT_EQ(nakshatraLord(27), Buddha);
    EXPECT_EQ(nakshatraName[10], "Maghaa");
    EXPECT_EQ(nakshatraName[19], "Mula");
    EXPECT_EQ(nakshatraName[27], "Revati");
}

class AntardasaRow : public testing::TestWithParam<int> {};

TEST_P(AntardasaRow, AddsUpToTheMahadasaAndFollowsTheYears) {
    const int m = GetParam();
    int sum = 0;
    for (int a = 1; a <= planetCount; ++a) {
        EXPECT_EQ(antarDays[m][a], 3 * dasaYears[m] * dasaYears[a]) << m << "/" << a;
        EXPECT_EQ(antarDays[m][a], antarDays[a][m]) << m << "/" << a;
        sum += antarDays[m][a];
    }
    EXPECT_EQ(sum, 360 * dasaYears[m]);
}

INSTANTIATE_TEST_SUITE_P(EveryMahadasa, AntardasaRow, testing::Range(1, planetCount + 1));

TEST(Antardasas, NamedLengths) {
    EXPECT_EQ(antarDays[Ketu][Ketu], 147);
    EXPECT_EQ(antarDays[Sukra][Sukra], 1200);
    EXPECT_EQ(antarDays[Surya][Surya], 108);
    EXPECT_EQ(antarDays[Chandra][Mangal], 210);
    EXPECT_EQ(antarDays[Chandra][Guru], 480);
    EXPECT_EQ(antarDays[Chandra][Sani], 570);
    int all = 0;
    for (int m = 1; m <= planetCount; ++m) {
        for (int a = 1; a <= planetCount; ++a) {
            all += antarDays[m][a];
        }
    }
    EXPECT_EQ(all, 120 * 360);
}

} // namespace
