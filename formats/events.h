// A birth's events with the periods running on each, as CSV (the events window's export and
// zeitrad-dasa --events) and JSON, and the birth-time window as JSON.
#pragma once

#include <QList>

#include <string>

#include "birth/events.h"
#include "engine/periods.h"

namespace zeitrad::formats {

// A header row (Datum; Zeit; Ereignis; Gewicht; then Mahadasa … down to `depth`, 1..5) and one row
// per event: "12.06.2010"; "14:30" or empty; the text; "wichtig"/"normal"; the lords running on
// its day (empty fields where it lies outside the periods).
std::string eventsCsv(const QList<birth::Event>& events, const PeriodList& list, int depth);

// An array of {"date": "2010-06-12", "time": "14:30:00" or null, "text", "weight",
// "periods": ["Rahu", "Sani", "Buddha"]}, one line each.
std::string eventsJson(const QList<birth::Event>& events, const PeriodList& list, int depth);

// One line: {"from": "13:12:40", "to": "13:44:05", "level": 3, "limits": [{"event": "Hochzeit",
// "side": "from", "period": "Rahu / Sani / Sukra"}]}; an edge beyond the search is null, and
// so is the period of an event that would lie beyond the 120-year cycle.
std::string windowJson(const birth::BirthTimeWindow& window);

} // namespace zeitrad::formats
