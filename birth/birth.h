// A birth as the register keeps it: who or what was born, the local date and time (the time may
// be unknown), the place with its coordinates, the clocks the time was read on and the ayanamsa.
// The Moon is worked out from these whenever it is needed, never stored.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

#include "astronomy/ayanamsa.h"
#include "birth/clocks.h"

namespace zeitrad::birth {

struct Birth {
    // A person (of unknown, female or male sex, as AAF writes it) or an event.
    enum class Kind { Person, Female, Male, Event };

    qint64 id = 0; // the register's number; 0 for a birth not yet in a register
    QString surname, firstName;
    Kind kind = Kind::Person;
    QDate date;                                // local date
    std::optional<QTime> time;                 // local time; none when unknown
    QString place, country;                    // place name and country code ("D", "A", "CH", ...)
    std::optional<double> latitude, longitude; // degrees, north and east positive
    // The clocks the time was read on; none when not known.
    std::optional<Clocks> clocks;
    QString note;
    // The ayanamsa its Moon is made sidereal with. The register keeps it; AAF has no place for it,
    // so a birth read from a file has Zeitrad's own.
    astronomy::Ayanamsa ayanamsa = astronomy::Ayanamsa::zeitrad;
    QDateTime added, changed; // kept by the register

    // "Müller, Anna", "Müller" or "Anna": how lists and headers name the birth.
    QString name() const;
    // The fields a user and a file give (not the register's number nor its dates).
    friend bool sameData(const Birth& a, const Birth& b);
};

// "person", "female", "male", "event": the kind as the register stores it and the list writes it.
const char* kindName(Birth::Kind kind);
// The kind of its stored name; a person for any other.
Birth::Kind kindNamed(QStringView name);
// "Person", "Frau", "Mann", "Ereignis": the kind as the window shows it.
QString kindLabel(Birth::Kind kind);
// Every kind, in the order a choice offers them.
inline constexpr Birth::Kind allKinds[] = {Birth::Kind::Person, Birth::Kind::Female,
                                           Birth::Kind::Male, Birth::Kind::Event};

// The ayanamsa as the window names it ("Lahiri (Chitrapaksha)"), as the register, the settings and
// zeitrad-dasa name it ("lahiri"), and the ayanamsa of that name (Zeitrad's own for any other).
QString ayanamsaName(astronomy::Ayanamsa ayanamsa);
QString ayanamsaKey(astronomy::Ayanamsa ayanamsa);
astronomy::Ayanamsa ayanamsaOfKey(const QString& key);

// "14:30:00", as the register keeps a time and the lists give it; empty when the time is unknown.
// `short` gives "14:30" when the seconds are zero.
QString timeText(const std::optional<QTime>& time, bool shortWhenWhole = false);
// A time as typed into a field, "14:30" or "14:30:15" (the hour with one digit or two); an
// invalid QTime when it is neither.
QTime timeOfText(const QString& typed);

// "Müller, Jürgen" into surname and first name, split at the first comma; a single word is the
// surname. And back: how a name field shows a birth's name.
void setName(Birth& birth, const QString& typed);

// Text folded for searching: lower case, ä→a, ö→o, ü→u, ß→ss and other accents dropped, so that
// "muller" finds "Müller".
QString searchFolded(const QString& text);
// The births a typed name means: those whose folded name is the typed one, or else those whose
// name holds it.
QList<Birth> birthsNamed(const QList<Birth>& births, const QString& typed);

} // namespace zeitrad::birth
