// The year lengths by name: as the period list offers them, and as the command line and the
// exports write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/civildate.h"

namespace zeitrad {

// "365,2425 Tage (gregorianisch)", "360 Tage": as the choice in the period list shows it.
std::string yearLengthLabel(YearLength length);

// "365.2425", "360": as the command line takes it and CSV and JSON write it.
std::string yearLengthToken(YearLength length);

// A token as yearLengthToken writes it, or "solar" for the Gregorian year; nothing for any other
// text.
std::optional<YearLength> yearLengthFromToken(std::string_view token);

} // namespace zeitrad
