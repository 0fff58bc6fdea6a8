#include "birth/birth.h"

namespace zeitrad::birth {

QString Birth::name() const {
    if (surname.isEmpty())
        return firstName;
    if (firstName.isEmpty())
        return surname;
    return surname + QStringLiteral(", ") + firstName;
}

bool Birth::sameBirthAs(const Birth& other) const {
    return surname == other.surname && firstName == other.firstName && date == other.date &&
           time == other.time && place == other.place;
}

bool sameData(const Birth& a, const Birth& b) {
    return a.sameBirthAs(b) && a.kind == b.kind && a.country == b.country &&
           a.latitude == b.latitude && a.longitude == b.longitude && a.zone == b.zone &&
           a.note == b.note;
}

QString searchFolded(const QString& text) {
    QString folded;
    folded.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            folded.append(c.toLower());
            continue;
        }
        if (c == QChar(0x00DF)) { // ß
            folded.append(QStringLiteral("ss"));
            continue;
        }
        // Umlauts and accents: the base letter of the canonical decomposition.
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
        folded.append(decomposed.at(0).toLower());
    }
    return folded;
}

} // namespace zeitrad::birth
