// The Moon at a birth's moment, as the Moon calculator shows it: the moment, the tropical and the
// sidereal position under the birth's ayanamsa, the nakshatra with its lord, and a warning when
// ten minutes either way would change the nakshatra; and the input fields that hold that position.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

#include "astronomy/moon.h"
#include "engine/calculation.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

struct MoonReading {
    // The civil date and, under Zeitrad's own ayanamsa, the tropical position with "tropisch"
    // ticked (the input screen's formula applies), under any other the sidereal position with it
    // unticked.
    BirthInput fields;
    double longitude = 0;             // the apparent tropical longitude, degrees, not rounded
    astronomy::SignPosition tropical; // the position rounded to whole arc-seconds
    astronomy::Ayanamsa ayanamsa = astronomy::Ayanamsa::zeitrad;
    double ayanamsaDegrees = 0;   // Zeitrad's: of the civil year; any other: at the moment
    double siderealLongitude = 0; // the longitude less that ayanamsa, degrees, not rounded
    int nakshatra = 0;            // 1..27, as the calculation will find it from the fields
    QString text;                 // the lines the Moon calculator shows
};

// utcMSecs: milliseconds since 1970 on the civil time scale (UTC from 1960, mean solar time
// before), fractions allowed. civilDate: the birth's local date, written into the date fields;
// Zeitrad's own ayanamsa is that of its year. The ten-minute warning uses the same ayanamsa. A
// moment the astronomy does not cover is refused with the German reason.
Refused<MoonReading> readMoon(double utcMSecs, const QDate& civilDate,
                              astronomy::Ayanamsa ayanamsa = astronomy::Ayanamsa::zeitrad);

// Moment of the civil time scale (ms since 1970) as the astronomy takes it.
astronomy::Moment astronomyMoment(double utcMSecs);

// "Ayanamsa 1985: 23° 38′ 53″" or "Ayanamsa Lahiri (Chitrapaksha): 23° 39′ 11″": which ayanamsa
// and its value, to the whole arc-second.
QString ayanamsaText(const astronomy::Position& position, int civilYear);

// "Löwe 13° 10′ 02″": a longitude within its sign to the whole arc-second.
QString signLongitudeText(const astronomy::SignPosition& position);

} // namespace zeitrad::birth
