#include "birth/road.h"

#include <cmath>

#include <QDateTime>
#include <QTimeZone>

#include "astronomy/ephemeris.h"
#include "engine/geography.h"
#include "engine/input.h"

namespace zeitrad::birth {

Refused<BirthMoments> momentsOf(const Birth& birth) {
    const Refused<LocalBirth> local = localBirth(birth);
    if (const auto* r = std::get_if<Refusal>(&local))
        return *r;
    return birthMoments(std::get<LocalBirth>(local));
}

Refused<BirthMoon> moonAt(const Birth& birth, const BirthMoments& moments,
                          const ZoneMoment* chosen) {
    const Refused<LocalBirth> local = localBirth(birth);
    if (const auto* r = std::get_if<Refusal>(&local))
        return *r;
    BirthMoon moon;
    moon.local = std::get<LocalBirth>(local);
    moon.timeUnknown = !birth.time.has_value();
    moon.utcMSecs = chosen ? double(chosen->utcMSecs) : moments.utcMSecs;
    moon.placeMeanTime = chosen ? chosen->placeMeanTime : moments.placeMeanTime;
    moon.clock = moments.clock;
    moon.offsetSeconds = int(std::llround(
        (double(localAsUtcMSecs(moon.local.date, moon.local.time)) - moon.utcMSecs) / 1000.0));
    // Under Zeitrad's own ayanamsa the calculation takes that of the birth's local (civil) year.
    Refused<MoonReading> reading = readMoon(moon.utcMSecs, moon.local.date, birth.ayanamsa);
    if (const auto* r = std::get_if<Refusal>(&reading))
        return *r;
    moon.reading = std::move(std::get<MoonReading>(reading));
    return moon;
}

Refused<BirthMoon> moonOf(const Birth& birth) {
    const Refused<BirthMoments> moments = momentsOf(birth);
    if (const auto* r = std::get_if<Refusal>(&moments))
        return *r;
    return moonAt(birth, std::get<BirthMoments>(moments));
}

MoonOrigin originOf(const BirthMoon& moon) {
    return {moon.reading.ayanamsa, moon.reading.longitude,  moon.utcMSecs,
            moon.local.date.day(), moon.local.date.month(), moon.local.date.year(),
            moon.reading.fields};
}

std::optional<MoonOrigin> originOfTyped(const BirthInput& fields) {
    if (!fields.tropical || fields.sign < 1 || fields.sign > 12)
        return std::nullopt;
    const auto number = [](const std::string& text) { return toInteger(text); };
    const auto day = number(fields.day), month = number(fields.month), year = number(fields.year);
    const auto degrees = number(fields.degrees), minutes = number(fields.minutes),
               seconds = number(fields.seconds);
    if (!day || !month || !year || !degrees || !minutes || !seconds)
        return std::nullopt;
    const QDate date{*year, *month, *day};
    if (!date.isValid())
        return std::nullopt;
    MoonOrigin o;
    o.day = date.day();
    o.month = date.month();
    o.year = date.year();
    o.longitude =
        std::fmod((fields.sign - 1) * 30 + *degrees + *minutes / 60.0 + *seconds / 3600.0, 360.0);
    if (o.longitude < 0)
        o.longitude += 360;
    o.utcMSecs = double(QDateTime(date, QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch());
    o.fields = fields;
    return o;
}

Refused<BirthInput> fieldsUnder(const MoonOrigin& origin, astronomy::Ayanamsa ayanamsa) {
    const QDate d(origin.year, origin.month, origin.day);
    astronomy::Position p;
    p.ayanamsa = ayanamsa;
    p.longitude = origin.longitude;
    p.tropical = astronomy::roundToArcSecond(origin.longitude);
    if (ayanamsa != astronomy::Ayanamsa::zeitrad) {
        if (d.year() < astronomy::firstYear || d.year() > astronomy::lastYear)
            return Refusal{astronomy::yearOutOfRangeMessage(d.year())};
        const astronomy::Moment moment = astronomyMoment(origin.utcMSecs);
        const auto normal = astronomy::normalised(moment);
        if (!normal)
            return Refusal{"Das Datum gibt es nicht."};
        const astronomy::JulianDate tt = astronomy::terrestrialTime(*normal);
        const Refused<double> degrees = astronomy::ayanamsaAt(ayanamsa, tt.first, tt.second);
        if (const auto* r = std::get_if<Refusal>(&degrees))
            return *r;
        p.sidereal =
            astronomy::roundToArcSecond(origin.longitude - std::get<double>(degrees) + 360);
    }
    return astronomy::fieldsFor(p, d.day(), d.month(), d.year());
}

Refused<Birth> birthOf(const BirthFields& fields, const std::optional<Birth>& opened) {
    Birth b = opened.value_or(Birth{});
    setName(b, fields.name);
    b.ayanamsa = fields.ayanamsa;
    b.date = fields.date;
    b.time = fields.time;
    // A typed place counts once it is taken from the atlas; an empty field leaves the zone alone.
    if (!fields.place && !fields.placeText.trimmed().isEmpty() && !fields.keepPlace)
        return Refusal{("Geburtsort „" + fields.placeText.trimmed() +
                        "“: bitte einen Ort aus der Liste wählen (die Eingabetaste nimmt den "
                        "ersten) oder das Feld leeren.")
                           .toStdString()};
    const std::optional<Clocks> clocks = Clocks::fromText(fields.clocks);
    if (!clocks)
        return unknownZone(fields.clocks.trimmed());
    b.clocks = clocks;
    if (!opened || !fields.keepPlace) {
        b.place = fields.place ? fields.place->name : QString();
        b.country = fields.place ? fields.place->countryCode : QString();
        b.latitude = fields.place ? std::optional<double>(fields.place->latitude) : std::nullopt;
        b.longitude.reset();
    }
    // The longitude counts for local mean time, and with a birth place for the place's own.
    if (fields.place || clocks->isMeanTime()) {
        const auto longitude = parseGeoLongitude(fields.longitude.toStdString());
        if (const auto* r = std::get_if<Refusal>(&longitude))
            return *r;
        b.longitude = std::get<GeoLongitude>(longitude).degrees;
    }
    return b;
}

} // namespace zeitrad::birth
