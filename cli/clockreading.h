// The birth moment as --born takes it, "T.M.J H:MM" or "T.M.J H:MM:SS": a date and a time on the
// clock, read without Qt so that it can be fuzzed on its own.
#pragma once

#include <string_view>

#include "engine/civildate.h"
#include "engine/refusal.h"

namespace zeitrad::cli {

struct ClockReading {
    CivilDate date;
    int hour = 0, minute = 0, second = 0;
};

// The date (which must exist, years 1..9999) and the time (0:00:00 .. 23:59:59); blanks around
// and between the two are allowed. Anything else is refused with a German message quoting the
// text.
Refused<ClockReading> readClock(std::string_view text);

} // namespace zeitrad::cli
