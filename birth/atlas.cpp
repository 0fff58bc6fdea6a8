#include "birth/atlas.h"

#include <algorithm>
#include <cmath>

namespace zeitrad::birth {

namespace {

// Degrees and arc minutes, to the nearest minute: "48° 08′".
QString degreesMinutes(double value) {
    const long minutes = std::lround(std::fabs(value) * 60.0);
    return QStringLiteral("%1° %2′").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Place::latitudeText(double latitude) {
    return degreesMinutes(latitude) + (latitude < 0 ? QStringLiteral(" S") : QStringLiteral(" N"));
}

QString Place::longitudeText(double longitude) {
    return degreesMinutes(longitude) +
           (longitude < 0 ? QStringLiteral(" W") : QStringLiteral(" O"));
}

QString Place::coordinateText(double latitude, double longitude) {
    return latitudeText(latitude) + QStringLiteral(", ") + longitudeText(longitude);
}

QString Place::label() const {
    QStringList parts{name};
    if (!state.isEmpty() && state != name)
        parts << state;
    if (!country.isEmpty())
        parts << country;
    return parts.join(QStringLiteral(", "));
}

QVariantMap Place::toVariant() const {
    return {{QStringLiteral("name"), name},         {QStringLiteral("state"), state},
            {QStringLiteral("country"), country},   {QStringLiteral("countryCode"), countryCode},
            {QStringLiteral("latitude"), latitude}, {QStringLiteral("longitude"), longitude},
            {QStringLiteral("zone"), zoneId},       {QStringLiteral("population"), population}};
}

std::optional<Place> Place::fromVariant(const QVariantMap& map) {
    Place place;
    place.name = map.value(QStringLiteral("name")).toString();
    place.state = map.value(QStringLiteral("state")).toString();
    place.country = map.value(QStringLiteral("country")).toString();
    place.countryCode = map.value(QStringLiteral("countryCode")).toString();
    bool latitudeRead = false, longitudeRead = false;
    place.latitude = map.value(QStringLiteral("latitude")).toDouble(&latitudeRead);
    place.longitude = map.value(QStringLiteral("longitude")).toDouble(&longitudeRead);
    place.zoneId = map.value(QStringLiteral("zone")).toString();
    place.population = map.value(QStringLiteral("population")).toLongLong();
    if (place.name.isEmpty() || place.zoneId.isEmpty() || !latitudeRead || !longitudeRead ||
        std::fabs(place.latitude) > 90 || std::fabs(place.longitude) > 180)
        return std::nullopt;
    return place;
}

bool operator==(const Place& a, const Place& b) {
    return a.name == b.name && a.state == b.state && a.countryCode == b.countryCode &&
           a.latitude == b.latitude && a.longitude == b.longitude && a.zoneId == b.zoneId;
}

QString foldedName(const QString& name) {
    // Most names are plain ASCII: lower case is all they need.
    const bool ascii =
        std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    const QString decomposed = ascii ? name : name.normalized(QString::NormalizationForm_KD);
    QString folded(decomposed.size() * 2, Qt::Uninitialized);
    QChar* out = folded.data();
    bool space = true; // no space at the start, none twice
    for (const QChar c : decomposed) {
        const char16_t u = c.unicode();
        if (c.isSpace()) {
            if (!space)
                *out++ = u' ';
            space = true;
            continue;
        }
        space = false;
        if (u < 0x80) {
            *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        } else if (c.category() == QChar::Mark_NonSpacing) {
            continue;
        } else if (u == 0x00DF) { // ß
            *out++ = u's';
            *out++ = u's';
        } else {
            *out++ = c.toCaseFolded();
        }
    }
    if (out != folded.data() && out[-1] == u' ')
        --out;
    folded.truncate(out - folded.data());
    return folded;
}

} // namespace zeitrad::birth
