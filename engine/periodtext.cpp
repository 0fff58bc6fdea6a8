#include "engine/periodtext.h"

#include <algorithm>
#include <cstdio>

#include "engine/arcs.h"
#include "engine/names.h"
#include "engine/tables.h"
#include "engine/yearlengths.h"

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

std::string periodsCsv(const PeriodList& list, int depth) {
    std::string csv = "Ebene;Mahadasa;Antardasa;Pratyantardasa;Sukshmadasa;Pranadasa;Jahre;Monate;"
                      "Tage;Beginn;Ende;Jahreslänge\n";
    std::string length = yearLengthToken(list.yearLength);
    std::replace(length.begin(), length.end(), '.', ',');
    // `names` holds the lords from the mahadasa down to the period itself.
    std::string names[deepestLevel];
    auto add = [&](auto& self, const Period& p, int level) -> void {
        names[level - 1] = lordName(p.lord);
        csv += std::to_string(level);
        for (int i = 0; i < deepestLevel; ++i) {
            csv += ';';
            if (i < level) {
                csv += names[i];
            }
        }
        csv += ';' + std::to_string(p.startAge.years) + ';' + std::to_string(p.startAge.months) +
               ';' + std::to_string(p.startAge.days) + ';' + germanDate(p.startDate) + ';' +
               germanDate(p.endDate) + ';' + length + '\n';
        if (level >= depth) {
            return;
        }
        // The levels below the pratyantardasas, when the list was not built to them, are made here.
        const bool make = p.children.empty() && level >= 3;
        const std::vector<Period> made = make ? subPeriods(list, p) : std::vector<Period>{};
        for (const Period& child : p.children.empty() ? made : p.children) {
            self(self, child, level + 1);
        }
    };
    for (const Period& maha : list.mahadasas) {
        add(add, maha, 1);
    }
    return csv;
}

} // namespace zeitrad
