// The run state of one calculation and the three routines that work on it. The engine keeps the
// state to itself for as long as the window lives; every calculation rewrites what it needs and
// leaves the rest as it was.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "engine/arcs.h"
#include "engine/calendar.h"
#include "engine/tables.h"

namespace zeitrad {

class RunState {
public:
    // The working age triple. It holds the birth date as converted (day, month, year) until the
    // balance step; from then on it is the scratch triple that motagkor() normalises.
    int workDays = 0, workMonths = 0, workYears = 0;

    // The Moon's sidereal longitude in tenths of an arc-second (0 .. 12,959,999). The nakshatra
    // search reduces it in place to the arc past the start of the birth nakshatra (0 .. 479,999).
    std::int64_t moonArcMin = 0;

    int dasaLord = 0; // lord of the birth nakshatra, then of the row being walked

    // Years of the birth mahadasa still to run at birth, and days of it already run (the walk of
    // row 1 reduces the latter to the days already run of the antardasa running at birth).
    NakshatraFraction balanceYears;
    NakshatraFraction elapsedDays;

    int lookupMaha = 0, lookupSub = 0; // the pair (mahadasa, antardasa) that searchantar() looks up
    int antarLength = 0;               // days: the length that searchantar() found
    int cellIndex = 0;                 // the cell k that nextantar() extends into cell k + 1
    int cellLord = 0;                  // lord of the cell that nextantar() writes (rows 2 to 9)
    int stopFlag = 0;                  // 1 once row 1 has reached the end of the birth mahadasa

    // The age triple of each overview cell 1..81 (index 0 unused; cell 1 shows the birth date).
    std::array<int, 82> cellYears{}, cellMonths{}, cellDays{};

    // Normalises the working triple: workDays holds a day count and workMonths and workYears are 0
    // (every caller sets them so); afterwards the triple is that count in the normal form of
    // AgeTriple, 30 days to the month and 12 months to the year, the days kept in 1..30.
    void motagkor();

    // antarLength = the days of antardasa lookupSub within the mahadasa of lookupMaha. A pair
    // outside 1..9 leaves antarLength as it is.
    void searchantar();

    // Extends the chain of periods by one antardasa: cellLord advances to the next planet, and cell
    // cellIndex + 1 becomes cell cellIndex plus antarLength days.
    void nextantar();

    friend bool operator==(const RunState&, const RunState&) = default;
};

// The routines are defined here so that a calculation inlines them: it calls them 80 times, and a
// call boundary would make every cell's triple take a round trip through memory.

inline void RunState::motagkor() {
    // Counting off 30 days at a time would take up to 1440 rounds for a 120-year age; the closed
    // form gives the same triple at once.
    assert(workMonths == 0 && workYears == 0);
    const AgeTriple age = AgeTriple::fromDays(workDays);
    workYears = age.years;
    workMonths = age.months;
    workDays = age.days;
}

inline void RunState::searchantar() {
    if (lookupMaha < 1 || lookupMaha > planetCount || lookupSub < 1 || lookupSub > planetCount) {
        return;
    }
    antarLength = antarDays[lookupMaha][lookupSub];
}

inline void RunState::nextantar() {
    cellLord = advanceWithWrap(cellLord);
    const int k = cellIndex;
    workDays =
        cellDays[k] + daysPerMonth * cellMonths[k] + daysPerYear * cellYears[k] + antarLength;
    workMonths = 0;
    workYears = 0;
    motagkor();
    cellYears[k + 1] = workYears;
    cellMonths[k + 1] = workMonths;
    cellDays[k + 1] = workDays;
}

} // namespace zeitrad
