#include "cli/bornroad.h"

#include <QDateTime>
#include <QStringList>

#include <cmath>

#include "birth/road.h"
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
Refused<const birth::ZoneMoment*> chosenMoment(const birth::LocalBirth& local,
                                               const birth::BirthMoments& m,
                                               std::optional<bool> summerTime) {
    if (!summerTime) {
        QStringList both;
        for (const birth::ZoneMoment& c : m.choices)
            both << birth::choiceText(local.time, c) + " = " +
                        QDateTime::fromMSecsSinceEpoch(c.utcMSecs, QTimeZone::utc())
                            .toString("HH:mm") +
                        " UTC";
        return Refusal{text(local.time.toString("HH:mm:ss") + " gab es am " +
                            local.date.toString("dd.MM.yyyy") + " in der Zeitzone " +
                            local.clocks.text() + " zweimal: " + both.join(" und ") +
                            ". Welche gemeint ist, sagt --sommerzeit ja oder nein.")};
    }
    return &birth::summerTimeChoice(m, *summerTime);
}

// The answer's facts of a birth's Moon: the moment, the Moon and the lines the text begins with.
// `born` comes with the place's facts (and the name) filled in; `placeLine` is the text's line of
// the place, if any.
BornBirth answerOf(const birth::BirthMoon& moon, BornBirth born, const QString& placeLine) {
    BirthFacts& facts = born.facts;
    const birth::MoonReading& r = moon.reading;
    born.fields = r.fields;
    facts.moonTropical = r.longitude;
    facts.ayanamsa = r.ayanamsaDegrees;
    facts.ayanamsaName = std::string(astronomy::ayanamsaToken(r.ayanamsa));
    facts.moonSidereal = r.siderealLongitude;

    const LocalBirth& local = moon.local;
    facts.local =
        text(QDateTime(local.date, local.time, QTimeZone::utc()).toString("yyyy-MM-ddTHH:mm:ss"));
    // Read on the place's own mean time (before its zone kept standard time): the zone is "LMT".
    facts.zone = text(moon.placeMeanTime ? birth::Clocks::meanTime().text() : local.clocks.text());
    facts.utc = isoUtc(moon.utcMSecs);

    const QString clocks =
        local.clocks.isMeanTime()
            ? "mittlere Ortszeit bei " + Place::longitudeText(*local.longitudeDegrees)
            : local.clocks.text();
    facts.lines.push_back(text("Geburtszeit: " + local.date.toString("dd.MM.yyyy") + " " +
                               local.time.toString("HH:mm:ss") + " " + clocks + " (" +
                               birth::offsetText(moon.offsetSeconds) + ")"));
    if (moon.timeUnknown)
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

Refused<BornBirth> computeBorn(const BornOptions& options, birth::Atlas* atlas,
                               std::optional<astronomy::Ayanamsa> ayanamsa) {
    const auto clock = readClock(options.moment);
    if (const auto* refusal = std::get_if<Refusal>(&clock))
        return *refusal;
    const ClockReading& c = std::get<ClockReading>(clock);
    birth::Birth b;
    b.date = QDate(c.date.year, c.date.month, c.date.day);
    b.time = QTime(c.hour, c.minute, c.second);
    b.ayanamsa = ayanamsa.value_or(astronomy::Ayanamsa::zeitrad);

    BornBirth born;
    const QString where = qtext(options.where);
    QString placeLine;
    switch (options.clocks) {
    case Clocks::zone:
        b.clocks = birth::Clocks::fromText(where);
        if (!b.clocks)
            return birth::unknownZone(where);
        break;
    case Clocks::place: {
        auto found = placeNamed(where, atlas);
        if (const auto* refusal = std::get_if<Refusal>(&found))
            return *refusal;
        const Place& place = std::get<Place>(found);
        // The zone's rules, and the place's own mean time before the zone kept standard time.
        b.clocks = birth::Clocks::zone(place.zoneId);
        b.place = place.name;
        b.latitude = place.latitude;
        b.longitude = place.longitude;
        born.facts.place = BirthFacts::Place{text(place.name), text(place.country), place.latitude,
                                             place.longitude};
        placeLine = "Geburtsort: " + place.label() + " (" + place.coordinates() + ")";
        break;
    }
    case Clocks::meanTime: {
        const auto longitude = parseGeoLongitude(options.where);
        if (const auto* refusal = std::get_if<Refusal>(&longitude))
            return *refusal;
        b.clocks = birth::Clocks::meanTime();
        b.longitude = std::get<GeoLongitude>(longitude).degrees;
        break;
    }
    }
    const auto moments = birth::momentsOf(b);
    if (const auto* refusal = std::get_if<Refusal>(&moments))
        return *refusal;
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(moments);
    const birth::ZoneMoment* chosen = nullptr;
    if (!m.choices.isEmpty()) {
        const auto picked =
            chosenMoment(std::get<LocalBirth>(birth::localBirth(b)), m, options.summerTime);
        if (const auto* refusal = std::get_if<Refusal>(&picked))
            return *refusal;
        chosen = std::get<const birth::ZoneMoment*>(picked);
    }
    const auto moon = birth::moonAt(b, m, chosen);
    if (const auto* refusal = std::get_if<Refusal>(&moon))
        return *refusal;
    born.birth = b;
    return answerOf(std::get<birth::BirthMoon>(moon), std::move(born), placeLine);
}

Refused<BornBirth> computeBirth(const birth::Birth& registered,
                                std::optional<astronomy::Ayanamsa> ayanamsa) {
    birth::Birth b = registered;
    b.ayanamsa = ayanamsa.value_or(registered.ayanamsa);
    // As the window opens a birth of the register: the local time, or 12:00 when it is not known,
    // on its clocks with the place's longitude (its own mean time before the zone's standard time),
    // of two moments the earlier.
    const auto moon = birth::moonOf(b);
    if (const auto* refusal = std::get_if<Refusal>(&moon))
        return *refusal;
    BornBirth born;
    born.birth = b;
    born.facts.name = text(b.name());
    QString placeLine;
    if (b.latitude && b.longitude) {
        born.facts.place =
            BirthFacts::Place{text(b.place), text(b.country), *b.latitude, *b.longitude};
        placeLine = "Geburtsort: " + b.place + (b.country.isEmpty() ? "" : ", " + b.country) +
                    " (" + Place::coordinateText(*b.latitude, *b.longitude) + ")";
    } else if (!b.place.isEmpty()) {
        placeLine = "Geburtsort: " + b.place + (b.country.isEmpty() ? "" : ", " + b.country);
    }
    return answerOf(std::get<birth::BirthMoon>(moon), std::move(born), placeLine);
}

} // namespace zeitrad::cli
