// One event of a life, as the register keeps it: a day, perhaps a clock time, a short text and a
// weight. What the events mean for the periods and the birth time is birth/events.h's.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

#include "engine/refusal.h"

namespace zeitrad::birth {

struct Event {
    qint64 id = 0;      // the register's number; 0 for one not kept
    qint64 birthId = 0; // the birth it belongs to
    QDate date;
    std::optional<QTime> time; // none: the day only
    QString text;
    bool important = false; // "wichtig", else "normal"

    friend bool operator==(const Event&, const Event&) = default;
};

// "wichtig" or "normal", as the register stores the weight and the lists give it.
QString weightText(bool important);

// The events in the order of their days (and times; those without a time first on their day).
void sortEvents(QList<Event>& events);

// "12.6.2010 14:30 Hochzeit" or "12.6.2010 Hochzeit": an event as --event takes it and back.
// Refused, in German: no valid day, a time that is none, no text.
Refused<Event> eventOfText(const QString& typed);

} // namespace zeitrad::birth
