// The Moon at a birth's moment, as the Moon calculator shows it: the moment, the tropical and the
// sidereal position, the nakshatra with its lord, and a warning when ten minutes either way would
// change the nakshatra; and the input fields that hold that position.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

#include "astronomy/moon.h"
#include "engine/calculation.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

struct MoonReading {
    BirthInput fields;                // the civil date and the tropical position, tropical ticked
    double longitude = 0;             // the apparent tropical longitude, degrees, not rounded
    astronomy::SignPosition tropical; // the position rounded to whole arc-seconds
    std::int64_t ayanamsa = 0;        // of the civil year, tenths of an arc-second
    int nakshatra = 0;                // 1..27, as the calculation will find it from the fields
    QString text;                     // the lines the Moon calculator shows
};

// utcMSecs: milliseconds since 1970 on the civil time scale (UTC from 1960, mean solar time
// before), fractions allowed. civilDate: the birth's local date, written into the date fields;
// the calculation uses its year's ayanamsa. A moment the astronomy does not cover is refused with
// the German reason.
Refused<MoonReading> readMoon(double utcMSecs, const QDate& civilDate);

// "Löwe 13° 10′ 02″": a longitude within its sign to the whole arc-second.
QString signLongitudeText(const astronomy::SignPosition& position);

} // namespace zeitrad::birth
