// One Vimsottari calculation, from the raw texts of the input fields to the 81 overview cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "engine/arcs.h"
#include "engine/calendar.h"
#include "engine/refusal.h"
#include "engine/runstate.h"

namespace zeitrad {

// What the input screen holds, exactly as typed.
struct BirthInput {
    std::string day, month, year;          // birth date fields
    std::string degrees, minutes, seconds; // Moon position within the sign
    int sign = 0;                          // 0: none chosen, else 1 (Widder) .. 12 (Fische)
    bool tropical = false;                 // the position is tropical

    friend bool operator==(const BirthInput&, const BirthInput&) = default;
};

struct Cell {
    int lord = 0;      // planet whose name and colour the cell shows
    AgeTriple age;     // age at which the cell's period begins (zero for cell 1 and hidden cells)
    bool shown = true; // false for the cells of row 1 past the end of the birth mahadasa

    friend bool operator==(const Cell&, const Cell&) = default;
};

struct Result {
    int nakshatra = 0; // 1..27
    std::string nakshatraName;
    int birthLord = 0;
    int birthDay = 0, birthMonth = 0, birthYear = 0; // the birth date as converted
    bool onNakshatraStart = false; // the Moon stands exactly on its nakshatra's first point

    // Arcs, in tenths of an arc-second. The ayanamsa is 22°27′38″, or for a tropical position that
    // value corrected by 50.3″ a year from 1900 to the birth year; only a tropical position has it
    // subtracted.
    std::int64_t ayanamsa = 0;
    std::int64_t moonLongitude = 0;  // the Moon's sidereal longitude: 0 .. 12,959,999
    std::int64_t arcInNakshatra = 0; // the arc passed since the nakshatra's start: 0 .. 479,999

    // The birth mahadasa split at birth, exactly: the years of it still to run and the days of it
    // already run. Together they make the whole mahadasa.
    NakshatraFraction balanceYears;
    NakshatraFraction mahadasaDaysRun;

    std::array<Cell, 82> cells{}; // cells[1..81]; cells[0] is unused

    // "23.12.2012": day, month and year unpadded, as entered.
    std::string birthDateText() const;

    friend bool operator==(const Result&, const Result&) = default;
};

using Outcome = Refused<Result>;

// Holds the run state of its calculations for the life of the window, to itself: callers see
// only results. Every calculation rewrites what it needs of the state; a refused input leaves it
// exactly as it was. Two engines are equal when their states are, so a copy taken before a
// calculation shows whether it changed anything.
class Engine {
public:
    Outcome calculate(const BirthInput& input);

    friend bool operator==(const Engine&, const Engine&) = default;

private:
    RunState state_;
};

} // namespace zeitrad
