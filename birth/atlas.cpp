#include "birth/atlas.h"

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

bool operator==(const Place& a, const Place& b) {
    return a.name == b.name && a.state == b.state && a.countryCode == b.countryCode &&
           a.latitude == b.latitude && a.longitude == b.longitude && a.zoneId == b.zoneId;
}

QString foldedName(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == QChar(0x00DF)) // ß
            folded += QStringLiteral("ss");
        else
            folded += c.toCaseFolded();
    }
    return folded.simplified();
}

} // namespace zeitrad::birth
