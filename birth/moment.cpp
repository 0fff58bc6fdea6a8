#include "birth/moment.h"

#include <QDateTime>

#include <algorithm>

namespace zeitrad::birth {

qint64 localAsUtcMSecs(const QDate& date, const QTime& time) {
    return QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
}

QList<ZoneMoment> zoneMoments(const QDate& date, const QTime& time, const QTimeZone& zone) {
    // The offsets the zone had a day before and a day after the local time are the candidates
    // (clocks change at most once within a day); a candidate stands for a real moment when the
    // zone had that very offset at that moment.
    const qint64 local = localAsUtcMSecs(date, time);
    constexpr qint64 day = 86'400'000LL;
    const auto dataAt = [&zone](qint64 utc) {
        return zone.offsetData(QDateTime::fromMSecsSinceEpoch(utc, QTimeZone::utc()));
    };
    const int before = dataAt(local - day).offsetFromUtc;
    const int after = dataAt(local + day).offsetFromUtc;

    QList<ZoneMoment> moments;
    for (int offset : {before, after}) {
        if (offset == before && offset == after && !moments.isEmpty())
            break;
        const qint64 utc = local - qint64{offset} * 1000;
        const QTimeZone::OffsetData there = dataAt(utc);
        if (there.offsetFromUtc == offset)
            moments.append({utc, offset, there.daylightTimeOffset != 0});
    }
    std::sort(moments.begin(), moments.end(),
              [](const ZoneMoment& a, const ZoneMoment& b) { return a.utcMSecs < b.utcMSecs; });
    return moments;
}

} // namespace zeitrad::birth
