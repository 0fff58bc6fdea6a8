// The road of a birth: its clocks, the moment its local time stands for, the Moon then, and the
// input screen's fields that hold that Moon. The window opening a birth of the register, the Moon
// calculator and zeitrad-dasa all walk it here; they only collect the birth and show the answer.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

#include "birth/atlas.h"
#include "birth/birth.h"
#include "birth/moment.h"
#include "birth/moonreading.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

// The Moon at one moment of a birth.
struct BirthMoon {
    LocalBirth local;           // the local date and time reckoned with, on the birth's clocks
    bool timeUnknown = false;   // the birth's time is not known: reckoned with 12:00
    double utcMSecs = 0;        // the moment: ms since 1970 on the civil time scale
    int offsetSeconds = 0;      // local time less the moment, to the second
    bool placeMeanTime = false; // read on the birth place's own mean time, not the zone's clocks
    QString clock; // which clocks: "Zonenzeit Europe/Berlin (UTC+2)", "Ortszeit Ravensburg (…)"
    MoonReading reading; // the Moon, and the fields that "Übernehmen" writes
};

using astronomy::MoonOrigin;
// The origin of a birth's Moon.
MoonOrigin originOf(const BirthMoon& moon);
// The origin of fields typed with a tropical position: that position, at 12:00 Universal Time of
// the birth date (an ayanamsa moves 0.14″ a day); none for a sidereal position, whose ayanamsa
// nobody knows, or fields that are no date.
std::optional<MoonOrigin> originOfTyped(const BirthInput& fields);

// The input fields the same Moon gives under one ayanamsa: Zeitrad's own takes the tropical
// position rounded to the arc-second, "tropisch" ticked; any other the sidereal one, unticked.
// Refused when the ephemeris cannot answer.
Refused<BirthInput> fieldsUnder(const MoonOrigin& origin, astronomy::Ayanamsa ayanamsa);

// The moments that a birth's local time (12:00 when unknown) stands for on its clocks: one, or two
// when the clocks went back over it. Refused, with the German reason: no date, no clocks, an
// unknown zone, a time the clocks skipped.
Refused<BirthMoments> momentsOf(const Birth& birth);

// The Moon at one of those moments: `chosen` (one of moments.choices), or the earlier one, made
// sidereal by the birth's ayanamsa. Refused when the astronomy does not cover the moment.
Refused<BirthMoon> moonAt(const Birth& birth, const BirthMoments& moments,
                          const ZoneMoment* chosen = nullptr);

// The Moon at the earlier moment: how a birth of the register or of a file is reckoned.
Refused<BirthMoon> moonOf(const Birth& birth);

// What the Moon calculator's fields hold.
struct BirthFields {
    QString name; // "Nachname, Vorname"
    QDate date;
    std::optional<QTime> time; // none: not known
    // The place taken from the atlas; placeText is the field's text, which must name it (or be
    // empty). keepPlace: the field reads as the opened birth left it, whose place, country and
    // coordinates are then kept, shown or not.
    std::optional<Place> place;
    QString placeText;
    bool keepPlace = false;
    QString clocks;    // the zone field: a zone id, "UTC", a fixed offset or "LMT"
    QString longitude; // the longitude field as typed: for local mean time and a place's own
    astronomy::Ayanamsa ayanamsa = astronomy::Ayanamsa::zeitrad; // the choice "Ayanamsa"
};

// The birth the fields stand for, on `opened` (the birth opened from the register: its number,
// kind and note stay). Refused, with the German reason: a place typed but not taken, unknown
// clocks, a longitude that cannot be read where it counts.
Refused<Birth> birthOf(const BirthFields& fields, const std::optional<Birth>& opened = {});

} // namespace zeitrad::birth
