// What happened in a life, held against its periods: the events of a birth (a day, perhaps a clock
// time, a short text and a weight), the periods running on each, and the birth-time window they
// allow: how far the birth time may move, the same day, place, clocks, ayanamsa and year length,
// before one of the events falls into other periods. The register keeps the events; the events
// window, the period list and zeitrad-dasa show what is worked out here.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>
#include <vector>

#include "birth/birth.h"
#include "birth/event.h"
#include "engine/calendar.h"
#include "engine/periods.h"
#include "engine/refusal.h"

namespace zeitrad::birth {

// The lords (planet 1..9) of the periods running on `day`, from the mahadasa down to `depth`
// levels (1..5; below the depth the list was built to they are made as needed); empty when the
// day lies before birth, from the end of the cycle on, or the list has no dates.
std::vector<int> lordsOn(const PeriodList& list, const CivilDate& day, int depth);

// "Rahu / Sani / Buddha": the lords in the program's names.
QString chainText(const std::vector<int>& lords);

// "Antardasas", "Pratyantardasas", …: the periods of a level (1..5) in the plural.
QString levelPlural(int level);

// Whether an event may stand against these periods: refused, in German, when its day is no date,
// lies before the birth or from the end of the 120-year cycle on.
std::optional<Refusal> checkEvent(const PeriodList& list, const Event& event);

// One edge of the window: the earliest or the latest birth time, or none when the search reached
// its bound (six hours from the birth time, or the birth day's beginning or end) with every event
// still in its periods. `beyond` names the events that a second beyond it would put into other
// periods, with the periods they would fall into.
struct WindowEdge {
    std::optional<QTime> time;
    QTime bound; // where the search ended when time is none
    struct Limit {
        int event = 0; // its position in the events given
        // "Rahu / Sani / Sukra"; empty when the event would lie beyond the cycle; for event -1
        // why the moment cannot be reckoned.
        QString period;
    };
    QList<Limit> beyond;
};

struct BirthTimeWindow {
    int level = 3; // 2: antardasa, 3: pratyantardasa
    WindowEdge from, to;
    QList<Event> events;              // as given
    std::vector<std::vector<int>> at; // the lords of each event's periods at the birth time
    int moons = 0;                    // how many times the Moon was worked out
};

// The window of a birth with a known time and at least one event, down to `level` (2 or 3). The
// Moon is worked out for each birth time tried by the road of the birth (momentsOf, moonAt), the
// calculation and the period list as the window program would. The birth time moves in steps of
// ten minutes and, between the last one that kept every event and the first that did not, by
// halves to the second: a later birth time only moves the periods earlier, so what keeps an
// event is one stretch of time. A birth time that the clocks skipped ends the window there.
// Refused, in German: the time is not known, no events, an event refused by checkEvent, a birth
// the road refuses.
Refused<BirthTimeWindow> birthTimeWindow(const Birth& birth, const QList<Event>& events,
                                         YearLength yearLength, int level = 3);

// "Geburtszeit-Spielraum: 13:12:40 – 13:44:05 (alle 4 Ereignisse in denselben
// Pratyantardasas)"; an edge beyond the search reads "vor 07:27:00" / "nach 19:27:00".
QString windowText(const BirthTimeWindow& window);
// The lines naming, for each edge, the event that sets it and the periods beyond:
// "Früher als 13:12:40 fiele „Hochzeit“ (12.06.2010) in Rahu / Sani / Sukra."
QStringList limitLines(const BirthTimeWindow& window);

} // namespace zeitrad::birth
