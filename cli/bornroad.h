// The birth road of zeitrad-dasa: a birth's date, time and clocks (a zone, a place of the atlas or
// local mean time at a longitude) turned into the input fields that the window's Moon calculator
// writes on "Übernehmen", and what the answer tells of the birth. Qt Core, through the birth
// library, as in the window.
#pragma once

#include "birth/atlas.h"
#include "birth/birth.h"
#include "cli/options.h"
#include "cli/report.h"
#include "engine/calculation.h"
#include "engine/refusal.h"

namespace zeitrad::cli {

struct BornBirth {
    BirthInput fields; // the local date and the tropical position to the arc-second, tropical
    BirthFacts facts;
    birth::Birth birth; // the birth reckoned with (its ayanamsa the one chosen)
};

// The birth; atlas may be null unless the clocks are a place's. Refused, with the German reason:
// an unreadable date, time or longitude, an unknown zone or place, a time the clocks skipped, one
// they showed twice unless the summer time was chosen, a year outside 1800..2199.
// The Moon is made sidereal by `ayanamsa` (Zeitrad's own when none is given).
Refused<BornBirth> computeBorn(const BornOptions& options, birth::Atlas* atlas,
                               std::optional<astronomy::Ayanamsa> ayanamsa = {});

// A birth of the register or of an AAF file, by the same road, with its name: the local time (12:00
// when unknown, which the text says) on its zone's clocks, or in local mean time at its longitude;
// of a time the clocks showed twice the earlier, as the register's Moon takes it. Refused, with
// the German reason and the birth's name: no date, an unknown zone, a skipped time, a year
// outside 1800..2199. The Moon is made sidereal by `ayanamsa`, or when none is given by the
// birth's own (Zeitrad's for a birth of an AAF file).
Refused<BornBirth> computeBirth(const birth::Birth& birth,
                                std::optional<astronomy::Ayanamsa> ayanamsa = {});

} // namespace zeitrad::cli
