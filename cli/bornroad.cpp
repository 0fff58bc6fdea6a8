#include "cli/bornroad.h"

#include <QDateTime>
#include <QStringList>

#include <cmath>

#include "birth/moment.h"
#include "birth/moonreading.h"
#include "cli/clockreading.h"
#include "engine/geography.h"

namespace zeitrad::cli {

namespace {

using birth::LocalBirth;
using birth::Place;

std::string text(const QString& s) {
    return s.toStdString();
}

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed();
}

// "1985-05-12T11:27:00Z", with milliseconds where the moment has any (local mean time).
std::string isoUtc(double utcMSecs) {
    const qint64 ms = std::llround(utcMSecs);
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    const bool whole = at.time().msec() == 0;
    return text(at.toString(whole ? "yyyy-MM-ddTHH:mm:ss" : "yyyy-MM-ddTHH:mm:ss.zzz")) + 'Z';
}

// The place named "Ort" or "Ort, Land" / "Ort, Bundesland" (the last part chooses among
// namesakes); the most populous one otherwise.
Refused<Place> placeNamed(const QString& typed, birth::Atlas* atlas) {
    const QStringList parts = typed.split(QLatin1Char(','), Qt::SkipEmptyParts);
    std::optional<Place> found;
    if (atlas && !parts.isEmpty())
        found = atlas->exact(parts.first().trimmed(),
                             parts.size() > 1 ? parts.last().trimmed() : QString());
    if (!found)
        return Refusal{text("Den Ort „" + typed +
                            "“ kennt der Ortsatlas nicht. Geben Sie den nächstgelegenen größeren "
                            "Ort an, oder Zeitzone (--zone) bzw. Länge (--lmt) selbst.")};
    return *found;
}

// Of two moments the clocks showed, the one --sommerzeit chose; refused, naming both, without.
Refused<birth::ZoneMoment> chosenMoment(const LocalBirth& local, const birth::BirthMoments& m,
                                        std::optional<bool> summerTime) {
    if (!summerTime) {
        QStringList both;
        for (const birth::ZoneMoment& c : m.choices)
            both << birth::choiceText(local.time, c) + " = " +
                        QDateTime::fromMSecsSinceEpoch(c.utcMSecs, QTimeZone::utc())
                            .toString("HH:mm") +
                        " UTC";
        return Refusal{text(local.time.toString("HH:mm:ss") + " gab es am " +
                            local.date.toString("dd.MM.yyyy") + " in der Zeitzone " + local.zoneId +
                            " zweimal: " + both.join(" und ") +
                            ". Welche gemeint ist, sagt --sommerzeit ja oder nein.")};
    }
    // The one on summer time or not; if the zone's data does not tell them apart, the earlier
    // (before the clocks went back) counts as the summer time.
    const auto matching = std::count_if(m.choices.begin(), m.choices.end(),
                                        [&](auto& c) { return c.daylightTime == *summerTime; });
    if (matching == 1)
        return *std::find_if(m.choices.begin(), m.choices.end(),
                             [&](auto& c) { return c.daylightTime == *summerTime; });
    return *summerTime ? m.choices.first() : m.choices.last();
}

} // namespace

namespace {

// How a time the clocks showed twice is taken: as --sommerzeit says (refused without it), or the
// earlier of the two, as the register's births are.
struct Twice {
    bool earlier = false;
    std::optional<bool> summerTime;
};

// The common road of every birth: the local date and time on their clocks to the moment, the Moon
// at it, the fields that "Übernehmen" writes and the facts. `born` comes with the place's facts
// (and the name) filled in; `placeLine` is the text's line of the place, if any.
Refused<BornBirth> computeLocal(const LocalBirth& local, const Twice& twice, BornBirth born,
                                const QString& placeLine, bool timeUnknown) {
    BirthFacts& facts = born.facts;
    const auto moments = birth::birthMoments(local);
    if (const auto* refusal = std::get_if<Refusal>(&moments))
        return *refusal;
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(moments);
    double utcMSecs = m.utcMSecs;
    // Read on the place's own mean time (before its zone kept standard time): the zone is "LMT".
    bool placeMeanTime = m.placeMeanTime;
    if (!m.choices.isEmpty() && !twice.earlier) {
        const auto chosen = chosenMoment(local, m, twice.summerTime);
        if (const auto* refusal = std::get_if<Refusal>(&chosen))
            return *refusal;
        utcMSecs = double(std::get<birth::ZoneMoment>(chosen).utcMSecs);
        placeMeanTime = std::get<birth::ZoneMoment>(chosen).placeMeanTime;
    }

    // As "Übernehmen" in the Moon calculator: the local date and the rounded tropical position.
    const auto reading = birth::readMoon(utcMSecs, local.date);
    if (const auto* refusal = std::get_if<Refusal>(&reading))
        return *refusal;
    const birth::MoonReading& r = std::get<birth::MoonReading>(reading);
    born.fields = r.fields;
    facts.moonTropical = r.longitude;
    facts.ayanamsa = double(r.ayanamsa) / 36'000.0;
    facts.moonSidereal = std::fmod(r.longitude - facts.ayanamsa + 360.0, 360.0);

    facts.local =
        text(QDateTime(local.date, local.time, QTimeZone::utc()).toString("yyyy-MM-ddTHH:mm:ss"));
    facts.zone = text(placeMeanTime ? birth::localMeanTimeId : local.zoneId);
    facts.utc = isoUtc(utcMSecs);

    const qint64 offset =
        std::llround((double(birth::localAsUtcMSecs(local.date, local.time)) - utcMSecs) / 1000.0);
    const QString clocks =
        local.zoneId == birth::localMeanTimeId
            ? "mittlere Ortszeit bei " + Place::longitudeText(*local.longitudeDegrees)
            : local.zoneId;
    facts.lines.push_back(text("Geburtszeit: " + local.date.toString("dd.MM.yyyy") + " " +
                               local.time.toString("HH:mm:ss") + " " + clocks + " (" +
                               birth::offsetText(int(offset)) + ")"));
    if (timeUnknown)
        facts.lines.push_back("Die Geburtszeit ist unbekannt: gerechnet mit 12:00 Uhr am "
                              "Geburtsort.");
    if (!placeLine.isEmpty())
        facts.lines.push_back(text(placeLine));
    // The Moon calculator's lines but its nakshatra, which the answer gives anyway.
    for (const QString& line : r.text.split('\n'))
        if (!line.startsWith("Nakshatra:"))
            facts.lines.push_back(text(line));
    return born;
}

} // namespace

Refused<BornBirth> computeBorn(const BornOptions& options, birth::Atlas* atlas) {
    const auto clock = readClock(options.moment);
    if (const auto* refusal = std::get_if<Refusal>(&clock))
        return *refusal;
    const ClockReading& c = std::get<ClockReading>(clock);
    LocalBirth local{
        QDate(c.date.year, c.date.month, c.date.day), QTime(c.hour, c.minute, c.second), {}, {}};

    BornBirth born;
    const QString where = qtext(options.where);
    QString placeLine;
    switch (options.clocks) {
    case Clocks::zone:
        local.zoneId =
            where.compare(birth::utcZoneId, Qt::CaseInsensitive) == 0 ? birth::utcZoneId : where;
        break;
    case Clocks::place: {
        auto found = placeNamed(where, atlas);
        if (const auto* refusal = std::get_if<Refusal>(&found))
            return *refusal;
        const Place& place = std::get<Place>(found);
        // The zone's rules, and the place's own mean time before the zone kept standard time.
        local.zoneId = place.zoneId;
        local.longitudeDegrees = place.longitude;
        local.placeName = place.name;
        born.facts.place = BirthFacts::Place{text(place.name), text(place.country), place.latitude,
                                             place.longitude};
        placeLine = "Geburtsort: " + place.label() + " (" + place.coordinates() + ")";
        break;
    }
    case Clocks::meanTime: {
        const auto longitude = parseGeoLongitude(options.where);
        if (const auto* refusal = std::get_if<Refusal>(&longitude))
            return *refusal;
        local.zoneId = birth::localMeanTimeId;
        local.longitudeDegrees = std::get<GeoLongitude>(longitude).degrees;
        break;
    }
    }
    return computeLocal(local, Twice{false, options.summerTime}, std::move(born), placeLine, false);
}

Refused<BornBirth> computeBirth(const birth::Birth& b) {
    const QString name = b.name();
    if (!b.date.isValid())
        return Refusal{text("„" + name + "“: das Geburtsdatum fehlt.")};
    if (b.zone.isEmpty())
        return Refusal{text("„" + name +
                            "“: die Zeitzone der Geburt ist nicht bekannt; bitte im Register "
                            "oder als #B93 ergänzen.")};
    // As the register's Moon does: the local time, or 12:00 when it is not known, on the zone's
    // clocks with the place's longitude (its own mean time before the zone's standard time).
    LocalBirth local{b.date, b.time.value_or(QTime(12, 0)), b.zone, b.longitude, b.place};
    if (b.zone.compare(birth::utcZoneId, Qt::CaseInsensitive) == 0)
        local.zoneId = birth::utcZoneId;
    BornBirth born;
    born.facts.name = text(name);
    QString placeLine;
    if (b.latitude && b.longitude) {
        born.facts.place =
            BirthFacts::Place{text(b.place), text(b.country), *b.latitude, *b.longitude};
        placeLine = "Geburtsort: " + b.place + (b.country.isEmpty() ? "" : ", " + b.country) +
                    " (" + Place::coordinateText(*b.latitude, *b.longitude) + ")";
    } else if (!b.place.isEmpty()) {
        placeLine = "Geburtsort: " + b.place + (b.country.isEmpty() ? "" : ", " + b.country);
    }
    return computeLocal(local, Twice{true, {}}, std::move(born), placeLine, !b.time.has_value());
}

} // namespace zeitrad::cli
