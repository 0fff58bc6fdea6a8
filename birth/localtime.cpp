#include "birth/localtime.h"

#include "birth/atlas.h"

#include <QDateTime>

#include <cmath>

namespace zeitrad::birth {

namespace {

QTimeZone::OffsetData dataAt(const QTimeZone& zone, qint64 utcMSecs) {
    return zone.offsetData(QDateTime::fromMSecsSinceEpoch(utcMSecs, QTimeZone::utc()));
}

} // namespace

bool givesLocalMeanTime(const QTimeZone& zone, qint64 utcMSecs) {
    return zone.isValid() && dataAt(zone, utcMSecs).abbreviation == QLatin1String("LMT");
}

int meanTimeOffset(double longitude) {
    return int(std::lround(longitude * 240.0)); // 360° a day: 4 minutes a degree
}

Refused<std::optional<PlaceMeanTime>> placeMeanTime(const QTimeZone& zone, const QDate& date,
                                                    const QTime& time, const QString& placeName,
                                                    double longitude) {
    const qint64 local = QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
    const int offset = meanTimeOffset(longitude);
    const qint64 onPlaceClock = local - qint64{offset} * 1000;
    if (givesLocalMeanTime(zone, onPlaceClock))
        return std::optional<PlaceMeanTime>(PlaceMeanTime{
            offset, (placeName.isEmpty() ? QStringLiteral("Ortszeit")
                                         : QStringLiteral("Ortszeit ") + placeName) +
                        QStringLiteral(" (LMT, %1)").arg(Place::longitudeText(longitude))});

    // Past the switch on the place's clock. On the zone's new clock the same reading may still
    // fall before the switch: the place's clocks jumped over it.
    const int zoneOffset = dataAt(zone, onPlaceClock).offsetFromUtc;
    const qint64 onZoneClock = local - qint64{zoneOffset} * 1000;
    if (zoneOffset > offset && givesLocalMeanTime(zone, onZoneClock)) {
        return Refusal{QStringLiteral("Um %1 Uhr am %2 gab es %3 keine Uhrzeit: die Uhren "
                                      "sprangen damals von der Ortszeit auf die Zonenzeit vor.")
                           .arg(time.toString(QStringLiteral("HH:mm")),
                                date.toString(QStringLiteral("d.M.yyyy")),
                                placeName.isEmpty() ? QStringLiteral("am Geburtsort")
                                                    : QStringLiteral("in ") + placeName)
                           .toStdString()};
    }
    return std::optional<PlaceMeanTime>();
}

} // namespace zeitrad::birth
