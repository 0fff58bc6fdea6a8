#include "formats/json.h"

#include <charconv>
#include <cstdio>

namespace zeitrad::formats {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                out += buffer;
            } else {
                out += c; // UTF-8 passes through as it is
            }
        }
    }
    return out + '"';
}

std::string jsonNumber(double value) {
    // Whatever the locale: a point, eight decimals.
    char buffer[48];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 8);
    return std::string(buffer, end.ptr);
}

} // namespace zeitrad::formats
