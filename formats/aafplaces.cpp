#include "formats/aafplaces.h"

#include <QHash>

#include <algorithm>

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
        if (b.latitude || b.longitude || b.clocks) {
            ++i;
            continue;
        }
        const std::optional<Place> place = b.place.isEmpty() || !atlas
                                               ? std::nullopt
                                               : atlas->exact(b.place, isoCountry(b.country));
        if (place) {
            b.latitude = place->latitude;
            b.longitude = place->longitude;
            b.clocks = birth::Clocks::zone(place->zoneId);
            ++i;
            continue;
        }
        const QString where = b.place.isEmpty() ? QStringLiteral("*") : b.place;
        read.skipped.append(
            {read.lines[i],
             !atlas ? noAtlasReason
                    : QStringLiteral(
                          "Ohne #B93 braucht der Datensatz den Ort aus dem Ortsatlas, der „%1“ "
                          "(%2) nicht kennt; bitte Koordinaten und Zeitzone als #B93 angeben.")
                          .arg(where, b.country.isEmpty() ? QStringLiteral("*") : b.country),
             b.name()});
        read.births.removeAt(i);
        read.lines.removeAt(i);
    }
    std::sort(read.skipped.begin(), read.skipped.end(),
              [](const AafSkip& a, const AafSkip& b) { return a.line < b.line; });
}

} // namespace zeitrad::formats
