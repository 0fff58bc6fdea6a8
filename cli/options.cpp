#include "cli/options.h"

#include <array>
#include <utility>

namespace zeitrad::cli {

namespace {

// The sign names as the input screen shows them, umlauts written as "ae", "oe", "ue", lower case.
constexpr std::array<std::string_view, 12> signKeys = {
    "widder", "stier",    "zwillinge", "krebs",     "loewe",      "jungfrau",
    "waage",  "skorpion", "schuetze",  "steinbock", "wassermann", "fische",
};

// Lower case, with the UTF-8 umlauts (either case) written out as two letters.
std::string signKey(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3 && i + 1 < text.size()) {
            const unsigned char next = static_cast<unsigned char>(text[i + 1]);
            const char* spelled = nullptr;
            switch (next) {
            case 0xA4: // ä
            case 0x84: // Ä
                spelled = "ae";
                break;
            case 0xB6: // ö
            case 0x96: // Ö
                spelled = "oe";
                break;
            case 0xBC: // ü
            case 0x9C: // Ü
                spelled = "ue";
                break;
            default:
                break;
            }
            if (spelled) {
                key += spelled;
                ++i;
                continue;
            }
        }
        key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    }
    return key;
}

bool allDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return !text.empty();
}

int number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<int> signOf(std::string_view text) {
    if (allDigits(text) && text.size() <= 2) {
        const int n = number(text);
        if (n >= 1 && n <= 12) {
            return n;
        }
        return std::nullopt;
    }
    const std::string key = signKey(text);
    for (std::size_t i = 0; i < signKeys.size(); ++i) {
        if (key == signKeys[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return std::nullopt;
}

std::optional<CivilDate> isoDateOf(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const std::string_view y = text.substr(0, 4), m = text.substr(5, 2), d = text.substr(8, 2);
    if (!allDigits(y) || !allDigits(m) || !allDigits(d)) {
        return std::nullopt;
    }
    const CivilDate date{number(y), number(m), number(d)};
    if (!isValid(date)) {
        return std::nullopt;
    }
    return date;
}

std::optional<std::vector<std::string>> splitFields(std::string_view text, char separator) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() != 3) {
        return std::nullopt;
    }
    return fields;
}

Parsed parseArguments(const std::vector<std::string_view>& arguments) {
    Parsed parsed;
    Options& o = parsed.options;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        // "--name=value" or "--name value".
        std::optional<std::string_view> inlineValue;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != name.npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto value = [&]() -> std::optional<std::string_view> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            return std::nullopt;
        };
        auto flag = [&](bool& target) {
            target = true;
            return !inlineValue;
        };

        if (name == "--help" || name == "-h") {
            if (!flag(o.help)) {
                return fail("--help nimmt keinen Wert");
            }
        } else if (name == "--version") {
            if (!flag(o.version)) {
                return fail("--version nimmt keinen Wert");
            }
        } else if (name == "--tropical") {
            if (!flag(o.input.tropical)) {
                return fail("--tropical nimmt keinen Wert");
            }
        } else if (name == "--date" || name == "--moon") {
            const bool date = name == "--date";
            const auto text = value();
            if (!text) {
                return fail(std::string(name) + " braucht einen Wert");
            }
            const auto fields = splitFields(*text, date ? '.' : ':');
            if (!fields) {
                return fail(date ? "--date braucht drei Felder, getrennt durch zwei Punkte: T.M.J"
                                 : "--moon braucht drei Felder, getrennt durch zwei "
                                   "Doppelpunkte: G:M:S");
            }
            std::string* targets[3] = {&o.input.day, &o.input.month, &o.input.year};
            if (!date) {
                targets[0] = &o.input.degrees;
                targets[1] = &o.input.minutes;
                targets[2] = &o.input.seconds;
            }
            for (int k = 0; k < 3; ++k) {
                *targets[k] = (*fields)[static_cast<std::size_t>(k)];
            }
        } else if (name == "--sign") {
            const auto text = value();
            const std::optional<int> sign = text ? signOf(*text) : std::nullopt;
            if (!sign) {
                return fail("--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12");
            }
            o.input.sign = *sign;
        } else if (name == "--on") {
            const auto text = value();
            const std::optional<CivilDate> day = text ? isoDateOf(*text) : std::nullopt;
            if (!day) {
                return fail("--on braucht einen Tag der Form JJJJ-MM-TT");
            }
            o.on = day;
        } else if (name == "--format") {
            const auto text = value();
            if (text == "text") {
                o.format = Format::text;
            } else if (text == "csv") {
                o.format = Format::csv;
            } else if (text == "json") {
                o.format = Format::json;
            } else {
                return fail("--format braucht text, csv oder json");
            }
        } else if (name == "--depth") {
            const auto text = value();
            if (text == "1" || text == "2" || text == "3") {
                o.depth = (*text)[0] - '0';
            } else {
                return fail("--depth braucht 1, 2 oder 3");
            }
        } else if (name == "--year-length") {
            const auto text = value();
            if (text == "solar") {
                o.yearLength = YearLength::solar;
            } else if (text == "360") {
                o.yearLength = YearLength::days360;
            } else {
                return fail("--year-length braucht solar oder 360");
            }
        } else {
            return fail("unbekannte Option: " + std::string(arguments[i]));
        }
    }
    return parsed;
}

} // namespace zeitrad::cli
