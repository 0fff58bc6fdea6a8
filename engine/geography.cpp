#include "engine/geography.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace zeitrad {

namespace {

std::string quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Splits the text into numbers; the degree, minute and second marks and blanks separate them.
// Returns false for anything that is not a plain unsigned number (with '.' or ',' as decimal mark).
bool splitNumbers(std::string_view text, std::vector<std::string>& numbers) {
    std::string current;
    auto flush = [&] {
        if (!current.empty())
            numbers.push_back(current);
        current.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) {
            current += static_cast<char>(c);
        } else if (c == '.' || c == ',') {
            current += '.';
        } else if (c == ' ' || c == '\t' || c == '\'' || c == '"') {
            flush();
        } else if (text.substr(i, 2) == "°") {
            flush();
            ++i;
        } else if (text.substr(i, 3) == "′" || text.substr(i, 3) == "″") {
            flush();
            i += 2;
        } else {
            return false;
        }
    }
    flush();
    return true;
}

bool toNumber(const std::string& text, double& value) {
    if (std::count(text.begin(), text.end(), '.') > 1 || text.front() == '.' || text.back() == '.')
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

Refused<GeoLongitude> parseGeoLongitude(std::string_view text) {
    const Refusal unreadable{"Die geographische Länge " + quoted(text) +
                             " ist nicht lesbar. Beispiele: 13.4, 13°24', 13 24 O, 73 59 W."};
    std::string_view rest = text;
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front())))
        rest.remove_prefix(1);
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back())))
        rest.remove_suffix(1);
    if (rest.empty())
        return Refusal{std::string(noLongitudeMessage)};

    int sign = 1;
    bool direction = false;
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(rest.back())));
    if (last == 'O' || last == 'E' || last == 'W') {
        direction = true;
        sign = last == 'W' ? -1 : 1;
        rest.remove_suffix(1);
    }
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        if (direction)
            return unreadable; // a sign and a direction at once
        sign = rest.front() == '-' ? -1 : 1;
        rest.remove_prefix(1);
    }

    std::vector<std::string> numbers;
    if (!splitNumbers(rest, numbers) || numbers.empty() || numbers.size() > 3)
        return unreadable;
    double parts[3] = {0, 0, 0};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!toNumber(numbers[i], parts[i]))
            return unreadable;
        // Only the last part may have a fraction; minutes and seconds stay below 60.
        if (i + 1 < numbers.size() && std::floor(parts[i]) != parts[i])
            return unreadable;
        if (i > 0 && parts[i] >= 60)
            return unreadable;
    }
    const double degrees = sign * (parts[0] + parts[1] / 60 + parts[2] / 3600);
    if (degrees < -180 || degrees > 180)
        return Refusal{"Die geographische Länge " + quoted(text) +
                       " liegt nicht zwischen −180° (Westen) und 180° (Osten)."};
    return GeoLongitude{degrees};
}

} // namespace zeitrad
