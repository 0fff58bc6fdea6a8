#include "engine/periodtext.h"

#include <cstdio>

#include "engine/arcs.h"
#include "engine/names.h"
#include "engine/tables.h"

namespace zeitrad {

namespace {

// Two digits, two digits and four digits, zero-filled, in the given order and separator.
std::string formatDate(const char* pattern, int a, int b, int c) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

} // namespace

std::string lordName(int lord) {
    std::string_view name = planetName[static_cast<std::size_t>(lord)];
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return std::string(name);
}

std::string yearsText(const AgeTriple& age) {
    return std::to_string(age.years) + " Jahre";
}

std::string monthsDaysText(const AgeTriple& age) {
    return std::to_string(age.months) + " M " + std::to_string(age.days) + " T";
}

std::string ageText(const AgeTriple& age) {
    return yearsText(age) + ' ' + monthsDaysText(age);
}

std::string startText(const Period& period) {
    return period.atBirth ? std::string(birthWord) : ageText(period.startAge);
}

std::string arcText(std::int64_t tenths) {
    const auto rest = tenths % tenthsPerArcMinute;
    char buffer[48];
    const int n = std::snprintf(buffer, sizeof buffer, "%d° %02d′ %02d",
                                static_cast<int>(tenths / tenthsPerDegree),
                                static_cast<int>(tenths % tenthsPerDegree / tenthsPerArcMinute),
                                static_cast<int>(rest / 10));
    std::string text(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
    if (rest % 10 != 0) {
        text += ',' + std::to_string(rest % 10);
    }
    return text + "″";
}

std::string longitudeText(std::int64_t tenths) {
    const std::int64_t perSign = 30 * tenthsPerDegree;
    const auto sign = static_cast<std::size_t>(tenths / perSign) + 1;
    return std::string(signName.at(sign)) + ' ' + arcText(tenths % perSign);
}

std::string nakshatraText(int nakshatra) {
    return std::to_string(nakshatra) + ' ' +
           std::string(nakshatraName.at(static_cast<std::size_t>(nakshatra))) +
           ", Herr: " + lordName(nakshatraLord(nakshatra));
}

std::string germanDate(const std::optional<CivilDate>& date) {
    if (!date) {
        return {};
    }
    return formatDate("%02d.%02d.%04d", date->day, date->month, date->year);
}

std::string isoDate(const CivilDate& date) {
    return formatDate("%04d-%02d-%02d", date.year, date.month, date.day);
}

} // namespace zeitrad
