// Maitreya's chart files (.mtx): one birth a file, one value a line. A first line beginning with
// "#" ("#Maitreya 3.0"), the name, the day, the month, the year, the local time in decimal hours,
// the zone's hours east of Greenwich, the summer time's hours, the place, its longitude (east
// positive) and latitude in decimal degrees, then the remark, over the lines that are left.
#pragma once

#include <QByteArray>

#include "birth/birth.h"
#include "engine/refusal.h"

namespace zeitrad::formats {

// Whether the bytes are a chart file rather than AAF: the first line begins with "#Maitreya", or
// with "#" (not an AAF chunk) and the lines of the day, month and year hold whole numbers.
bool isMtx(const QByteArray& bytes);

// The birth of a chart file (UTF-8, else Windows-1252): the name as its surname, the date (of
// the Gregorian calendar) and time to the second, the place without a country, its coordinates,
// a fixed offset of the zone and summer time hours as its clocks, the remark as its note (at most
// maxNoteBytes of it). Refused, with the German reason and the line, when a value is missing or
// not one (a time of 24 hours or more, a zone beyond 14 hours, a year outside 1800–2199);
// `faultLine` (when given) gets the line of the fault.
Refused<birth::Birth> readMtx(const QByteArray& bytes, int* faultLine = nullptr);

} // namespace zeitrad::formats
