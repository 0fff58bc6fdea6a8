// The period list as text, shared by the period window's exports and the command-line program:
// planet names without their padding, dates, and the CSV of the whole list.
#pragma once

#include <optional>
#include <string>

#include "engine/civildate.h"
#include "engine/periods.h"

namespace zeitrad {

// "Sukra": the planet's stored name without its trailing blanks.
std::string lordName(int lord);

// "07.03.1985"; empty without a date.
std::string germanDate(const std::optional<CivilDate>& date);

// "1985-03-07".
std::string isoDate(const CivilDate& date);

// The whole list as CSV: UTF-8, a header row, ';' between the fields, one line per period in
// list order (each mahadasa, then each of its antardasas followed by its pratyantardasas).
std::string periodsCsv(const PeriodList& list);

} // namespace zeitrad
