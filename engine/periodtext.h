// The words of the period list and the overview, once for the window program and the
// command-line program: planet names without their padding, ages, dates and the Moon's position.
// The CSV of the whole list is formats::periodsCsv.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/civildate.h"
#include "engine/periods.h"

namespace zeitrad {

// "Sukra": the planet's stored name without its trailing blanks.
std::string lordName(int lord);

// What stands for an age of nothing: the birth cell's second line and the beginning of a period
// listed from birth.
inline constexpr std::string_view birthWord = "Geburt";

// An age as the overview shows it on two lines, "9 Jahre" and "7 M 13 T", and as the period
// list shows it on one, "9 Jahre 7 M 13 T".
std::string yearsText(const AgeTriple& age);
std::string monthsDaysText(const AgeTriple& age);
std::string ageText(const AgeTriple& age);

// Where the list shows a period beginning: "Geburt" when it is listed from birth, else its age.
std::string startText(const Period& period);

// An arc in tenths of an arc-second: "23° 38′ 53″", and ",5" after the seconds when the tenths
// are not zero.
std::string arcText(std::int64_t tenths);

// A longitude in tenths of an arc-second (0 <= tenths < 360°) within its sign:
// "Löwe 23° 01′ 01″", as arcText() within the sign.
std::string longitudeText(std::int64_t tenths);

// A nakshatra (1..27) with its number and lord: "23 Dhanishta, Herr: Mangal".
std::string nakshatraText(int nakshatra);

// "07.03.1985"; empty without a date.
std::string germanDate(const std::optional<CivilDate>& date);

// "1985-03-07".
std::string isoDate(const CivilDate& date);

} // namespace zeitrad
