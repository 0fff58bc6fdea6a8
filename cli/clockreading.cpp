#include "cli/clockreading.h"

#include <string>

namespace zeitrad::cli {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A number of 1 to maxDigits ASCII digits up to the separator (or the end when it is 0); the
// text after the separator is left in `rest`.
bool readNumber(std::string_view& rest, char separator, std::size_t maxDigits, int& value) {
    std::size_t digits = 0;
    value = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
        if (digits == maxDigits) {
            return false;
        }
        value = value * 10 + (rest[digits] - '0');
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    rest.remove_prefix(digits);
    if (separator == 0) {
        return rest.empty();
    }
    if (rest.empty() || rest.front() != separator) {
        return false;
    }
    rest.remove_prefix(1);
    return true;
}

} // namespace

Refused<ClockReading> readClock(std::string_view text) {
    const Refusal unreadable{"Die Geburtszeit „" + std::string(text) +
                             "“ ist nicht lesbar. Erwartet: T.M.J H:MM oder T.M.J H:MM:SS, "
                             "z. B. 12.5.1985 13:27."};
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    const std::size_t blank = text.find_first_of(" \t");
    if (blank == std::string_view::npos) {
        return unreadable;
    }
    std::string_view date = text.substr(0, blank), time = text.substr(blank);
    while (!time.empty() && isBlank(time.front())) {
        time.remove_prefix(1);
    }
    ClockReading r;
    if (!readNumber(date, '.', 2, r.date.day) || !readNumber(date, '.', 2, r.date.month) ||
        !readNumber(date, 0, 4, r.date.year)) {
        return unreadable;
    }
    const bool seconds = time.find(':') != time.rfind(':');
    if (!readNumber(time, ':', 2, r.hour) || !readNumber(time, seconds ? ':' : 0, 2, r.minute) ||
        (seconds && !readNumber(time, 0, 2, r.second))) {
        return unreadable;
    }
    if (!isValid(r.date)) {
        return Refusal{"Den Tag " + std::to_string(r.date.day) + '.' +
                       std::to_string(r.date.month) + '.' + std::to_string(r.date.year) +
                       " gibt es nicht."};
    }
    if (r.hour > 23 || r.minute > 59 || r.second > 59) {
        return Refusal{"Die Uhrzeit in „" + std::string(text) +
                       "“ gibt es nicht: Stunden 0 bis 23, Minuten und Sekunden 0 bis 59."};
    }
    return r;
}

} // namespace zeitrad::cli
