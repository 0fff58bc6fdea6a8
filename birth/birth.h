// A birth as the register keeps it: who or what was born, the local date and time (the time may
// be unknown), the place with its coordinates, and the clocks the time was read on. The Moon is
// worked out from these whenever it is needed, never stored.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

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
    // The clocks: an IANA zone id ("Europe/Berlin"), a fixed offset ("UTC+01:00"), "LMT" (local
    // mean time at the longitude), or empty when not known.
    QString zone;
    QString note;
    QDateTime added, changed; // kept by the register

    static inline const QString localMeanTime = QStringLiteral("LMT");

    // "Müller, Anna", "Müller" or "Anna": how lists and headers name the birth.
    QString name() const;
    // The fields a user and a file give (not the register's number nor its dates).
    friend bool sameData(const Birth& a, const Birth& b);
};

// "person", "female", "male", "event": the kind as the register stores it and the list writes it.
const char* kindName(Birth::Kind kind);

// Text folded for searching: lower case, ä→a, ö→o, ü→u, ß→ss and other accents dropped, so that
// "muller" finds "Müller".
QString searchFolded(const QString& text);

} // namespace zeitrad::birth
