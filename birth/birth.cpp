#include "birth/birth.h"

namespace zeitrad::birth {

QString Birth::name() const {
    if (surname.isEmpty())
        return firstName;
    if (firstName.isEmpty())
        return surname;
    return surname + QStringLiteral(", ") + firstName;
}

bool sameData(const Birth& a, const Birth& b) {
    return a.surname == b.surname && a.firstName == b.firstName && a.date == b.date &&
           a.time == b.time && a.place == b.place && a.kind == b.kind && a.country == b.country &&
           a.latitude == b.latitude && a.longitude == b.longitude && a.zone == b.zone &&
           a.note == b.note;
}

namespace {

// The folded form of U+0080 .. U+024F (Latin-1 and Latin Extended), worked out once: the base
// letter of the canonical decomposition, lower case.
struct FoldTable {
    char16_t letter[0x250 - 0x80];
    FoldTable() {
        for (char16_t c = 0x80; c < 0x250; ++c)
            letter[c - 0x80] = QString(QChar(c))
                                   .normalized(QString::NormalizationForm_D)
                                   .at(0)
                                   .toLower()
                                   .unicode();
    }
};

} // namespace

QString searchFolded(const QString& text) {
    static const FoldTable table;
    QString folded;
    folded.reserve(text.size() + 2);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            folded.append(QChar(u >= 'A' && u <= 'Z' ? u + 32 : u));
        else if (u == 0x00DF) // ß
            folded.append(QLatin1StringView("ss"));
        else if (u < 0x250)
            folded.append(QChar(table.letter[u - 0x80]));
        else
            folded.append(QString(c).normalized(QString::NormalizationForm_D).at(0).toLower());
    }
    return folded;
}

const char* kindName(Birth::Kind kind) {
    switch (kind) {
    case Birth::Kind::Female:
        return "female";
    case Birth::Kind::Male:
        return "male";
    case Birth::Kind::Event:
        return "event";
    case Birth::Kind::Person:
        break;
    }
    return "person";
}

} // namespace zeitrad::birth
