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

// "BxH" with a width of 300 to 10,000 and a height of 120 to 10,000 pixels.
bool setSize(Options& o, std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return false;
    }
    const std::string_view width = text.substr(0, x), height = text.substr(x + 1);
    if (!allDigits(width) || !allDigits(height) || width.size() > 5 || height.size() > 5) {
        return false;
    }
    o.width = number(width);
    o.height = number(height);
    return o.width >= 300 && o.width <= 10000 && o.height >= 120 && o.height <= 10000;
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
    timeline,
    picture,
    format,
    encoding,
    ayanamsa,
    events,
    level,
    count_
};

// Where --help lists an option: the sections in their order, each option in the order of the
// table below.
enum class Section { fields, born, registered, upkeep, output, timeline, events, general };

// A section's lines above its options and below them, each line indented by two blanks.
struct SectionText {
    Section section;
    std::string_view heading, closing;
};

constexpr SectionText sections[] = {
    {Section::fields, "", ""},
    {Section::born,
     "  Statt der Mondposition die Geburt selbst (wie \"Mond aus Geburtszeit …\" mit\n"
     "  \"Übernehmen\": Datum und tropische Position auf die Bogensekunde):\n",
     ""},
    {Section::registered,
     "  Geburten aus dem Geburtenregister ($ZEITRAD_REGISTER, sonst\n"
     "  ~/.local/share/zeitrad/geburten.sqlite) oder einer AAF-Datei:\n",
     "  Unbekannte Geburtszeit: gerechnet wird mit 12:00 Uhr am Geburtsort.\n"},
    {Section::upkeep, "  Das Geburtenregister pflegen (ohne Rechnung):\n", ""},
    {Section::output, "", ""},
    {Section::timeline, "  Die Zeitleiste der Periodenliste als Bild (statt der Ausgabe):\n", ""},
    {Section::events,
     "  Ereignisse eines Lebens und der Spielraum der Geburtszeit (statt der Perioden):\n", ""},
    {Section::general, "", ""},
};

// One option: its names; its value as --help names it (empty for an option that takes none); its
// section and lines in --help ('\n' between the lines); its group; what it does with its value
// (false: the value is refused); and the message for a refused value, for a flag given a value,
// and (where it differs) for a value that is missing.
struct Option {
    std::string_view name = {}, shortName = {};
    std::string_view value = {};
    Section section = Section::output;
    std::string_view help = {};
    Group group = Group::none;
    bool (*apply)(Options&, std::string_view value) = nullptr;
    std::string_view refusal = {};
    std::string_view missing = {};
    // The option takes several values: the arguments after its first that are no option.
    bool several = false;
};

constexpr Option options[] = {
    {.name = "--date",
     .value = "T.M.J",
     .section = Section::fields,
     .help = "Geburtsdatum: Tag, Monat und Jahr, wie in die Felder getippt",
     .group = Group::fields,
     .apply =
         [](Options& o, std::string_view v) {
             return setFields(v, '.', o.input.day, o.input.month, o.input.year);
         },
     .refusal = "--date braucht drei Felder, getrennt durch zwei Punkte: T.M.J",
     .missing = "--date braucht einen Wert"},
    {.name = "--moon",
     .value = "G:M:S",
     .section = Section::fields,
     .help = "Mondposition im Zeichen: Grad, Minuten und Sekunden\n"
             "(leere Felder und fehlende Optionen wie leere Eingabefelder)",
     .group = Group::fields,
     .apply =
         [](Options& o, std::string_view v) {
             return setFields(v, ':', o.input.degrees, o.input.minutes, o.input.seconds);
         },
     .refusal = "--moon braucht drei Felder, getrennt durch zwei Doppelpunkte: G:M:S",
     .missing = "--moon braucht einen Wert"},
    {.name = "--sign",
     .value = "ZEICHEN",
     .section = Section::fields,
     .help = "Widder … Fische (ae, oe, ue für Umlaute) oder 1 bis 12",
     .group = Group::fields,
     .apply =
         [](Options& o, std::string_view v) {
             const std::optional<int> sign = signOf(v);
             if (sign) {
                 o.input.sign = *sign;
             }
             return sign.has_value();
         },
     .refusal = "--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12"},
    {.name = "--tropical",
     .section = Section::fields,
     .help = "die Position ist tropisch (GG.MM.SS - tropisch)",
     .group = Group::fields,
     .apply = [](Options& o, std::string_view) { return o.input.tropical = true; },
     .refusal = "--tropical nimmt keinen Wert"},

    {.name = "--born",
     .value = "\"T.M.J H:MM\"",
     .section = Section::born,
     .help = "Geburtsdatum und Uhrzeit (auch H:MM:SS), Jahre 1800 bis 2199",
     .group = Group::born,
     .apply =
         [](Options& o, std::string_view v) {
             o.born.moment = v;
             return true;
         },
     .refusal = "--born braucht Datum und Uhrzeit: \"T.M.J H:MM\" oder \"T.M.J H:MM:SS\""},
    {.name = "--zone",
     .value = "ZONE",
     .section = Section::born,
     .help = "die Zeitzone der Uhrzeit: Europe/Berlin, America/New_York, UTC …",
     .group = Group::clocks,
     .apply = [](Options& o, std::string_view v) { return setClocks(o, Clocks::zone, v); },
     .refusal = "--zone braucht eine Zeitzone, z. B. Europe/Berlin oder UTC"},
    {.name = "--place",
     .value = "ORT",
     .section = Section::born,
     .help = "der Geburtsort aus dem Ortsatlas (Zeitzone und Länge), z. B.\n"
             "\"Frankfurt am Main\"; \"ORT, LAND\" oder \"ORT, BUNDESLAND\" wählt\n"
             "unter gleichnamigen Orten, sonst gilt der größte",
     .group = Group::clocks,
     .apply = [](Options& o, std::string_view v) { return setClocks(o, Clocks::place, v); },
     .refusal =
         "--place braucht einen Ort, z. B. \"Frankfurt am Main\" oder \"Ravensburg, Deutschland\""},
    {.name = "--lmt",
     .value = "LÄNGE",
     .section = Section::born,
     .help = "mittlere Ortszeit bei dieser Länge (Osten positiv): 13.4, 13,4,\n"
             "13°24', 13 24 O, 73 59 W, -73.99",
     .group = Group::clocks,
     .apply = [](Options& o, std::string_view v) { return setClocks(o, Clocks::meanTime, v); },
     .refusal = "--lmt braucht die geographische Länge des Geburtsorts, z. B. 13.4 oder -73.99"},
    {.name = "--sommerzeit",
     .value = "ja|nein",
     .section = Section::born,
     .help = "welche von zwei gleichen Uhrzeiten gemeint ist, wenn die Uhren\n"
             "zurückgestellt wurden",
     .group = Group::summerTime,
     .apply =
         [](Options& o, std::string_view v) {
             if (v != "ja" && v != "nein") {
                 return false;
             }
             o.born.summerTime = v == "ja";
             return true;
         },
     .refusal = "--sommerzeit braucht ja oder nein"},
    {.name = "--ayanamsa",
     .value = "NAME",
     .section = Section::born,
     .help = "wie der Mond siderisch wird: zeitrad (Vorgabe, die Formel der\n"
             "Eingabemaske auf die tropische Position), lahiri, lahiri-icrc,\n"
             "true-chitra, kp, raman, fagan-bradley, yukteshwar, true-pushya\n"
             "oder ushashashi (die siderische Position auf die Bogensekunde);\n"
             "bei --birth ohne diese Angabe die der Geburt im Register",
     .group = Group::ayanamsa,
     .apply =
         [](Options& o, std::string_view v) {
             o.ayanamsa = astronomy::ayanamsaOfToken(v);
             return o.ayanamsa.has_value();
         },
     .refusal = "--ayanamsa braucht zeitrad, lahiri, lahiri-icrc, true-chitra, kp, raman, "
                "fagan-bradley, yukteshwar, true-pushya oder ushashashi"},

    {.name = "--birth",
     .value = "NAME",
     .section = Section::registered,
     .help = "die Geburt dieses Namens (\"Müller, Jürgen\"; Groß- und\n"
             "Kleinschreibung und Akzente gleich); passen mehrere, werden\n"
             "sie aufgezählt und nichts gerechnet",
     .group = Group::registered,
     .apply =
         [](Options& o, std::string_view v) {
             o.birthName = v;
             return !v.empty();
         },
     .refusal = "--birth braucht den Namen einer Geburt des Registers, z. B. \"Müller, Jürgen\""},
    {.name = "--file",
     .value = "DATEI",
     .section = Section::registered,
     .help = "jede Geburt der Datei nacheinander, AAF oder Maitreya\n"
             "(.mtx), am Inhalt erkannt (Text: Blöcke mit Überschrift,\n"
             "CSV: Spalte Name vorne, JSON: ein Array); ohne #B93 Ort\n"
             "und Zeitzone aus dem Ortsatlas",
     .group = Group::aaf,
     .apply = [](Options& o, std::string_view v) { return setFile(o, Road::aaf, {}, v); },
     .refusal = "--file braucht eine AAF- oder Maitreya-Datei"},
    {.name = "--aaf",
     .value = "DATEI",
     .section = Section::registered,
     .help = "dasselbe wie --file",
     .group = Group::aaf,
     .apply = [](Options& o, std::string_view v) { return setFile(o, Road::aaf, {}, v); },
     .refusal = "--aaf braucht eine AAF-Datei"},

    {.name = "--import",
     .value = "DATEI",
     .section = Section::upkeep,
     .help = "die Geburten von AAF-Dateien (UTF-8 oder Windows-1252)\n"
             "und Maitreya-Dateien (.mtx) aufnehmen, eine oder mehrere\n"
             "(DATEI …); Bericht je Datei mit Zeilennummern auf der\n"
             "Standardfehlerausgabe",
     .group = Group::jobs,
     .apply =
         [](Options& o, std::string_view v) {
             o.files.emplace_back(v);
             return setFile(o, {}, Action::importAaf, o.files.front());
         },
     .refusal = "--import braucht eine AAF- oder Maitreya-Datei",
     .several = true},
    {.name = "--export",
     .value = "DATEI",
     .section = Section::upkeep,
     .help = "alle Geburten als AAF-Datei schreiben",
     .group = Group::jobs,
     .apply = [](Options& o, std::string_view v) { return setFile(o, {}, Action::exportAaf, v); },
     .refusal = "--export braucht den Namen der AAF-Datei, die geschrieben wird"},
    {.name = "--encoding",
     .value = "KODIERUNG",
     .section = Section::upkeep,
     .help = "utf-8 (Vorgabe) oder windows-1252 für ältere Programme",
     .group = Group::encoding,
     .apply =
         [](Options& o, std::string_view v) {
             o.windows1252 = v == "windows-1252";
             return v == "utf-8" || v == "windows-1252";
         },
     .refusal = "--encoding braucht utf-8 oder windows-1252"},
    {.name = "--list",
     .section = Section::upkeep,
     .help = "alle Geburten; mit --format csv oder json",
     .group = Group::jobs,
     .apply =
         [](Options& o, std::string_view) {
             o.action = Action::list;
             return true;
         },
     .refusal = "--list nimmt keinen Wert"},

    {.name = "--on",
     .value = "JJJJ-MM-TT",
     .help = "der Tag, für den laufende Perioden markiert werden (Vorgabe: heute)",
     .group = Group::output,
     .apply =
         [](Options& o, std::string_view v) {
             const std::optional<CivilDate> day = isoDateOf(v);
             if (day) {
                 o.on = day;
             }
             return day.has_value();
         },
     .refusal = "--on braucht einen Tag der Form JJJJ-MM-TT"},
    {.name = "--format",
     .value = "FORMAT",
     .help = "text (Vorgabe), csv (wie der CSV-Export der Liste) oder json",
     .group = Group::format,
     .apply =
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
     .refusal = "--format braucht text, csv oder json"},
    {.name = "--depth",
     .value = "1..5",
     .help = "Ebenen der Perioden: 1 Mahadasa … 5 Pranadasa (Vorgabe: im\n"
             "Text 2, in CSV und JSON 3)",
     .group = Group::output,
     .apply =
         [](Options& o, std::string_view v) {
             if (v.size() != 1 || v[0] < '1' || v[0] > '0' + deepestLevel) {
                 return false;
             }
             o.depth = v[0] - '0';
             return true;
         },
     .refusal = "--depth braucht 1, 2, 3, 4 oder 5"},
    {.name = "--year-length",
     .value = "LÄNGE",
     .help = "Kalendertage je Jahr der Dasas: 365.2425 (Vorgabe, gregorianisch;\n"
             "auch solar), 360, 365.25 (julianisch), 365.2422 (tropisch) oder\n"
             "365.25636 (siderisch)",
     .group = Group::output,
     .apply =
         [](Options& o, std::string_view v) {
             const std::optional<YearLength> length = yearLengthFromToken(v);
             if (length) {
                 o.yearLength = *length;
             }
             return length.has_value();
         },
     .refusal =
         "--year-length braucht 360, 365.2425 (oder solar), 365.25, 365.2422 oder 365.25636"},
    {.name = "--timeline",
     .value = "DATEI.png",
     .section = Section::timeline,
     .help = "die Perioden als Balken, ein Band je Ebene bis --depth (Vorgabe\n"
             "3), mit der Linie des Tages von --on und der Achse aus Daten\n"
             "und Altern",
     .group = Group::timeline,
     .apply =
         [](Options& o, std::string_view v) {
             o.timeline = v;
             return !v.empty();
         },
     .refusal = "--timeline braucht den Namen der PNG-Datei, die geschrieben wird"},
    {.name = "--from",
     .value = "JJJJ-MM-TT",
     .section = Section::timeline,
     .help = "der erste Tag des Bildes (Vorgabe: die Geburt)",
     .group = Group::picture,
     .apply =
         [](Options& o, std::string_view v) {
             o.from = isoDateOf(v);
             return o.from.has_value();
         },
     .refusal = "--from braucht einen Tag der Form JJJJ-MM-TT"},
    {.name = "--to",
     .value = "JJJJ-MM-TT",
     .section = Section::timeline,
     .help = "der letzte Tag des Bildes (Vorgabe: der letzte des Zyklus)",
     .group = Group::picture,
     .apply =
         [](Options& o, std::string_view v) {
             o.to = isoDateOf(v);
             return o.to.has_value();
         },
     .refusal = "--to braucht einen Tag der Form JJJJ-MM-TT"},
    {.name = "--size",
     .value = "BxH",
     .section = Section::timeline,
     .help = "Breite und Höhe in Pixeln, z. B. 1600x400 (Vorgabe: 1200 breit,\n"
             "so hoch wie die Bänder es brauchen)",
     .group = Group::picture,
     .apply = [](Options& o, std::string_view v) { return setSize(o, v); },
     .refusal = "--size braucht Breite und Höhe in Pixeln, z. B. 1600x400 (Breite 300 bis "
                "10000, Höhe 120 bis 10000)"},
    {.name = "--events",
     .section = Section::events,
     .help = "die Ereignisse der Geburt von --birth mit den Perioden, die an\n"
             "ihnen laufen (bis --depth, Vorgabe 3; text, csv oder json)",
     .group = Group::events,
     .apply = [](Options& o, std::string_view) { return o.listEvents = true; },
     .refusal = "--events nimmt keinen Wert"},
    {.name = "--event",
     .value = "\"T.M.J TEXT\"",
     .section = Section::events,
     .help = "ein Ereignis, auch mit Uhrzeit: \"T.M.J H:MM TEXT\"; nirgends\n"
             "gespeichert, auch mehrmals",
     .group = Group::events,
     .apply =
         [](Options& o, std::string_view v) {
             o.events.emplace_back(v);
             return !v.empty();
         },
     .refusal = "--event braucht Datum und Text: \"T.M.J Text\" oder \"T.M.J H:MM Text\""},
    {.name = "--rectify",
     .section = Section::events,
     .help = "die früheste und späteste Geburtszeit (gleicher Tag, Ort, Uhren),\n"
             "bei der jedes Ereignis in denselben Perioden bleibt; gesucht\n"
             "bis 6 Stunden weit (text oder json)",
     .group = Group::events,
     .apply = [](Options& o, std::string_view) { return o.rectify = true; },
     .refusal = "--rectify nimmt keinen Wert"},
    {.name = "--level",
     .value = "2|3",
     .section = Section::events,
     .help = "bis zu welcher Ebene die Perioden gleich bleiben: 2 Antardasa,\n"
             "3 Pratyantardasa (Vorgabe)",
     .group = Group::level,
     .apply =
         [](Options& o, std::string_view v) {
             if (v != "2" && v != "3") {
                 return false;
             }
             o.level = v[0] - '0';
             return true;
         },
     .refusal = "--level braucht 2 oder 3"},
    {.name = "--help",
     .shortName = "-h",
     .section = Section::general,
     .help = "diese Hilfe",
     .apply = [](Options& o, std::string_view) { return o.help = true; },
     .refusal = "--help nimmt keinen Wert"},
    {.name = "--version",
     .section = Section::general,
     .help = "die Version",
     .apply = [](Options& o, std::string_view) { return o.version = true; },
     .refusal = "--version nimmt keinen Wert"},
};

// The width of a UTF-8 text in characters.
std::size_t characters(std::string_view text) {
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// An option as --help lists it: its name and value in front, then its lines, each beginning in
// the same column.
std::string helpEntry(const Option& option) {
    constexpr std::size_t column = 23;
    std::string lead = "  " + std::string(option.name);
    if (!option.value.empty()) {
        lead += ' ';
        lead += option.value;
    }
    const std::size_t width = characters(lead);
    std::string text = lead + std::string(width < column ? column - width : 1, ' ');
    const std::string_view help = option.help;
    for (std::size_t at = 0;;) {
        const std::size_t end = help.find('\n', at);
        text += help.substr(at, end - at);
        text += '\n';
        if (end == std::string_view::npos) {
            return text;
        }
        text += std::string(column, ' ');
        at = end + 1;
    }
}

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
    if (named[timeline] + named[picture] > 0) {
        return Refusal{"--timeline zeichnet die Perioden einer Geburt: nicht zusammen mit "
                       "--import, --export oder --list"};
    }
    if (named[format] > 0 && o.action != Action::list) {
        return Refusal{"--format gehört hier nur zu --list"};
    }
    return std::nullopt;
}

// The picture instead of the answer: one birth, no --format; its span and size only with it.
std::optional<Refusal> choosePicture(const Options& o, const Named& named) {
    using enum Group;
    if (named[timeline] == 0) {
        if (named[picture] > 0) {
            return Refusal{"--from, --to und --size gehören zu --timeline"};
        }
        return std::nullopt;
    }
    if (named[timeline] > 1) {
        return Refusal{"--timeline nur einmal angeben"};
    }
    if (named[format] > 0) {
        return Refusal{"--timeline schreibt ein Bild: nicht zusammen mit --format"};
    }
    if (named[aaf] > 0) {
        return Refusal{"--timeline zeichnet eine Geburt: nicht zusammen mit --aaf"};
    }
    if (o.from && o.to && *o.to < *o.from) {
        return Refusal{"--to liegt vor --from"};
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

// The events of a birth and its birth-time window: instead of the periods, for one birth.
std::optional<Refusal> chooseEvents(const Options& o, const Named& named) {
    using enum Group;
    if (named[level] > 0 && !o.rectify) {
        return Refusal{"--level gehört zu --rectify"};
    }
    if (named[events] == 0) {
        return std::nullopt;
    }
    if (o.action != Action::calculate) {
        return Refusal{"--events, --event und --rectify nicht zusammen mit --import, --export "
                       "oder --list"};
    }
    if (named[timeline] > 0) {
        return Refusal{"--events, --event und --rectify nicht zusammen mit --timeline"};
    }
    if (o.road == Road::aaf) {
        return Refusal{"--events, --event und --rectify gehören zu einer Geburt: nicht "
                       "zusammen mit --aaf"};
    }
    if (o.listEvents && o.road != Road::registered) {
        return Refusal{"--events liest die Ereignisse einer Geburt des Registers: nur mit --birth"};
    }
    if (o.rectify && o.road != Road::registered && o.road != Road::born) {
        return Refusal{"--rectify braucht die Geburtszeit: nur mit --born oder --birth"};
    }
    if (o.rectify && o.format == Format::csv) {
        return Refusal{"--rectify schreibt Text oder JSON, kein CSV"};
    }
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
        const bool takesValue = !option->value.empty();
        if (!takesValue && value) {
            return Refusal{std::string(option->refusal)};
        }
        if (takesValue && !value) {
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
        while (option->several && i + 1 < arguments.size() && !arguments[i + 1].starts_with('-') &&
               !arguments[i + 1].empty()) {
            option->apply(parsed, arguments[++i]);
        }
    }
    if (auto refusal = chooseJob(parsed, named)) {
        return *refusal;
    }
    if (auto refusal = chooseRoad(parsed, named)) {
        return *refusal;
    }
    if (auto refusal = choosePicture(parsed, named)) {
        return *refusal;
    }
    if (auto refusal = chooseEvents(parsed, named)) {
        return *refusal;
    }
    return parsed;
}

std::string optionHelp() {
    std::string text;
    for (const SectionText& section : sections) {
        if (!text.empty()) {
            text += '\n';
        }
        text += section.heading;
        for (const Option& option : options) {
            if (option.section == section.section) {
                text += helpEntry(option);
            }
        }
        text += section.closing;
    }
    return text;
}

} // namespace zeitrad::cli
