#include "formats/csv.h"

#include <algorithm>

#include "engine/periodtext.h"
#include "engine/yearlengths.h"

namespace zeitrad::formats {

std::string csvField(std::string_view field) {
    if (field.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            row += ';';
        }
        row += csvField(fields[i]);
    }
    return row + '\n';
}

std::string periodsCsv(const PeriodList& list, int depth) {
    std::string csv =
        csvRow({"Ebene", "Mahadasa", "Antardasa", "Pratyantardasa", "Sukshmadasa", "Pranadasa",
                "Jahre", "Monate", "Tage", "Beginn", "Ende", "Jahreslänge"});
    std::string length = yearLengthToken(list.yearLength);
    std::replace(length.begin(), length.end(), '.', ',');
    // `names` holds the lords from the mahadasa down to the period itself.
    std::string names[deepestLevel];
    auto add = [&](auto& self, const Period& p, int level) -> void {
        names[level - 1] = lordName(p.lord);
        std::vector<std::string> row{std::to_string(level)};
        for (int i = 0; i < deepestLevel; ++i) {
            row.push_back(i < level ? names[i] : std::string());
        }
        row.insert(row.end(), {std::to_string(p.startAge.years), std::to_string(p.startAge.months),
                               std::to_string(p.startAge.days), germanDate(p.startDate),
                               germanDate(p.endDate), length});
        csv += csvRow(row);
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

} // namespace zeitrad::formats
