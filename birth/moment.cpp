#include "birth/moment.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>

#include "engine/geography.h"

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

Refusal unknownZone(const QString& zoneId) {
    return {("Die Zeitzone „" + zoneId + "“ ist nicht bekannt.").toStdString()};
}

Refused<BirthMoments> birthMoments(const LocalBirth& birth) {
    if (!birth.date.isValid() || !birth.time.isValid())
        return Refusal{"Das Geburtsdatum oder die Geburtszeit fehlt."};
    const qint64 local = localAsUtcMSecs(birth.date, birth.time);
    if (birth.zoneId == utcZoneId)
        return BirthMoments{static_cast<double>(local), {}};
    if (birth.zoneId == localMeanTimeId) {
        if (!birth.longitudeDegrees)
            return Refusal{std::string(noLongitudeMessage)};
        const double offset = localMeanTimeOffsetSeconds({*birth.longitudeDegrees});
        return BirthMoments{static_cast<double>(local) - offset * 1000.0, {}};
    }
    // A zone's own rules; the place's longitude is not needed for them.
    const QTimeZone zone(birth.zoneId.toLatin1());
    if (!zone.isValid())
        return unknownZone(birth.zoneId);
    BirthMoments found;
    found.choices = zoneMoments(birth.date, birth.time, zone);
    if (found.choices.isEmpty())
        return Refusal{(birth.time.toString("HH:mm:ss") + " gab es am " +
                        birth.date.toString("dd.MM.yyyy") + " in der Zeitzone " + birth.zoneId +
                        " nicht: die Uhren wurden über diese Zeit vorgestellt.")
                           .toStdString()};
    found.utcMSecs = static_cast<double>(found.choices.first().utcMSecs);
    if (found.choices.size() == 1)
        found.choices.clear();
    return found;
}

QString offsetText(int seconds) {
    const QChar sign = seconds < 0 ? QChar(0x2212) : QChar('+');
    const int s = std::abs(seconds);
    QString text = QStringLiteral("UTC") + sign + QString::number(s / 3600);
    if (s % 3600 != 0) {
        text += QStringLiteral(":%1").arg(s % 3600 / 60, 2, 10, QChar('0'));
        if (s % 60 != 0)
            text += QStringLiteral(":%1").arg(s % 60, 2, 10, QChar('0'));
    }
    return text;
}

QString choiceText(const QTime& time, const ZoneMoment& moment) {
    const QString kind = moment.daylightTime ? "Sommerzeit" : "Normalzeit";
    return time.toString("HH:mm") + " " + kind + " (" + offsetText(moment.offsetSeconds) + ")";
}

} // namespace zeitrad::birth
