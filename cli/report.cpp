#include "cli/report.h"

#include <array>

#include "engine/periodtext.h"
#include "engine/tables.h"
#include "engine/yearlengths.h"
#include "formats/json.h"

namespace zeitrad::cli {

using formats::jsonNumber;
using formats::jsonString;

namespace {

constexpr int rows = 9, columns = 9;

// `text` followed by blanks up to `width` characters (UTF-8 letters count once).
std::string padded(const std::string& text, std::size_t width) {
    std::size_t letters = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++letters;
        }
    }
    return letters >= width ? text : text + std::string(width - letters, ' ');
}

// The three lines a cell shows on the overview: the planet, the years, months and days; the birth
// cell shows "Geburt" and the birth date, a cell not shown nothing.
std::array<std::string, 3> cellLines(const Result& r, int k) {
    const Cell& cell = r.cells[static_cast<std::size_t>(k)];
    if (k == 1) {
        return {lordName(r.birthLord), std::string(birthWord), r.birthDateText()};
    }
    if (!cell.shown) {
        return {};
    }
    return {lordName(cell.lord), yearsText(cell.age), monthsDaysText(cell.age)};
}

void appendTextPeriods(std::string& out, const std::vector<Period>& periods, std::vector<int>& path,
                       const Report& report, int depth) {
    const int level = static_cast<int>(path.size()); // 0 for the mahadasas
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const Period& p = periods[i];
        path.push_back(static_cast<int>(i));
        const bool runs = isRunning(report.running, path);
        std::string line = runs ? "* " : "  ";
        line += std::string(static_cast<std::size_t>(2 * level), ' ');
        line += padded(lordName(p.lord), 12 - 2 * static_cast<std::size_t>(level));
        line += padded(startText(p), 22);
        if (report.list.hasDates()) {
            line += germanDate(p.startDate) + "  " + germanDate(p.endDate);
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out += line + '\n';
        if (level + 1 < depth) {
            appendTextPeriods(out, p.children, path, report, depth);
        }
        path.pop_back();
    }
}

// "ein mittleres Kalenderjahr": what one year of the dasas is on the calendar.
std::string yearText(YearLength length) {
    switch (length) {
    case YearLength::days360:
        return "360 Tage";
    case YearLength::julian:
        return "ein julianisches Jahr (365,25 Tage)";
    case YearLength::tropical:
        return "ein tropisches Jahr (365,2422 Tage)";
    case YearLength::sidereal:
        return "ein siderisches Jahr (365,25636 Tage)";
    case YearLength::solar:
        break;
    }
    return "ein mittleres Kalenderjahr";
}

void appendAge(std::string& out, const AgeTriple& age) {
    out += '[' + std::to_string(age.years) + ", " + std::to_string(age.months) + ", " +
           std::to_string(age.days) + ']';
}

void appendDate(std::string& out, const std::optional<CivilDate>& date) {
    out += date ? '"' + isoDate(*date) + '"' : std::string("null");
}

void appendJsonPeriods(std::string& out, const std::vector<Period>& periods, std::vector<int>& path,
                       const Report& report, int indent) {
    if (periods.empty()) {
        out += "[]";
        return;
    }
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    out += "[\n";
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const Period& p = periods[i];
        path.push_back(static_cast<int>(i));
        out += pad + "  {\"lord\": " + jsonString(lordName(p.lord)) + ", \"age\": ";
        if (p.atBirth) {
            out += "null";
        } else {
            appendAge(out, p.startAge);
        }
        out += ", \"start\": ";
        appendDate(out, p.startDate);
        out += ", \"end\": ";
        appendDate(out, p.endDate);
        out += ", \"running\": ";
        out += isRunning(report.running, path) ? "true" : "false";
        out += ", \"periods\": ";
        appendJsonPeriods(out, p.children, path, report, indent + 2);
        out += i + 1 < periods.size() ? "},\n" : "}\n";
        path.pop_back();
    }
    out += pad + ']';
}

std::string jsonBirth(const BirthFacts* birth) {
    if (!birth) {
        return "null";
    }
    std::string out = "{\"name\": ";
    out += birth->name ? jsonString(*birth->name) : std::string("null");
    out += ", \"local\": " + jsonString(birth->local) + ", \"zone\": " + jsonString(birth->zone) +
           ", \"utc\": " + jsonString(birth->utc) + ",\n    \"place\": ";
    if (const auto& p = birth->place) {
        out += "{\"name\": " + jsonString(p->name) + ", \"country\": " + jsonString(p->country) +
               ", \"latitude\": " + jsonNumber(p->latitude) +
               ", \"longitude\": " + jsonNumber(p->longitude) + '}';
    } else {
        out += "null";
    }
    out += ",\n    \"moonTropical\": " + jsonNumber(birth->moonTropical) +
           ", \"moonSidereal\": " + jsonNumber(birth->moonSidereal) +
           ", \"ayanamsa\": " + jsonNumber(birth->ayanamsa) +
           ", \"ayanamsaName\": " + jsonString(birth->ayanamsaName) + '}';
    return out;
}

} // namespace

std::string textReport(const Report& report, int depth) {
    const Result& r = report.result;
    std::string out;
    if (report.birth) {
        for (const std::string& line : report.birth->lines) {
            out += line + '\n';
        }
    }
    out += "Geburt: " + r.birthDateText() + '\n';
    out += "Nakshatra: " + nakshatraText(r.nakshatra) + "\n\nÜbersicht\n";
    for (int row = 1; row <= rows; ++row) {
        std::array<std::string, 3> lines;
        for (int column = 1; column <= columns; ++column) {
            const auto cell = cellLines(r, (row - 1) * columns + column);
            for (std::size_t i = 0; i < 3; ++i) {
                lines[i] += padded(cell[i], column < columns ? 11 : 0);
            }
        }
        for (std::string& line : lines) {
            while (!line.empty() && line.back() == ' ') {
                line.pop_back();
            }
            out += line + '\n';
        }
        if (row < rows) {
            out += '\n';
        }
    }

    out += "\nPerioden (ein Jahr der Dasas = ";
    out += yearText(report.list.yearLength);
    out += "), * läuft am " + germanDate(report.on) + '\n';
    if (!report.list.hasDates()) {
        out += report.list.noDatesReason + '\n';
    }
    std::vector<int> path;
    appendTextPeriods(out, report.list.mahadasas, path, report, depth);
    return out;
}

std::string jsonReport(const Report& report) {
    const Result& r = report.result;
    std::string out = "{\n  \"birth\": " + jsonBirth(report.birth) + ",\n";
    out += "  \"nakshatra\": {\"number\": " + std::to_string(r.nakshatra) +
           ", \"name\": " + jsonString(r.nakshatraName) +
           ", \"lord\": " + jsonString(lordName(r.birthLord)) + "},\n";
    out += "  \"birthDate\": " + jsonString(r.birthDateText()) + ",\n";
    out += "  \"yearLength\": " + yearLengthToken(report.list.yearLength) + ",\n  \"cells\": [\n";
    for (int k = 1; k <= rows * columns; ++k) {
        const Cell& cell = r.cells[static_cast<std::size_t>(k)];
        out += "    {\"cell\": " + std::to_string(k) + ", \"lord\": ";
        // The birth cell always shows its lord; its third line is the birth date, not an age.
        const bool shown = k == 1 || cell.shown;
        const int lord = k == 1 ? r.birthLord : cell.lord;
        out += shown ? jsonString(lordName(lord)) : std::string("null");
        out += ", \"shown\": ";
        out += shown ? "true" : "false";
        out += ", \"age\": ";
        if (k == 1 || !shown) {
            out += "null";
        } else {
            appendAge(out, cell.age);
        }
        out += k < rows * columns ? "},\n" : "}\n";
    }
    out += "  ],\n  \"periods\": ";
    std::vector<int> path;
    appendJsonPeriods(out, report.list.mahadasas, path, report, 2);
    out += "\n}\n";
    return out;
}

} // namespace zeitrad::cli
