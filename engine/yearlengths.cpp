#include "engine/yearlengths.h"

namespace zeitrad {

namespace {

struct Names {
    YearLength length;
    std::string_view token, label;
};

constexpr Names names[] = {
    {YearLength::days360, "360", "360 Tage"},
    {YearLength::gregorian, "365.2425", "365,2425 Tage (gregorianisch)"},
    {YearLength::julian, "365.25", "365,25 Tage (julianisch)"},
    {YearLength::tropical, "365.2422", "365,2422 Tage (tropisch)"},
    {YearLength::sidereal, "365.25636", "365,25636 Tage (siderisch)"},
};

const Names& namesOf(YearLength length) {
    for (const Names& n : names) {
        if (n.length == length) {
            return n;
        }
    }
    return names[1];
}

} // namespace

std::string yearLengthLabel(YearLength length) {
    return std::string(namesOf(length).label);
}

std::string yearLengthToken(YearLength length) {
    return std::string(namesOf(length).token);
}

std::optional<YearLength> yearLengthFromToken(std::string_view token) {
    if (token == "solar") {
        return YearLength::gregorian;
    }
    for (const Names& n : names) {
        if (n.token == token) {
            return n.length;
        }
    }
    return std::nullopt;
}

} // namespace zeitrad
