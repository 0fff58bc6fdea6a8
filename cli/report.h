// The three forms of zeitrad-dasa's answer, from one calculation and its period list.
#pragma once

#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/periods.h"

namespace zeitrad::cli {

// What every form is written from: the result, its periods and the positions of the periods
// running on the chosen day (as runningOn gives them).
struct Report {
    const Result& result;
    const PeriodList& list;
    const std::vector<int>& running;
    CivilDate on;
};

// The nakshatra and its lord, the overview as a 9 x 9 table and the periods down to `depth`
// levels, the running ones marked with '*'.
std::string textReport(const Report& report, int depth);

// One JSON object: the nakshatra, the birth date, the year length, the 81 cells and the periods
// as deep as the list was built.
std::string jsonReport(const Report& report);

} // namespace zeitrad::cli
