// Whole calculations through the engine: the worked default example, the edge cases of the
// nakshatra, the balance and the antardasa walk, the tropical step, and the refused inputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>

#include "engine/calculation.h"
#include "printers.h"

namespace {

using namespace zeitrad;

BirthInput moon(int sign, std::string degrees, std::string minutes, std::string seconds) {
    BirthInput in;
    in.sign = sign;
    in.degrees = std::move(degrees);
    in.minutes = std::move(minutes);
    in.seconds = std::move(seconds);
    return in;
}

BirthInput withDate(BirthInput in, std::string day, std::string month, std::string year) {
    in.day = std::move(day);
    in.month = std::move(month);
    in.year = std::move(year);
    return in;
}

BirthInput tropical(BirthInput in) {
    in.tropical = true;
    return in;
}

Result calculated(Engine& engine, const BirthInput& in) {
    Outcome out = engine.calculate(in);
    if (const Refusal* refusal = std::get_if<Refusal>(&out)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return {};
    }
    return std::get<Result>(out);
}

Result calculated(const BirthInput& in) {
    Engine engine;
    return calculated(engine, in);
}

int days(const Result& r, int k) {
    return r.cells[k].age.totalDays();
}

TEST(DefaultInput, GivesTheWorkedExample) {
    const Result r = calculated(BirthInput{});
    EXPECT_EQ(r.nakshatra, 2);
    EXPECT_EQ(r.nakshatraName, "Bharani");
    EXPECT_EQ(r.birthLord, Sukra);
    EXPECT_EQ(r.birthDateText(), "23.12.2012");
    EXPECT_FALSE(r.onNakshatraStart);
    EXPECT_EQ(r.cells[1].lord, Sukra);

    EXPECT_EQ(r.cells[2].lord, Sani);
    EXPECT_EQ(r.cells[2].age, (AgeTriple{1, 8, 9})); // 609 days
    EXPECT_EQ(r.cells[3].lord, Buddha);
    EXPECT_EQ(r.cells[3].age, (AgeTriple{1, 5, 21})); // 531 days
    EXPECT_EQ(r.cells[4].lord, Ketu);
    EXPECT_EQ(r.cells[4].age, (AgeTriple{4, 3, 21})); // 1551 days
    for (int k = 2; k <= 4; ++k) {
        EXPECT_TRUE(r.cells[k].shown) << k;
    }
    // The next lord would be Sukra again: row 1 ends with column 4.
    for (int k = 5; k <= 9; ++k) {
        EXPECT_FALSE(r.cells[k].shown) << k;
        EXPECT_EQ(r.cells[k].lord, advanceWithWrap(r.cells[k - 1].lord)) << k;
    }

    EXPECT_EQ(r.cells[10].lord, Surya);
    EXPECT_EQ(r.cells[10].age, (AgeTriple{5, 5, 20})); // 1970 days
    const int row2Lords[] = {Surya, Chandra, Mangal, Rahu, Guru, Sani, Buddha, Ketu, Sukra};
    const int row2Days[] = {1970, 2078, 2258, 2384, 2708, 2996, 3338, 3644, 3770};
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(r.cells[9 + c].lord, row2Lords[c - 1]) << "column " << c;
        EXPECT_EQ(days(r, 9 + c), row2Days[c - 1]) << "column " << c;
    }
    EXPECT_EQ(r.cells[19].lord, Chandra);
    EXPECT_EQ(days(r, 19), 4130);

    // Row 9 is the Ketu mahadasa; its last step adds Ketu/Sani's 399 days and ends with Buddha.
    EXPECT_EQ(r.cells[73].lord, Ketu);
    EXPECT_EQ(r.cells[81].lord, Buddha);
    EXPECT_EQ(days(r, 81) - days(r, 80), 399);
}

struct Split {
    const char* label;
    BirthInput input;
    std::int64_t ayanamsa;
    std::int64_t longitude;    // sidereal
    std::int64_t arc;          // past the start of the nakshatra
    std::int64_t balanceYears; // in 480,000ths
    std::int64_t daysRun;      // in 480,000ths
};

void PrintTo(const Split& s, std::ostream* os) {
    *os << s.label;
}

class SplitCase : public testing::TestWithParam<Split> {};

TEST_P(SplitCase, HoldsTheArcsAndTheBirthMahadasaExactly) {
    const Split& p = GetParam();
    const Result r = calculated(p.input);
    EXPECT_EQ(r.ayanamsa, p.ayanamsa);
    EXPECT_EQ(r.moonLongitude, p.longitude);
    EXPECT_EQ(r.arcInNakshatra, p.arc);
    EXPECT_EQ(r.moonLongitude - r.arcInNakshatra, (r.nakshatra - 1) * tenthsPerNakshatra);
    EXPECT_EQ(r.onNakshatraStart, p.arc == 0);
    EXPECT_EQ(r.balanceYears, NakshatraFraction{p.balanceYears});
    EXPECT_EQ(r.mahadasaDaysRun, NakshatraFraction{p.daysRun});
    // What has run and what is still to run make the whole mahadasa, to the 480,000th of a day.
    EXPECT_EQ(r.balanceYears.numerator * daysPerYear + r.mahadasaDaysRun.numerator,
              dasaYears[r.birthLord] * daysPerYear * NakshatraFraction::denominator);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, SplitCase,
    testing::Values(
        // 581.0166…′ past the start of Bharani: 5.474583… Sukra years to run, 5229.15 days run.
        Split{"default", BirthInput{}, 808580, 828610, 348610, 20 * 131390, 20 * 360 * 348610LL},
        // Ketu/Ketu has run 94.5 days: the half day is kept.
        Split{"Ketu 0°30′ in", moon(1, "0", "30", "0"), 808580, 18000, 18000, 7 * 462000,
              945 * 48000},
        Split{"Aswini start", moon(1, "0", "0", "0"), 808580, 0, 0, 7 * 480000, 0},
        Split{"Bharani start", moon(1, "13", "20", "0"), 808580, 480000, 0, 20 * 480000, 0},
        Split{"last second of the circle", moon(12, "29", "59", "59"), 808580, 12959990, 479990,
              17 * 10, 17 * 360 * 479990LL},
        // 1381.0166…′ tropical less 1441.5266…′ wraps round the circle into Revati.
        Split{"tropical, empty date", tropical(BirthInput{}), 864916, 12923694, 443694, 17 * 36306,
              17 * 360 * 443694LL}));

struct Edge {
    const char* label;
    BirthInput input;
    int nakshatra;
    int lord;
    bool onStart;
    int cell10;    // days to the second mahadasa
    int cell2Lord; // antardasa running at birth
    int cell2;     // days of it already run
    int cell3;     // days until the next one, or -1 when row 1 ends after column 2
    int lastShown; // last column of row 1 that is shown
};

void PrintTo(const Edge& e, std::ostream* os) {
    *os << e.label;
}

class EdgeCase : public testing::TestWithParam<Edge> {};

TEST_P(EdgeCase, FindsNakshatraBalanceAndRunningAntardasa) {
    const Edge& e = GetParam();
    const Result r = calculated(e.input);
    EXPECT_EQ(r.nakshatra, e.nakshatra);
    EXPECT_EQ(r.nakshatraName, nakshatraName[e.nakshatra]);
    EXPECT_EQ(r.birthLord, e.lord);
    EXPECT_EQ(r.cells[1].lord, e.lord);
    EXPECT_EQ(r.onNakshatraStart, e.onStart);
    EXPECT_EQ(days(r, 10), e.cell10);
    EXPECT_EQ(r.cells[10].age, AgeTriple::fromDays(e.cell10));
    EXPECT_EQ(r.cells[2].lord, e.cell2Lord);
    EXPECT_EQ(days(r, 2), e.cell2);
    EXPECT_TRUE(r.cells[2].shown);
    if (e.cell3 >= 0) {
        EXPECT_TRUE(r.cells[3].shown);
        EXPECT_EQ(days(r, 3), e.cell3);
    }
    for (int c = 3; c <= 9; ++c) {
        EXPECT_EQ(r.cells[c].lord, advanceWithWrap(r.cells[c - 1].lord)) << "column " << c;
        EXPECT_EQ(r.cells[c].shown, c <= e.lastShown) << "column " << c;
    }
    // The first hidden column would repeat the birth lord.
    if (e.lastShown < 9) {
        EXPECT_EQ(r.cells[e.lastShown + 1].lord, e.lord);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, EdgeCase,
    testing::Values(
        Edge{"Aswini start", moon(1, "0", "0", "0"), 1, Ketu, true, 2520, Ketu, 0, 147, 9},
        Edge{"Bharani start", moon(1, "13", "20", "0"), 2, Sukra, true, 7200, Sukra, 0, 1200, 9},
        Edge{"last second of Aswini", moon(1, "13", "19", "59"), 1, Ketu, false, 0, Buddha, 356, -1,
             2},
        Edge{"Uttara Bhadra start", moon(12, "3", "20", "0"), 26, Sani, true, 6840, Sani, 0, 1083,
             9},
        Edge{"last second of the circle", moon(12, "29", "59", "59"), 27, Buddha, false, 0, Sani,
             968, -1, 2},
        Edge{"Ketu 60 minutes in", moon(1, "1", "0", "0"), 1, Ketu, false, 2331, Sukra, 42, 378, 9},
        Edge{"Ketu 400 minutes in", moon(1, "6", "40", "0"), 1, Ketu, false, 1260, Rahu, 210, 168,
             5},
        Edge{"first antardasa", moon(1, "0", "30", "0"), 1, Ketu, false, 2425, Ketu, 94, 53, 9},
        Edge{"last antardasa", moon(1, "12", "0", "0"), 1, Ketu, false, 252, Buddha, 105, -1, 2},
        // Days still to place equal to an antardasa: it has fully run, the next one starts.
        Edge{"walk meets Sukra exactly", moon(1, "3", "0", "0"), 1, Ketu, false, 1953, Surya, 0,
             126, 8},
        Edge{"walk meets Ketu exactly", moon(1, "0", "46", "40"), 1, Ketu, false, 2373, Sukra, 0,
             420, 9},
        Edge{"walk meets the eighth antardasa exactly", moon(1, "11", "26", "40"), 1, Ketu, false,
             357, Buddha, 0, -1, 2},
        Edge{"Stier with the default position", moon(2, "", "", ""), 4, Chandra, false, 85, Surya,
             94, -1, 2},
        Edge{"45 degrees in Widder", moon(1, "45", "0", "0"), 4, Chandra, false, 2250, Guru, 300,
             180, 7},
        Edge{"75 minutes", moon(1, "0", "75", "0"), 1, Ketu, false, 2283, Sukra, 89, 331, 9}));

TEST(Positions, OutOfTheirNaturalRangeAddUp) {
    EXPECT_EQ(calculated(moon(1, "45", "0", "0")), calculated(moon(2, "15", "0", "0")));
    EXPECT_EQ(calculated(moon(1, "0", "75", "0")), calculated(moon(1, "1", "15", "0")));
    EXPECT_EQ(calculated(moon(3, "-1", "60", "0")), calculated(moon(3, "0", "0", "0")));
    EXPECT_EQ(calculated(moon(1, "0", "0", "3600")), calculated(moon(1, "1", "0", "0")));
}

TEST(Positions, OnlyTheFirstFieldOfAGroupDecidesWhetherItIsRead) {
    // Edit1 empty: the default position stands, whatever the minutes and seconds hold.
    EXPECT_EQ(calculated(moon(0, "", "30", "x")), calculated(BirthInput{}));
    // Edit4 empty: the default date stands.
    const Result r = calculated(withDate(BirthInput{}, "", "abc", "1970"));
    EXPECT_EQ(r.birthDateText(), "23.12.2012");
    EXPECT_EQ(r, calculated(BirthInput{}));
}

TEST(Positions, WidderAddsNothing) {
    EXPECT_EQ(calculated(moon(1, "23", "1", "1")), calculated(BirthInput{}));
}

TEST(BirthDate, IsShownAsConvertedAndUnpadded) {
    EXPECT_EQ(calculated(withDate(BirthInput{}, "5", "3", "1970")).birthDateText(), "5.3.1970");
    EXPECT_EQ(calculated(withDate(BirthInput{}, "05", "+3", "70")).birthDateText(), "5.3.70");
    // No range check on the date: it only enters the tropical step.
    const Result r = calculated(withDate(BirthInput{}, "40", "13", "-5"));
    EXPECT_EQ(r.birthDateText(), "40.13.-5");
    EXPECT_EQ(r.birthDay, 40);
    EXPECT_EQ(r.birthMonth, 13);
    EXPECT_EQ(r.birthYear, -5);
    EXPECT_EQ(r.cells, calculated(BirthInput{}).cells);
}

TEST(Tropical, EmptyDateUsesTheAyanamsaOf2012AndWrapsRoundTheCircle) {
    const Result r = calculated(tropical(BirthInput{}));
    EXPECT_EQ(r.ayanamsa, 864916); // 1441.5266…′
    // 1381.0166…′ - 1441.5266…′ + 21600′ = 21539.49′, in Revati.
    EXPECT_EQ(r.moonLongitude, 828610 + 12960000 - 864916);
    EXPECT_EQ(r.nakshatra, 27);
    EXPECT_EQ(r.birthLord, Buddha);
    EXPECT_EQ(r.arcInNakshatra, 828610 + 12960000 - 864916 - 26 * 480000);
}

TEST(Tropical, BirthYearCorrectsTheAyanamsa) {
    Engine engine;
    // 22°27′38″ tropical in 1900 is exactly the start of the sidereal circle.
    const Result r1900 =
        calculated(engine, tropical(withDate(moon(0, "22", "27", "38"), "1", "1", "1900")));
    EXPECT_EQ(r1900.ayanamsa, 808580);
    EXPECT_EQ(r1900.moonLongitude, 0);
    EXPECT_EQ(r1900.nakshatra, 1);
    EXPECT_TRUE(r1900.onNakshatraStart);
    EXPECT_EQ(days(r1900, 10), 2520);

    const Result r1800 = calculated(engine, tropical(withDate(BirthInput{}, "1", "1", "1800")));
    EXPECT_EQ(r1800.ayanamsa, 758280); // 1263.8′
    EXPECT_EQ(r1800.moonLongitude, 828610 - 758280);
    EXPECT_EQ(r1800.arcInNakshatra, 828610 - 758280);
    EXPECT_EQ(r1800.nakshatra, 1);

    // One year later, 50.3″ less of the nakshatra has passed.
    const Result r1801 = calculated(engine, tropical(withDate(BirthInput{}, "1", "1", "1801")));
    EXPECT_EQ(r1801.ayanamsa, 758280 + 503);
    EXPECT_EQ(r1801.arcInNakshatra, 828610 - 758280 - 503);
}

TEST(Tropical, WithoutTheOptionTheDateDoesNotMatter) {
    const Result r = calculated(withDate(BirthInput{}, "1", "1", "1800"));
    EXPECT_EQ(r.ayanamsa, 808580);
    EXPECT_EQ(r.moonLongitude, 828610);
    EXPECT_EQ(r.cells, calculated(BirthInput{}).cells);
}

TEST(Recalculation, DependsOnlyOnTheInput) {
    const BirthInput inputs[] = {moon(1, "12", "0", "0"), BirthInput{}, moon(12, "29", "59", "59"),
                                 tropical(moon(7, "4", "5", "6")), moon(1, "3", "0", "0")};
    Engine engine;
    for (const BirthInput& a : inputs) {
        for (const BirthInput& b : inputs) {
            calculated(engine, a);
            EXPECT_EQ(calculated(engine, b), calculated(b));
        }
    }
}

TEST(Engines, DifferOnceTheyHaveCalculatedDifferentBirths) {
    // The comparison that shows a refusal to have changed nothing sees every calculation.
    Engine fresh, first, second;
    calculated(first, BirthInput{});
    calculated(second, moon(1, "12", "0", "0"));
    EXPECT_FALSE(first == fresh);
    EXPECT_FALSE(first == second);
    Engine again;
    calculated(again, BirthInput{});
    EXPECT_TRUE(again == first);
}

struct Refused {
    const char* label;
    BirthInput input;
    std::string message;
};

void PrintTo(const Refused& r, std::ostream* os) {
    *os << r.label;
}

const std::string outsideCircle = "Die Mondposition liegt außerhalb des Tierkreises. Zeichen, "
                                  "Grad, Minuten und Sekunden müssen zusammen eine Länge von "
                                  "mindestens 0° und weniger als 360° ergeben.";
const std::string outsideCircleTropical =
    "Die Mondposition liegt nach der Umrechnung von tropisch auf siderisch außerhalb des "
    "Tierkreises. Die siderische Länge muss mindestens 0° und weniger als 360° betragen; bitte "
    "Zeichen, Grad, Minuten, Sekunden und Geburtsjahr prüfen.";

std::string notInteger(const std::string& text) {
    return "'" + text + "' ist kein gültiger Integerwert";
}

class Refusals : public testing::TestWithParam<Refused> {};

TEST_P(Refusals, GiveTheirMessageAndChangeNothing) {
    const Refused& p = GetParam();
    Engine engine;
    const Result before = calculated(engine, moon(1, "12", "0", "0"));
    const Engine copy = engine;

    const Outcome out = engine.calculate(p.input);
    ASSERT_TRUE(std::holds_alternative<Refusal>(out));
    EXPECT_EQ(std::get<Refusal>(out).message, p.message);
    EXPECT_TRUE(engine == copy);
    EXPECT_EQ(calculated(engine, moon(1, "12", "0", "0")), before);
}

TEST_P(Refusals, LeaveAFreshEngineUntouched) {
    Engine engine;
    EXPECT_TRUE(std::holds_alternative<Refusal>(engine.calculate(GetParam().input)));
    EXPECT_TRUE(engine == Engine{});
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Refusals,
    testing::Values(
        Refused{"day not a number", withDate(BirthInput{}, "x", "", ""), notInteger("x")},
        Refused{"month empty", withDate(BirthInput{}, "5", "", "1970"), notInteger("")},
        Refused{"year with a blank", withDate(BirthInput{}, "5", "3", "19 70"),
                notInteger("19 70")},
        Refused{"year too large", withDate(BirthInput{}, "5", "3", "2147483648"),
                notInteger("2147483648")},
        Refused{"degrees not a number", withDate(moon(0, "abc", "1", "1"), "5", "3", "1970"),
                notInteger("abc")},
        Refused{"minutes empty", moon(0, "5", "", "1"), notInteger("")},
        Refused{"seconds only a sign", moon(0, "5", "1", "+"), notInteger("+")},
        Refused{"seconds a fraction", moon(0, "5", "1", "1.5"), notInteger("1.5")},
        Refused{"umlaut", moon(0, "ä", "1", "1"), notInteger("ä")},
        Refused{"date comes first", withDate(moon(0, "b", "1", "1"), "a", "1", "1"),
                notInteger("a")},
        Refused{"not an integer before the circle", moon(0, "400", "x", "0"), notInteger("x")},
        Refused{"360 degrees", moon(1, "360", "0", "0"), outsideCircle},
        Refused{"30 degrees in Fische", moon(12, "30", "0", "0"), outsideCircle},
        Refused{"one second below zero", moon(1, "0", "0", "-1"), outsideCircle},
        Refused{"negative degrees", moon(0, "-1", "0", "0"), outsideCircle},
        Refused{"largest degrees", moon(12, "2147483647", "0", "0"), outsideCircle},
        Refused{"smallest degrees", moon(1, "-2147483648", "-2147483648", "-2147483648"),
                outsideCircle},
        Refused{"ayanamsa larger than the circle",
                tropical(withDate(BirthInput{}, "1", "1", "9999999")), outsideCircleTropical},
        Refused{"negative ayanamsa", tropical(withDate(BirthInput{}, "1", "1", "-9999999")),
                outsideCircleTropical},
        Refused{"tropical beyond the circle", tropical(moon(12, "60", "0", "0")),
                outsideCircleTropical},
        Refused{"largest fields, tropical",
                tropical(withDate(moon(12, "2147483647", "2147483647", "2147483647"), "1", "1",
                                  "2147483647")),
                outsideCircleTropical}));

TEST(Refusals, TropicalAcceptsAPositionThatTheAyanamsaBringsOntoTheCircle) {
    // 380° tropical less 22°27′38″ lies at 357°32′22″, in Revati.
    const Result r = calculated(tropical(withDate(moon(1, "380", "0", "0"), "1", "1", "1900")));
    EXPECT_EQ(r.nakshatra, 27);
}

} // namespace
