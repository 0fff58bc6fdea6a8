#include "birth/road.h"

#include <cmath>

#include "engine/geography.h"

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
    // The calculation takes the ayanamsa of the birth's local (civil) year.
    Refused<MoonReading> reading = readMoon(moon.utcMSecs, moon.local.date);
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

Refused<Birth> birthOf(const BirthFields& fields, const std::optional<Birth>& opened) {
    Birth b = opened.value_or(Birth{});
    setName(b, fields.name);
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
