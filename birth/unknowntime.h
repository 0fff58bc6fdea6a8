// What can be said of the Moon when a birth's time is unknown.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

#include "astronomy/ayanamsa.h"
#include "birth/clocks.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

// For an unknown birth time: "Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen
// Stier 12°03′ und Stier 25°10′; die Nakshatra wechselt um 14:12 von Rohini zu Mrigashiraa." or
// "...; die Nakshatra bleibt den ganzen Tag Rohini." The day runs from 0:00 to 24:00 on the
// clocks (the longitude is needed for local mean time). Under Zeitrad's own ayanamsa the
// positions are tropical and the nakshatras those the input screen's formula gives; under any
// other the positions are sidereal, under that ayanamsa, and the text names it.
Refused<QString> unknownTimeText(const QDate& date, const Clocks& clocks,
                                 std::optional<double> longitude,
                                 astronomy::Ayanamsa ayanamsa = astronomy::Ayanamsa::zeitrad);

} // namespace zeitrad::birth
