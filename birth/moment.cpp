#include "birth/moment.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>

#include "birth/atlas.h"
#include "birth/birth.h"
#include "birth/localtime.h"
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
    const Clocks& clocks = birth.clocks;
    if (clocks.isMeanTime()) {
        if (!birth.longitudeDegrees)
            return Refusal{std::string(noLongitudeMessage)};
        const double offset = localMeanTimeOffsetSeconds({*birth.longitudeDegrees});
        return BirthMoments{static_cast<double>(local) - offset * 1000.0,
                            {},
                            "Mittlere Ortszeit (LMT, " +
                                Place::longitudeText(*birth.longitudeDegrees) + ")"};
    }
    // A fixed offset (as an AAF file gives clocks without a zone's name) has one moment for every
    // time, and no rules to ask.
    if (clocks.isOffset())
        return BirthMoments{static_cast<double>(local - qint64{clocks.offsetSeconds()} * 1000),
                            {},
                            clocks.offsetSeconds() == 0 ? QStringLiteral("UTC")
                                                        : "Zonenzeit " + clocks.text()};
    const QString& zoneId = clocks.zoneId();
    const QTimeZone zone(zoneId.toLatin1());
    if (!zone.isValid())
        return unknownZone(zoneId);
    // With the place's longitude known, the zone's clocks count except where they showed the
    // zone city's mean time: the place then read its own. Both can stand for the time where the
    // place's clocks went back at the switch to standard time.
    QList<ZoneMoment> moments;
    QString placeClock;
    if (birth.longitudeDegrees) {
        const auto own =
            placeMeanTime(zone, birth.date, birth.time, birth.placeName, *birth.longitudeDegrees);
        if (const auto* refusal = std::get_if<Refusal>(&own))
            return *refusal;
        if (const auto& mean = std::get<std::optional<PlaceMeanTime>>(own)) {
            moments.append(
                {local - qint64{mean->offsetSeconds} * 1000, mean->offsetSeconds, false, true});
            placeClock = mean->text;
        }
    }
    for (const ZoneMoment& moment : zoneMoments(birth.date, birth.time, zone))
        if (!birth.longitudeDegrees || !givesLocalMeanTime(zone, moment.utcMSecs))
            moments.append(moment);
    if (moments.isEmpty())
        return Refusal{(birth.time.toString("HH:mm:ss") + " gab es am " +
                        birth.date.toString("dd.MM.yyyy") + " in der Zeitzone " + zoneId +
                        " nicht: die Uhren wurden über diese Zeit vorgestellt.")
                           .toStdString()};
    std::sort(moments.begin(), moments.end(),
              [](const ZoneMoment& a, const ZoneMoment& b) { return a.utcMSecs < b.utcMSecs; });
    const ZoneMoment& first = moments.first();
    BirthMoments found{static_cast<double>(first.utcMSecs), {}, {}};
    found.placeMeanTime = first.placeMeanTime;
    if (first.placeMeanTime)
        found.clock = placeClock;
    else if (givesLocalMeanTime(zone, first.utcMSecs))
        found.clock =
            "Ortszeit der Zonenstadt " + zoneId + " (LMT, " + offsetText(first.offsetSeconds) + ")";
    else
        found.clock = "Zonenzeit " + zoneId + " (" + offsetText(first.offsetSeconds) + ")";
    if (moments.size() > 1)
        found.choices = moments;
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
    const QString kind = moment.placeMeanTime  ? "Ortszeit"
                         : moment.daylightTime ? "Sommerzeit"
                                               : "Normalzeit";
    return time.toString("HH:mm") + " " + kind + " (" + offsetText(moment.offsetSeconds) + ")";
}

const ZoneMoment& summerTimeChoice(const BirthMoments& moments, bool summerTime) {
    const auto& c = moments.choices;
    const auto matching = std::count_if(
        c.begin(), c.end(), [&](const ZoneMoment& m) { return m.daylightTime == summerTime; });
    if (matching == 1)
        return *std::find_if(c.begin(), c.end(),
                             [&](const ZoneMoment& m) { return m.daylightTime == summerTime; });
    return summerTime ? c.first() : c.last();
}

Refused<LocalBirth> localBirth(const Birth& birth) {
    const QString name = birth.name();
    if (!birth.date.isValid())
        return Refusal{("„" + name + "“: das Geburtsdatum fehlt.").toStdString()};
    if (!birth.clocks)
        return Refusal{("„" + name +
                        "“: die Zeitzone der Geburt ist nicht bekannt; bitte im Register oder als "
                        "#B93 ergänzen.")
                           .toStdString()};
    return LocalBirth{birth.date, birth.time.value_or(QTime(12, 0)), *birth.clocks, birth.longitude,
                      birth.place};
}

Refused<double> birthUtcMSecs(const Birth& birth) {
    const Refused<LocalBirth> local = localBirth(birth);
    if (const auto* r = std::get_if<Refusal>(&local))
        return *r;
    const Refused<BirthMoments> moments = birthMoments(std::get<LocalBirth>(local));
    if (const auto* r = std::get_if<Refusal>(&moments))
        return *r;
    return std::get<BirthMoments>(moments).utcMSecs;
}

} // namespace zeitrad::birth
