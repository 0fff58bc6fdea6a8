#include "formats/aafplaces.h"

#include <QHash>

#include <algorithm>

#include "birth/moment.h"

namespace zeitrad::formats {

using birth::Atlas;
using birth::Birth;
using birth::Place;

QString isoCountry(const QString& aafCountry) {
    // The vehicle codes that differ from the ISO codes, for the countries births come from most.
    static const QHash<QString, QString> vehicle = {
        {"A", "AT"},   {"AUS", "AU"}, {"B", "BE"},   {"BIH", "BA"}, {"BY", "BY"},  {"CDN", "CA"},
        {"CS", "CZ"},  {"D", "DE"},   {"DDR", "DE"}, {"DK", "DK"},  {"E", "ES"},   {"EST", "EE"},
        {"F", "FR"},   {"FIN", "FI"}, {"FL", "LI"},  {"GB", "GB"},  {"GR", "GR"},  {"H", "HU"},
        {"I", "IT"},   {"IL", "IL"},  {"IND", "IN"}, {"IRL", "IE"}, {"IS", "IS"},  {"J", "JP"},
        {"L", "LU"},   {"LT", "LT"},  {"LV", "LV"},  {"M", "MT"},   {"MC", "MC"},  {"MEX", "MX"},
        {"N", "NO"},   {"NL", "NL"},  {"NZ", "NZ"},  {"P", "PT"},   {"PL", "PL"},  {"RA", "AR"},
        {"RCH", "CL"}, {"RO", "RO"},  {"RUS", "RU"}, {"S", "SE"},   {"SF", "FI"},  {"SK", "SK"},
        {"SLO", "SI"}, {"SU", "RU"},  {"TR", "TR"},  {"UA", "UA"},  {"USA", "US"}, {"YU", "RS"},
        {"ZA", "ZA"},  {"BR", "BR"},  {"CH", "CH"},  {"CZ", "CZ"},  {"HR", "HR"},  {"BG", "BG"},
        {"SRB", "RS"}, {"ET", "EG"},  {"T", "TH"},   {"MA", "MA"},  {"TN", "TN"},  {"C", "CU"},
        {"ROK", "KR"}, {"RC", "TW"},  {"PK", "PK"},  {"CO", "CO"},  {"PE", "PE"},  {"RI", "ID"},
    };
    const QString code = aafCountry.trimmed().toUpper();
    return vehicle.value(code, code);
}

void placeFromAtlas(AafRead& read, Atlas* atlas, const QString& noAtlasReason) {
    for (qsizetype i = 0; i < read.births.size();) {
        Birth& b = read.births[i];
        if (b.clocks) {
            ++i;
            continue;
        }
        const bool located = b.latitude && b.longitude;
        const std::optional<Place> place = b.place.isEmpty() || !atlas
                                               ? std::nullopt
                                               : atlas->exact(b.place, isoCountry(b.country));
        const AafPending& pending = read.pending[i];
        if (place) {
            // The file's own coordinates stay; the atlas gives what the file leaves open.
            if (!located) {
                b.latitude = place->latitude;
                b.longitude = place->longitude;
            }
            b.clocks = birth::Clocks::zone(place->zoneId);
            if (b.country.isEmpty())
                b.country = place->countryCode;
            read.remarks.append(
                {read.lines[i],
                 located ? QStringLiteral("Zeitzone aus dem Ortsatlas: %1 (%2).")
                               .arg(place->zoneId, place->label())
                         : QStringLiteral("Ort aus dem Ortsatlas: %1 (%2), Zeitzone %3.")
                               .arg(place->label(), place->coordinates(), place->zoneId)});
            takeJulianDay(read, i);
            ++i;
            continue;
        }
        if (located && pending.standardOffset) {
            // The summer time is not known and the atlas cannot tell: the zone difference alone.
            b.clocks = birth::Clocks::offset(*pending.standardOffset);
            read.remarks.append(
                {read.lines[i], QStringLiteral("Ob Sommerzeit galt, ist nicht angegeben, und der "
                                               "Ortsatlas kennt „%1“ nicht: genommen ist die "
                                               "Zonendifferenz %2 ohne Sommerzeit.")
                                    .arg(b.place.isEmpty() ? QStringLiteral("*") : b.place,
                                         birth::offsetText(*pending.standardOffset))});
            takeJulianDay(read, i);
            ++i;
            continue;
        }
        const QString where = b.place.isEmpty() ? QStringLiteral("*") : b.place;
        read.skipped.append(
            {read.lines[i],
             !atlas ? noAtlasReason
             : located
                 ? QStringLiteral("Die Zeitzone ist nicht angegeben (*), und der Ortsatlas kennt "
                                  "„%1“ (%2) nicht; bitte die Zonendifferenz in #B93 angeben.")
                       .arg(where, b.country.isEmpty() ? QStringLiteral("*") : b.country)
                 : QStringLiteral(
                       "Ohne #B93 braucht der Datensatz den Ort aus dem Ortsatlas, der „%1“ "
                       "(%2) nicht kennt; bitte Koordinaten und Zeitzone als #B93 angeben.")
                       .arg(where, b.country.isEmpty() ? QStringLiteral("*") : b.country),
             b.name()});
        read.births.removeAt(i);
        read.lines.removeAt(i);
        read.pending.removeAt(i);
    }
    std::sort(read.skipped.begin(), read.skipped.end(),
              [](const AafSkip& a, const AafSkip& b) { return a.line < b.line; });
    std::stable_sort(read.remarks.begin(), read.remarks.end(),
                     [](const AafRemark& a, const AafRemark& b) { return a.line < b.line; });
}

} // namespace zeitrad::formats
