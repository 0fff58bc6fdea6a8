// Local mean time at the birth place. Before a zone took up a standard time, tzdata gives the
// mean solar time of the zone's own city (abbreviation "LMT": Berlin's +0:53:28 until
// 1 April 1893). A birth in another town of the zone was then timed on that town's clocks, the
// mean time of its own longitude: Ravensburg 1880 is UT + 0:38:27. A zone time that is not LMT
// (Bern mean time in Zürich 1853-1894, railway times) was the legal time and stays the zone's.
#pragma once

#include "engine/refusal.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace zeitrad::birth {

// Whether the zone's clocks showed local mean time at this moment (ms since 1970, UT).
bool givesLocalMeanTime(const QTimeZone& zone, qint64 utcMSecs);

// The offset from UT of the mean solar time at a longitude (east positive), to the second.
int meanTimeOffset(double longitude);

// A birth time read on the place's own mean time.
struct PlaceMeanTime {
    int offsetSeconds = 0; // UT = local time - offset
    QString text;          // "Ortszeit Ravensburg (LMT, 9° 37′ O)"
};

// The place's mean time when the zone gave local mean time at the moment the place's clocks
// showed this date and time; no value when the zone's clocks (standard time, or another mean
// time such as Bern's) give the moment. Refused when the time lies in the minutes the place's
// clocks skipped as the zone went from mean time to standard time.
Refused<std::optional<PlaceMeanTime>> placeMeanTime(const QTimeZone& zone, const QDate& date,
                                                    const QTime& time, const QString& placeName,
                                                    double longitude);

} // namespace zeitrad::birth
