#include "engine/input.h"

#include <limits>

namespace zeitrad {

std::optional<int> toInteger(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        pos = 1;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    // The magnitude may reach 2^31 for a negative value; stop as soon as it passes that, so that
    // any number of digits is read without overflow.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    if (!negative && magnitude == limit) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string notAnIntegerMessage(std::string_view text) {
    std::string message = "'";
    message += text;
    message += "' ist kein gültiger Integerwert";
    return message;
}

std::string longitudeOutOfRangeMessage(bool tropical) {
    if (tropical) {
        return "Die Mondposition liegt nach der Umrechnung von tropisch auf siderisch außerhalb "
               "des Tierkreises. Die siderische Länge muss mindestens 0° und weniger als 360° "
               "betragen; bitte Zeichen, Grad, Minuten, Sekunden und Geburtsjahr prüfen.";
    }
    return "Die Mondposition liegt außerhalb des Tierkreises. Zeichen, Grad, Minuten und Sekunden "
           "müssen zusammen eine Länge von mindestens 0° und weniger als 360° ergeben.";
}

} // namespace zeitrad
