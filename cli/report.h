// The three forms of zeitrad-dasa's answer, from one calculation and its period list.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/periods.h"

namespace zeitrad::cli {

// A birth given by its date, time and place, as the JSON "birth" object and the first lines of
// the text tell it.
struct BirthFacts {
    struct Place {
        std::string name, country;
        double latitude = 0, longitude = 0;
    };
    std::optional<std::string> name; // a birth of the register; none for --born
    std::string local;               // "1985-05-12T13:27:00"
    std::string zone;                // "Europe/Berlin", "UTC" or "LMT"
    std::string utc;                 // "1985-05-12T11:27:00Z", milliseconds where there are any
    std::optional<Place> place;      // the atlas's place, if one was named
    double moonTropical = 0;         // the apparent longitude, degrees, not rounded
    double moonSidereal = 0;         // moonTropical less the ayanamsa, 0 <= degrees < 360
    // Zeitrad's own: of the civil year, as the calculation uses it; any other: at the moment.
    double ayanamsa = 0;            // degrees
    std::string ayanamsaName;       // its name on the command line: "zeitrad", "lahiri", …
    std::vector<std::string> lines; // the birth moment, the place and the Moon, for the text
};

// What every form is written from: the result, its periods and the positions of the periods
// running on the chosen day (as runningOn gives them).
struct Report {
    const Result& result;
    const PeriodList& list;
    const std::vector<int>& running;
    CivilDate on;
    const BirthFacts* birth = nullptr; // none on the road of the field texts
};

// The nakshatra and its lord, the overview as a 9 x 9 table and the periods down to `depth`
// levels, the running ones marked with '*'.
std::string textReport(const Report& report, int depth);

// One JSON object: the birth (null on the road of the field texts), the nakshatra, the birth
// date, the year length, the 81 cells and the periods
// as deep as the list was built.
std::string jsonReport(const Report& report);

} // namespace zeitrad::cli
