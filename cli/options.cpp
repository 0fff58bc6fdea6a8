#include "cli/options.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/names.h"
#include "engine/periods.h"
#include "engine/yearlengths.h"

namespace zeitrad::cli {

namespace {

// Lower case, with the UTF-8 umlauts (either case) written out as two letters: "Löwe" and "LOEWE"
// both read "loewe".
std::string signKey(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3 && i + 1 < text.size()) {
            const char* spelled = nullptr;
            switch (static_cast<unsigned char>(text[i + 1])) {
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
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The sign 1 (Widder) .. 12 (Fische) of its name in any case, with "ae", "oe", "ue" for the
// umlauts, or of its number in at most two digits.
std::optional<int> signOf(std::string_view text) {
    if (allDigits(text) && text.size() <= 2) {
        const int n = number(text);
        return n >= 1 && n <= 12 ? std::optional<int>(n) : std::nullopt;
    }
    const std::string key = signKey(text);
    for (int sign = 1; sign <= 12; ++sign) {
        if (key == signKey(signName[static_cast<std::size_t>(sign)])) {
            return sign;
        }
    }
    return std::nullopt;
}

// The day of "JJJJ-MM-TT" when it exists in the years 1 to 9999.
std::optional<CivilDate> isoDateOf(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const std::string_view y = text.substr(0, 4), m = text.substr(5, 2), d = text.substr(8, 2);
    if (!allDigits(y) || !allDigits(m) || !allDigits(d)) {
        return std::nullopt;
    }
    const CivilDate date{number(y), number(m), number(d)};
    return isValid(date) ? std::optional<CivilDate>(date) : std::nullopt;
}

// "a.b.c" into three field texts, each of which may be empty; false unless there are exactly two
// separators.
bool setFields(std::string_view text, char separator, std::string& a, std::string& b,
               std::string& c) {
    if (std::count(text.begin(), text.end(), separator) != 2) {
        return false;
    }
    const std::size_t first = text.find(separator), second = text.find(separator, first + 1);
    a = text.substr(0, first);
    b = text.substr(first + 1, second - first - 1);
    c = text.substr(second + 1);
    return true;
}

bool setFile(Options& o, std::optional<Road> road, std::optional<Action> action,
             std::string_view file) {
    if (road)
        o.road = *road;
    if (action)
        o.action = *action;
    o.file = file;
    return !file.empty();
}

bool setClocks(Options& o, Clocks clocks, std::string_view where) {
    o.born.clocks = clocks;
    o.born.where = where;
    return true;
}

// What an option belongs to, for the rules between the options a command line names.
enum class Group {
    none,
    fields,
    born,
    clocks,
    summerTime,
    registered,
    aaf,
    jobs,
    output,
    format,
    encoding,
    ayanamsa,
    count_
};

// One option: its names, its group, what it does with its value (false: the value is refused)
// and the message for a refused value, for a flag given a value, and (where it differs) for a
// value that is missing.
struct Option {
    std::string_view name, shortName;
    Group group;
    bool (*apply)(Options&, std::string_view value);
    std::string_view refusal;
    bool takesValue = true;
    std::string_view missing = {};
};

constexpr Option options[] = {
    {"--help", "-h", Group::none, [](Options& o, std::string_view) { return o.help = true; },
     "--help nimmt keinen Wert", false},
    {"--version", "", Group::none, [](Options& o, std::string_view) { return o.version = true; },
     "--version nimmt keinen Wert", false},
    {"--tropical", "", Group::fields,
     [](Options& o, std::string_view) { return o.input.tropical = true; },
     "--tropical nimmt keinen Wert", false},
    {"--date", "", Group::fields,
     [](Options& o, std::string_view v) {
         return setFields(v, '.', o.input.day, o.input.month, o.input.year);
     },
     "--date braucht drei Felder, getrennt durch zwei Punkte: T.M.J", true,
     "--date braucht einen Wert"},
    {"--moon", "", Group::fields,
     [](Options& o, std::string_view v) {
         return setFields(v, ':', o.input.degrees, o.input.minutes, o.input.seconds);
     },
     "--moon braucht drei Felder, getrennt durch zwei Doppelpunkte: G:M:S", true,
     "--moon braucht einen Wert"},
    {"--sign", "", Group::fields,
     [](Options& o, std::string_view v) {
         const std::optional<int> sign = signOf(v);
         if (sign) {
             o.input.sign = *sign;
         }
         return sign.has_value();
     },
     "--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12"},
    {"--on", "", Group::output,
     [](Options& o, std::string_view v) {
         const std::optional<CivilDate> day = isoDateOf(v);
         if (day) {
             o.on = day;
         }
         return day.has_value();
     },
     "--on braucht einen Tag der Form JJJJ-MM-TT"},
    {"--format", "", Group::format,
     [](Options& o, std::string_view v) {
         constexpr std::pair<std::string_view, Format> formats[] = {
             {"text", Format::text}, {"csv", Format::csv}, {"json", Format::json}};
         for (const auto& [word, format] : formats) {
             if (v == word) {
                 o.format = format;
                 return true;
             }
         }
         return false;
     },
     "--format braucht text, csv oder json"},
    {"--depth", "", Group::output,
     [](Options& o, std::string_view v) {
         if (v.size() != 1 || v[0] < '1' || v[0] > '0' + deepestLevel) {
             return false;
         }
         o.depth = v[0] - '0';
         return true;
     },
     "--depth braucht 1, 2, 3, 4 oder 5"},
    {"--year-length", "", Group::output,
     [](Options& o, std::string_view v) {
         const std::optional<YearLength> length = yearLengthFromToken(v);
         if (length) {
             o.yearLength = *length;
         }
         return length.has_value();
     },
     "--year-length braucht 360, 365.2425 (oder solar), 365.25, 365.2422 oder 365.25636"},
    {"--born", "", Group::born,
     [](Options& o, std::string_view v) {
         o.born.moment = v;
         return true;
     },
     "--born braucht Datum und Uhrzeit: \"T.M.J H:MM\" oder \"T.M.J H:MM:SS\""},
    {"--zone", "", Group::clocks,
     [](Options& o, std::string_view v) { return setClocks(o, Clocks::zone, v); },
     "--zone braucht eine Zeitzone, z. B. Europe/Berlin oder UTC"},
    {"--place", "", Group::clocks,
     [](Options& o, std::string_view v) { return setClocks(o, Clocks::place, v); },
     "--place braucht einen Ort, z. B. \"Frankfurt am Main\" oder \"Ravensburg, Deutschland\""},
    {"--lmt", "", Group::clocks,
     [](Options& o, std::string_view v) { return setClocks(o, Clocks::meanTime, v); },
     "--lmt braucht die geographische Länge des Geburtsorts, z. B. 13.4 oder -73.99"},
    {"--birth", "", Group::registered,
     [](Options& o, std::string_view v) {
         o.birthName = v;
         return !v.empty();
     },
     "--birth braucht den Namen einer Geburt des Registers, z. B. \"Müller, Jürgen\""},
    {"--aaf", "", Group::aaf,
     [](Options& o, std::string_view v) { return setFile(o, Road::aaf, {}, v); },
     "--aaf braucht eine AAF-Datei"},
    {"--import", "", Group::jobs,
     [](Options& o, std::string_view v) { return setFile(o, {}, Action::importAaf, v); },
     "--import braucht eine AAF-Datei"},
    {"--export", "", Group::jobs,
     [](Options& o, std::string_view v) { return setFile(o, {}, Action::exportAaf, v); },
     "--export braucht den Namen der AAF-Datei, die geschrieben wird"},
    {"--list", "", Group::jobs,
     [](Options& o, std::string_view) {
         o.action = Action::list;
         return true;
     },
     "--list nimmt keinen Wert", false},
    {"--encoding", "", Group::encoding,
     [](Options& o, std::string_view v) {
         o.windows1252 = v == "windows-1252";
         return v == "utf-8" || v == "windows-1252";
     },
     "--encoding braucht utf-8 oder windows-1252"},
    // Help: --ayanamsa NAME      wie der Mond siderisch wird: zeitrad (Vorgabe, die Formel der
    //                           Eingabemaske auf die tropische Position), lahiri, lahiri-icrc,
    //                           true-chitra, kp, raman, fagan-bradley, yukteshwar, true-pushya
    //                           oder ushashashi (die siderische Position auf die Bogensekunde);
    //                           bei --birth ohne diese Angabe die der Geburt im Register
    {"--ayanamsa", "", Group::ayanamsa,
     [](Options& o, std::string_view v) {
         o.ayanamsa = astronomy::ayanamsaOfToken(v);
         return o.ayanamsa.has_value();
     },
     "--ayanamsa braucht zeitrad, lahiri, lahiri-icrc, true-chitra, kp, raman, fagan-bradley, "
     "yukteshwar, true-pushya oder ushashashi"},
    {"--sommerzeit", "", Group::summerTime,
     [](Options& o, std::string_view v) {
         if (v != "ja" && v != "nein") {
             return false;
         }
         o.born.summerTime = v == "ja";
         return true;
     },
     "--sommerzeit braucht ja oder nein"},
};

// How many options of each group the command line names.
class Named {
public:
    void add(Group group) { ++counts_[std::size_t(group)]; }
    int operator[](Group group) const { return counts_[std::size_t(group)]; }

private:
    std::array<int, std::size_t(Group::count_)> counts_{};
};

// The register's batch jobs take no input of a calculation.
std::optional<Refusal> chooseJob(const Options& o, const Named& named) {
    using enum Group;
    if (named[encoding] > 0 && o.action != Action::exportAaf) {
        return Refusal{"--encoding gehört zu --export"};
    }
    if (named[jobs] == 0) {
        return std::nullopt;
    }
    if (named[jobs] > 1) {
        return Refusal{"--import, --export und --list nur einzeln und je einmal angeben"};
    }
    if (named[fields] + named[born] + named[clocks] + named[summerTime] + named[registered] +
            named[aaf] + named[output] + named[ayanamsa] >
        0) {
        return Refusal{"--import, --export und --list rechnen nichts: nicht zusammen mit den "
                       "Angaben einer Geburt oder --on, --depth, --year-length"};
    }
    if (named[format] > 0 && o.action != Action::list) {
        return Refusal{"--format gehört hier nur zu --list"};
    }
    return std::nullopt;
}

// The road the options take, or why they do not fit together.
std::optional<Refusal> chooseRoad(Options& o, const Named& named) {
    using enum Group;
    if (named[registered] + named[aaf] > 0) {
        if (named[registered] + named[aaf] + named[born] > 1) {
            return Refusal{"nur eine der Angaben --born, --birth oder --aaf, und nur einmal"};
        }
        if (named[ayanamsa] > 1) {
            return Refusal{"--ayanamsa nur einmal angeben"};
        }
        if (named[fields] + named[clocks] + named[summerTime] > 0) {
            return Refusal{"--birth und --aaf nehmen Datum, Uhrzeit und Ort aus der Geburt: "
                           "nicht zusammen mit --date, --moon, --sign, --tropical, --zone, "
                           "--place, --lmt oder --sommerzeit"};
        }
        o.road = named[aaf] > 0 ? Road::aaf : Road::registered;
        return std::nullopt;
    }
    if (named[born] == 0) {
        if (named[clocks] > 0 || named[summerTime] > 0) {
            return Refusal{"--zone, --place, --lmt und --sommerzeit gehören zu --born"};
        }
        if (named[ayanamsa] > 0) {
            return Refusal{"--ayanamsa gehört zu --born, --birth oder --aaf: eine eingegebene "
                           "Mondposition ist schon tropisch oder siderisch"};
        }
        return std::nullopt;
    }
    if (named[born] > 1) {
        return Refusal{"--born nur einmal angeben"};
    }
    if (named[ayanamsa] > 1) {
        return Refusal{"--ayanamsa nur einmal angeben"};
    }
    if (named[fields] > 0) {
        return Refusal{"--born berechnet die Mondposition selbst: nicht zusammen mit --date, "
                       "--moon, --sign oder --tropical"};
    }
    if (named[clocks] != 1) {
        return Refusal{"--born braucht genau eine der Angaben --zone, --place oder --lmt"};
    }
    o.road = Road::born;
    return std::nullopt;
}

} // namespace

Refused<Options> parseArguments(const std::vector<std::string_view>& arguments) {
    Options parsed;
    Named named;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> value;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != name.npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const Option* option = std::find_if(std::begin(options), std::end(options), [&](auto& o) {
            return name == o.name || (!o.shortName.empty() && name == o.shortName);
        });
        if (option == std::end(options)) {
            return Refusal{"unbekannte Option: " + std::string(arguments[i])};
        }
        if (!option->takesValue && value) {
            return Refusal{std::string(option->refusal)};
        }
        if (option->takesValue && !value) {
            if (i + 1 == arguments.size()) {
                return Refusal{
                    std::string(option->missing.empty() ? option->refusal : option->missing)};
            }
            value = arguments[++i];
        }
        if (!option->apply(parsed, value.value_or(""))) {
            return Refusal{std::string(option->refusal)};
        }
        named.add(option->group);
    }
    if (auto refusal = chooseJob(parsed, named)) {
        return *refusal;
    }
    if (auto refusal = chooseRoad(parsed, named)) {
        return *refusal;
    }
    return parsed;
}

} // namespace zeitrad::cli
