// The Moon at a moment, as the Moon calculator shows it: the moment, the tropical and the sidereal
// position, the nakshatra with its lord, and a warning when ten minutes either way would change
// the nakshatra.
#pragma once

#include <QString>

#include <variant>

#include "moon/moondialog.h"

namespace zeitrad::ui {

struct MoonReading {
    MoonFields fields; // the position as the input fields take it (the date left to the caller)
    int nakshatra = 0; // 1..27, as the calculation will find it from those fields
    QString text;      // the lines the dialog shows
};

// utcMSecs: milliseconds since 1970 on the civil time scale (UTC from 1960, mean solar time
// before), fractions allowed. civilYear: the year written into the year field, whose ayanamsa the
// calculation will use. A moment the astronomy does not cover gives the German reason.
std::variant<MoonReading, QString> readMoon(double utcMSecs, int civilYear);

} // namespace zeitrad::ui
