// CSV as German spreadsheet programs read it: ';' between the fields, a line break after each
// row, UTF-8. The register's list, the periods of a birth and zeitrad-dasa's --aaf rows are
// written with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/periods.h"

namespace zeitrad::formats {

// A field as it stands between the separators: in quotes, its quotes doubled, when it holds a
// ';', a '"', a carriage return or a line feed; else as it is.
std::string csvField(std::string_view field);

// The fields, each as csvField() gives it, joined by ';', with the line feed that ends the row.
std::string csvRow(const std::vector<std::string>& fields);

// The periods down to `depth` levels (1 .. 5; levels 4 and 5 are made when the list lacks them):
// a header row, one row per period in list order (each mahadasa, then each of its antardasas
// followed by its pratyantardasas, and so on), the year length in the last column ("365,2425").
std::string periodsCsv(const PeriodList& list, int depth = 3);

} // namespace zeitrad::formats
