// The moment of a birth: a local date and time on a zone's clocks, or in local mean time at a
// longitude, turned into the moments on the civil time scale (UTC from 1960, mean solar time at
// Greenwich before) that it stands for.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>

#include "birth/clocks.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

struct Birth;

// A birth as its certificate gives it: the local date and time and the clocks they were read on.
struct LocalBirth {
    QDate date;
    QTime time;
    // The clocks; local mean time is that of longitudeDegrees.
    Clocks clocks = Clocks::utc();
    // The birth place's longitude, degrees east of Greenwich (west negative). Local mean time
    // needs it; with a zone it counts while the zone's clocks showed local mean time: the place
    // then kept its own mean time, not the zone city's.
    std::optional<double> longitudeDegrees;
    // The birth place's name, for the text that says which clocks were read ("Ravensburg").
    QString placeName = {};
};

// One moment that a local date and time in a zone stands for.
struct ZoneMoment {
    qint64 utcMSecs = 0; // milliseconds since 1970 on the civil time scale (UTC, or UT before 1960)
    int offsetSeconds = 0;
    bool daylightTime = false;
    bool placeMeanTime = false; // the birth place's own mean time, not the zone's clocks
};

// The moment a birth stands for.
struct BirthMoments {
    // Milliseconds since 1970 on the civil time scale, fractional for local mean time; of two
    // moments the earlier.
    double utcMSecs = 0;
    // Both moments, earlier first, when the zone's clocks showed the time twice; else empty.
    QList<ZoneMoment> choices;
    // Which clocks the time was read on, for the earlier moment: "Zeitzone Europe/Berlin
    // (UTC+0:53:28)", "Ortszeit Ravensburg (LMT, 9° 37′ O)", "UTC".
    QString clock;
    // The earlier moment was read on the birth place's own mean time, not on the zone's clocks.
    bool placeMeanTime = false;
};

// The moment of a birth. A zone with a longitude: where the zone's clocks showed local mean
// time, the place's own mean time counts (Ravensburg 1880 is UT + 0:38:27, not Berlin's
// + 0:53:28); a zone time that is not local mean time (Bern's in Zürich, railway times) stays the
// zone's. Refused, with the German reason: an unknown zone, local mean time without a longitude, a
// time the clocks skipped.
Refused<BirthMoments> birthMoments(const LocalBirth& birth);

// "Die Zeitzone „Mars/Olympus“ ist nicht bekannt."
Refusal unknownZone(const QString& zoneId);

// The moments at which a zone's clocks showed this local date and time, earliest first: none
// when the clocks skipped it, two when they went back over it.
QList<ZoneMoment> zoneMoments(const QDate& date, const QTime& time, const QTimeZone& zone);

// Of two moments the clocks showed, the one on summer time (or not); when the zone's data does
// not tell them apart, the earlier (before the clocks went back) counts as the summer time.
const ZoneMoment& summerTimeChoice(const BirthMoments& moments, bool summerTime);

// A birth of the register as its certificate gives it: its local time, or 12:00 when unknown, on
// its clocks, with its longitude and place. Refused, with the German reason and the birth's name,
// without a date or without clocks.
Refused<LocalBirth> localBirth(const Birth& birth);

// The earlier moment a birth stands for (localBirth(), then birthMoments()), in milliseconds
// since 1970 on the civil time scale.
Refused<double> birthUtcMSecs(const Birth& birth);

// The local date and time read as if they were UTC, in milliseconds since 1970.
qint64 localAsUtcMSecs(const QDate& date, const QTime& time);

// "UTC+2", "UTC−5", "UTC+0:53:28": an offset as a reader of a birth certificate knows it.
QString offsetText(int seconds);

// "02:30 Sommerzeit (UTC+2)", "23:55 Ortszeit (UTC+1:01:46)": one of two moments, as the
// question between them offers it.
QString choiceText(const QTime& time, const ZoneMoment& moment);

} // namespace zeitrad::birth
