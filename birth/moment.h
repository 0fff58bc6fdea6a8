// The moment of a birth: a local date and time on a zone's clocks, turned into the moments on the
// civil time scale (UTC from 1960, mean solar time at Greenwich before) that it stands for.
#pragma once

#include <QDate>
#include <QList>
#include <QTime>
#include <QTimeZone>

namespace zeitrad::birth {

// One moment that a local date and time in a zone stands for.
struct ZoneMoment {
    qint64 utcMSecs = 0; // milliseconds since 1970 on the civil time scale (UTC, or UT before 1960)
    int offsetSeconds = 0;
    bool daylightTime = false;
};

// The moments at which a zone's clocks showed this local date and time, earliest first: none
// when the clocks skipped it, two when they went back over it.
QList<ZoneMoment> zoneMoments(const QDate& date, const QTime& time, const QTimeZone& zone);

// The local date and time read as if they were UTC, in milliseconds since 1970.
qint64 localAsUtcMSecs(const QDate& date, const QTime& time);

} // namespace zeitrad::birth
