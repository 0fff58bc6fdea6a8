#include "engine/calculation.h"

#include <optional>

#include "engine/input.h"
#include "engine/tables.h"

namespace zeitrad {

namespace {

// The default birth date and Moon position, used when the first field of their group is empty.
constexpr int defaultDay = 23, defaultMonth = 12, defaultYear = 2012;
constexpr int defaultDegrees = 23, defaultMinutes = 1, defaultSeconds = 1;

// Everything read from the input fields, checked before the run state is touched.
struct Reading {
    int day = defaultDay, month = defaultMonth, year = defaultYear;
    int degrees = defaultDegrees, minutes = defaultMinutes, seconds = defaultSeconds;
    std::int64_t ayanamsa = ayanamsaIn1900;
    std::int64_t longitude = 0; // sidereal
};

// Converts a group of three fields when its first one is filled; otherwise the defaults stand and
// the other two are not looked at. Returns the first text that is not an integer.
const std::string* convertGroup(const std::string& first, const std::string& second,
                                const std::string& third, int& a, int& b, int& c) {
    if (first.empty()) {
        return nullptr;
    }
    const std::string* texts[] = {&first, &second, &third};
    int* targets[] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = toInteger(*texts[i]);
        if (!value) {
            return texts[i];
        }
        *targets[i] = *value;
    }
    return nullptr;
}

// Reads the birth date, then the Moon's position, and forms the sidereal longitude; refuses an
// input that cannot be calculated.
Refused<Reading> readInput(const BirthInput& in) {
    Reading out;
    if (const std::string* bad =
            convertGroup(in.day, in.month, in.year, out.day, out.month, out.year)) {
        return Refusal{notAnIntegerMessage(*bad)};
    }
    if (const std::string* bad = convertGroup(in.degrees, in.minutes, in.seconds, out.degrees,
                                              out.minutes, out.seconds)) {
        return Refusal{notAnIntegerMessage(*bad)};
    }
    const std::int64_t degrees = std::int64_t{out.degrees} + signDegrees(in.sign);
    out.longitude = arcOf(degrees, out.minutes, out.seconds);
    if (in.tropical) {
        out.ayanamsa = ayanamsaForYear(out.year);
        out.longitude = siderealFromTropical(out.longitude, out.ayanamsa);
    }
    if (!onCircle(out.longitude)) {
        return Refusal{longitudeOutOfRangeMessage(in.tropical)};
    }
    return out;
}

void storeWorkTriple(RunState& s, int k) {
    s.cellYears[k] = s.workYears;
    s.cellMonths[k] = s.workMonths;
    s.cellDays[k] = s.workDays;
}

AgeTriple cellAge(const RunState& s, int k) {
    return {s.cellYears[k], s.cellMonths[k], s.cellDays[k]};
}

void normaliseInto(RunState& s, std::int64_t days, int k) {
    s.workDays = static_cast<int>(days);
    s.workMonths = 0;
    s.workYears = 0;
    s.motagkor();
    storeWorkTriple(s, k);
}

// The nakshatra holding the longitude, its lord, and the arc already passed within it.
void searchNakshatra(RunState& s, Result& res) {
    const int n = static_cast<int>(s.moonArcMin / tenthsPerNakshatra) + 1;
    s.dasaLord = nakshatraLord(n);
    s.moonArcMin -= (n - 1) * tenthsPerNakshatra;

    res.nakshatra = n;
    res.arcInNakshatra = s.moonArcMin;
    res.nakshatraName = nakshatraName[n];
    res.birthLord = s.dasaLord;
    res.cells[1].lord = s.dasaLord;
}

// Splits the birth mahadasa at birth: the balance still to run becomes the start of row 2
// (cell 10), the days already run are kept exactly for the walk of row 1.
void splitBalance(RunState& s, Result& res) {
    const std::int64_t years = dasaYears[s.dasaLord];
    const std::int64_t r = s.moonArcMin;
    s.balanceYears.numerator = years * (tenthsPerNakshatra - r);
    res.onNakshatraStart = r == 0;
    normaliseInto(s, s.balanceYears.numerator * daysPerYear / NakshatraFraction::denominator, 10);
    s.elapsedDays.numerator = years * daysPerYear * r;
    res.balanceYears = s.balanceYears;
    res.mahadasaDaysRun = s.elapsedDays;
}

void showCell(Result& res, const RunState& s, int k, int lord, bool shown = true) {
    Cell& cell = res.cells[k];
    cell.lord = lord;
    cell.shown = shown;
    cell.age = shown ? cellAge(s, k) : AgeTriple{};
}

// Row 1: finds the antardasa running at birth and walks the rest of the birth mahadasa.
void walkBirthMahadasa(RunState& s, Result& res) {
    const int birthLord = s.dasaLord;
    s.lookupMaha = birthLord;
    s.lookupSub = birthLord;
    s.searchantar();
    // An antardasa whose length the days still to place reach exactly has fully run; the birth
    // then falls on the first day of the next one. The days run stay below the mahadasa's length,
    // so at most eight antardasas are passed.
    const std::int64_t den = NakshatraFraction::denominator;
    while (s.antarLength * den <= s.elapsedDays.numerator) {
        s.elapsedDays.numerator = (s.elapsedDays.whole() - s.antarLength) * den;
        s.lookupSub = advanceWithWrap(s.lookupSub);
        s.searchantar();
    }
    const std::int64_t daysRun = s.elapsedDays.whole();
    normaliseInto(s, daysRun, 2);
    showCell(res, s, 2, s.lookupSub);

    s.lookupSub = advanceWithWrap(s.lookupSub);
    if (s.lookupSub == birthLord) {
        s.stopFlag = 1;
    }
    if (s.stopFlag == 0) {
        normaliseInto(s, s.antarLength - cellAge(s, 2).totalDays(), 3);
    }
    showCell(res, s, 3, s.lookupSub, s.stopFlag == 0);

    for (int k = 3; k <= 8; ++k) {
        s.cellIndex = k;
        s.searchantar();
        s.nextantar();
        s.lookupSub = advanceWithWrap(s.lookupSub);
        if (s.lookupSub == birthLord) {
            s.stopFlag = 1;
        }
        showCell(res, s, k + 1, s.lookupSub, s.stopFlag == 0);
    }
}

// Rows 2 to 9: each following mahadasa with its nine antardasas in dasa order.
void walkFollowingMahadasas(RunState& s, Result& res) {
    for (int row = 2; row <= 9; ++row) {
        const int first = 9 * (row - 1) + 1;
        s.dasaLord = advanceWithWrap(s.dasaLord);
        s.lookupMaha = s.dasaLord;
        s.cellLord = s.dasaLord;
        s.lookupSub = s.dasaLord;
        showCell(res, s, first, s.dasaLord);
        for (int k = first; k <= first + 7; ++k) {
            s.cellIndex = k;
            s.searchantar();
            s.nextantar();
            s.lookupSub = advanceWithWrap(s.lookupSub);
            showCell(res, s, k + 1, s.cellLord);
        }
        if (row < 9) {
            s.cellIndex = first + 8;
            s.searchantar();
            s.nextantar();
        }
    }
}

} // namespace

Outcome Engine::calculate(const BirthInput& input) {
    const Refused<Reading> read = readInput(input);
    if (const Refusal* refusal = std::get_if<Refusal>(&read)) {
        return *refusal;
    }
    const Reading& reading = std::get<Reading>(read);

    Outcome outcome{std::in_place_type<Result>};
    Result& res = std::get<Result>(outcome);
    RunState& s = state_;

    s.stopFlag = 0;
    s.workDays = reading.day;
    s.workMonths = reading.month;
    s.workYears = reading.year;
    s.moonArcMin = reading.longitude;
    res.ayanamsa = reading.ayanamsa;
    res.moonLongitude = reading.longitude;
    res.birthDay = reading.day;
    res.birthMonth = reading.month;
    res.birthYear = reading.year;

    searchNakshatra(s, res);
    splitBalance(s, res);
    walkBirthMahadasa(s, res);
    walkFollowingMahadasas(s, res);
    return outcome;
}

std::string Result::birthDateText() const {
    return std::to_string(birthDay) + "." + std::to_string(birthMonth) + "." +
           std::to_string(birthYear);
}

} // namespace zeitrad
