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
           a.latitude == b.latitude && a.longitude == b.longitude && a.clocks == b.clocks &&
           a.note == b.note && a.ayanamsa == b.ayanamsa;
}

QString ayanamsaName(astronomy::Ayanamsa ayanamsa) {
    const std::string_view label = astronomy::ayanamsaLabel(ayanamsa);
    return QString::fromUtf8(label.data(), qsizetype(label.size()));
}

QString ayanamsaKey(astronomy::Ayanamsa ayanamsa) {
    const std::string_view token = astronomy::ayanamsaToken(ayanamsa);
    return QString::fromLatin1(token.data(), qsizetype(token.size()));
}

astronomy::Ayanamsa ayanamsaOfKey(const QString& key) {
    return astronomy::ayanamsaOfToken(key.toStdString()).value_or(astronomy::Ayanamsa::zeitrad);
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

namespace {

struct KindWords {
    Birth::Kind kind;
    const char* stored;
    const char* shown;
};
constexpr KindWords kindWords[] = {{Birth::Kind::Person, "person", "Person"},
                                   {Birth::Kind::Female, "female", "Frau"},
                                   {Birth::Kind::Male, "male", "Mann"},
                                   {Birth::Kind::Event, "event", "Ereignis"}};

const KindWords& wordsOf(Birth::Kind kind) {
    for (const KindWords& w : kindWords)
        if (w.kind == kind)
            return w;
    return kindWords[0];
}

} // namespace

const char* kindName(Birth::Kind kind) {
    return wordsOf(kind).stored;
}

Birth::Kind kindNamed(QStringView name) {
    for (const KindWords& w : kindWords)
        if (name == QLatin1StringView(w.stored))
            return w.kind;
    return Birth::Kind::Person;
}

QString kindLabel(Birth::Kind kind) {
    return QString::fromUtf8(wordsOf(kind).shown);
}

QString timeText(const std::optional<QTime>& time, bool shortWhenWhole) {
    if (!time)
        return {};
    return time->toString(shortWhenWhole && time->second() == 0 ? QStringLiteral("HH:mm")
                                                                : QStringLiteral("HH:mm:ss"));
}

QTime timeOfText(const QString& typed) {
    const QString t = typed.trimmed();
    const QTime withSeconds = QTime::fromString(t, QStringLiteral("H:mm:ss"));
    return withSeconds.isValid() ? withSeconds : QTime::fromString(t, QStringLiteral("H:mm"));
}

void setName(Birth& birth, const QString& typed) {
    const qsizetype comma = typed.indexOf(u',');
    birth.surname = (comma < 0 ? typed : typed.left(comma)).simplified();
    birth.firstName = comma < 0 ? QString() : typed.mid(comma + 1).simplified();
}

QList<Birth> birthsNamed(const QList<Birth>& births, const QString& typed) {
    const QString wanted = searchFolded(typed.trimmed());
    QList<Birth> exact, holding;
    for (const Birth& b : births) {
        const QString folded = searchFolded(b.name());
        if (folded == wanted)
            exact.append(b);
        else if (folded.contains(wanted))
            holding.append(b);
    }
    return exact.isEmpty() ? holding : exact;
}

} // namespace zeitrad::birth
