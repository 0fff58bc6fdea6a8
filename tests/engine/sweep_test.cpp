// Every whole-second sidereal position of the Moon, 1,296,000 of them, through the whole engine:
// each one must end, agree with the second computation, and keep the structure of the periods.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <variant>

#include "agreement.h"
#include "engine/calculation.h"

namespace {

using namespace zeitrad;

void setNumber(std::string& field, int value) {
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    field.assign(buf, end);
}

// What must hold for any result, whatever the position. Returns the first violation.
std::string brokenInvariant(const Result& r, long arcSeconds) {
    const int b = r.birthLord;
    const long passed = arcSeconds % 48000;
    if (r.nakshatra != arcSeconds / 48000 + 1 || b != (r.nakshatra - 1) % 9 + 1) {
        return "wrong nakshatra or lord";
    }
    if (r.onNakshatraStart != (passed == 0)) {
        return "nakshatra start case";
    }
    if (r.ayanamsa != ayanamsaIn1900 || r.moonLongitude != 10 * arcSeconds ||
        r.arcInNakshatra != 10 * passed) {
        return "ayanamsa, longitude or arc";
    }
    // The exact split of the birth mahadasa: its days run are the passed share of its length, and
    // the years still to run the rest.
    const std::int64_t wholeMahadasa = 360L * dasaYears[b] * NakshatraFraction::denominator;
    if (r.mahadasaDaysRun.numerator * 48000 != wholeMahadasa * passed ||
        r.balanceYears.numerator * 360 != wholeMahadasa - r.mahadasaDaysRun.numerator) {
        return "split of the birth mahadasa";
    }
    for (int k = 2; k <= 81; ++k) {
        const AgeTriple& a = r.cells[k].age;
        const int total = a.totalDays();
        if (AgeTriple::fromDays(total) != a || total < 0) {
            return "cell " + std::to_string(k) + " not in normal form";
        }
        if (total > 30 && (a.days < 1 || a.days > 30 || a.months < 0 || a.months > 11)) {
            return "cell " + std::to_string(k) + " out of range";
        }
    }
    // The balance: the unrun share of the birth mahadasa, truncated.
    const long mahaDays = 360L * dasaYears[b];
    if (r.cells[10].age.totalDays() != mahaDays * (48000 - passed) / 48000) {
        return "balance";
    }
    // Row 1: the shown columns follow one another by the antardasa lengths of the birth
    // mahadasa; the first hidden one would repeat the birth lord; the chain ends where row 2
    // begins, or one day later when the days already run were not whole.
    int c = 3;
    // The day on which the antardasa after the running one begins.
    long end = antarDays[b][r.cells[2].lord] - r.cells[2].age.totalDays();
    for (; c <= 9 && r.cells[c].shown; ++c) {
        if (r.cells[c].lord != advanceWithWrap(r.cells[c - 1].lord) || r.cells[c].lord == b ||
            r.cells[c].age.totalDays() != end) {
            return "row 1 column " + std::to_string(c);
        }
        end += antarDays[b][r.cells[c].lord];
    }
    for (int hidden = c; hidden <= 9; ++hidden) {
        if (r.cells[hidden].shown) {
            return "row 1 shows a column after a hidden one";
        }
    }
    if (c <= 9 && advanceWithWrap(r.cells[c - 1].lord) != b) {
        return "row 1 ends before its lord comes back";
    }
    // Past the last column, the antardasas left up to the end of the birth mahadasa.
    for (int lord = advanceWithWrap(r.cells[c - 1].lord); lord != b; lord = advanceWithWrap(lord)) {
        end += antarDays[b][lord];
    }
    const bool wholeDaysRun = (mahaDays * passed) % 48000 == 0;
    if (end - r.cells[10].age.totalDays() != (wholeDaysRun ? 0 : 1)) {
        return "row 1 does not end where row 2 begins";
    }
    // Rows 2 to 9: each antardasa starts where the one before ends, each row where the mahadasa
    // before it ends.
    for (int row = 2; row <= 9; ++row) {
        const int first = 9 * (row - 1) + 1;
        const int m = r.cells[first].lord;
        if (m != advanceWithWrap(r.cells[first - 9].lord)) {
            return "row " + std::to_string(row) + " lord";
        }
        for (int k = first + 1; k < first + 9; ++k) {
            if (r.cells[k].lord != advanceWithWrap(r.cells[k - 1].lord) ||
                r.cells[k].age.totalDays() !=
                    r.cells[k - 1].age.totalDays() + antarDays[m][r.cells[k - 1].lord]) {
                return "cell " + std::to_string(k);
            }
        }
        if (row > 2 &&
            r.cells[first].age.totalDays() !=
                r.cells[first - 9].age.totalDays() + 360 * dasaYears[r.cells[first - 9].lord]) {
            return "row " + std::to_string(row) + " start";
        }
    }
    return {};
}

TEST(EverySecondOfTheCircle, EndsAgreesAndKeepsThePeriodStructure) {
    Engine engine;
    BirthInput input;
    int reported = 0;
    long checked = 0;
    for (long s = 0; s < 360L * 3600; ++s) {
        const int sign = static_cast<int>(s / (30 * 3600)) + 1;
        const int inSign = static_cast<int>(s % (30 * 3600));
        input.sign = sign;
        setNumber(input.degrees, inSign / 3600);
        setNumber(input.minutes, inSign / 60 % 60);
        setNumber(input.seconds, inSign % 60);
        const Outcome out = engine.calculate(input);
        const Result* r = std::get_if<Result>(&out);
        std::string problem;
        if (r == nullptr) {
            problem = "refused";
        } else {
            problem = brokenInvariant(*r, s);
            // The second computation, for every seventh second and every nakshatra's edges.
            if (problem.empty() && (s % 7 == 0 || s % 48000 < 2 || s % 48000 > 47997)) {
                reference::Position p;
                p.sign = sign;
                p.degrees = inSign / 3600;
                p.minutes = inSign / 60 % 60;
                p.seconds = inSign % 60;
                problem = disagreement(*r, *reference::compute(p));
                ++checked;
            }
        }
        if (!problem.empty() && ++reported <= 10) {
            ADD_FAILURE() << "sign " << sign << " " << input.degrees << "°" << input.minutes << "′"
                          << input.seconds << "″: " << problem;
        }
    }
    EXPECT_EQ(reported, 0);
    EXPECT_GT(checked, 185000);
}

} // namespace
