// zeitrad-dasa: the calculation and the period list of the window program, from the command line.
// Exit status: 0 done (also when the reader of the output has gone away), 1 input refused, 2 the
// command line cannot be read, 3 the output could not be written.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <QStandardPaths>

#include "atlas/geonamesatlas.h"
#include "cli/bornroad.h"
#include "cli/options.h"
#include "cli/registerjobs.h"
#include "cli/report.h"
#include "engine/periodtext.h"

namespace {

using namespace zeitrad;
using namespace zeitrad::cli;

constexpr std::string_view usage =
    "Aufruf: zeitrad-dasa [--date T.M.J] [--moon G:M:S] [--sign ZEICHEN] [--tropical] [AUSGABE]\n"
    "       zeitrad-dasa --born \"T.M.J H:MM[:SS]\" (--zone ZONE | --place ORT | --lmt LÄNGE)\n"
    "                    [--sommerzeit ja|nein] [--ayanamsa NAME] [AUSGABE]\n"
    "       zeitrad-dasa (--birth NAME | --aaf DATEI) [--ayanamsa NAME] [AUSGABE]\n"
    "       zeitrad-dasa --import DATEI | --export DATEI [--encoding utf-8|windows-1252]\n"
    "                    | --list [--format text|csv|json]\n"
    "AUSGABE: [--on JJJJ-MM-TT] [--format text|csv|json] [--depth 1..5]\n"
    "         [--year-length 360|365.2425|365.25|365.2422|365.25636]\n";

constexpr std::string_view help =
    "Berechnet die Vimsottari-Dasa-Perioden einer Geburt, wie Zeitrad sie in der Übersicht\n"
    "und in der Periodenliste zeigt.\n"
    "\n"
    "  --date T.M.J         Geburtsdatum: Tag, Monat und Jahr, wie in die Felder getippt\n"
    "  --moon G:M:S         Mondposition im Zeichen: Grad, Minuten und Sekunden\n"
    "                       (leere Felder und fehlende Optionen wie leere Eingabefelder)\n"
    "  --sign ZEICHEN       Widder … Fische (ae, oe, ue für Umlaute) oder 1 bis 12\n"
    "  --tropical           die Position ist tropisch (GG.MM.SS - tropisch)\n"
    "\n"
    "  Statt der Mondposition die Geburt selbst (wie \"Mond aus Geburtszeit …\" mit\n"
    "  \"Übernehmen\": Datum und tropische Position auf die Bogensekunde):\n"
    "  --born \"T.M.J H:MM\"  Geburtsdatum und Uhrzeit (auch H:MM:SS), Jahre 1800 bis 2199\n"
    "  --zone ZONE          die Zeitzone der Uhrzeit: Europe/Berlin, America/New_York, UTC …\n"
    "  --place ORT          der Geburtsort aus dem Ortsatlas (Zeitzone und Länge), z. B.\n"
    "                       \"Frankfurt am Main\"; \"ORT, LAND\" oder \"ORT, BUNDESLAND\" wählt\n"
    "                       unter gleichnamigen Orten, sonst gilt der größte\n"
    "  --lmt LÄNGE          mittlere Ortszeit bei dieser Länge (Osten positiv): 13.4, 13,4,\n"
    "                       13°24', 13 24 O, 73 59 W, -73.99\n"
    "  --sommerzeit ja|nein welche von zwei gleichen Uhrzeiten gemeint ist, wenn die Uhren\n"
    "                       zurückgestellt wurden\n"
    "  --ayanamsa NAME      wie der Mond siderisch wird: zeitrad (Vorgabe, die Formel der\n"
    "                       Eingabemaske auf die tropische Position), lahiri, lahiri-icrc,\n"
    "                       true-chitra, kp, raman, fagan-bradley, yukteshwar, true-pushya\n"
    "                       oder ushashashi (die siderische Position auf die Bogensekunde);\n"
    "                       bei --birth ohne diese Angabe die der Geburt im Register\n"
    "\n"
    "  Geburten aus dem Geburtenregister ($ZEITRAD_REGISTER, sonst\n"
    "  ~/.local/share/zeitrad/geburten.sqlite) oder einer AAF-Datei:\n"
    "  --birth NAME         die Geburt dieses Namens (\"Müller, Jürgen\"; Groß- und\n"
    "                       Kleinschreibung und Akzente gleich); passen mehrere, werden\n"
    "                       sie aufgezählt und nichts gerechnet\n"
    "  --aaf DATEI          jede Geburt der AAF-Datei nacheinander (Text: Blöcke mit\n"
    "                       Überschrift, CSV: Spalte Name vorne, JSON: ein Array);\n"
    "                       ohne #B93 Ort und Zeitzone aus dem Ortsatlas\n"
    "  Unbekannte Geburtszeit: gerechnet wird mit 12:00 Uhr am Geburtsort.\n"
    "\n"
    "  Das Geburtenregister pflegen (ohne Rechnung):\n"
    "  --import DATEI       die Geburten einer AAF-Datei (UTF-8 oder Windows-1252)\n"
    "                       aufnehmen; Bericht mit Zeilennummern auf der\n"
    "                       Standardfehlerausgabe\n"
    "  --export DATEI       alle Geburten als AAF-Datei schreiben\n"
    "  --encoding KODIERUNG utf-8 (Vorgabe) oder windows-1252 für ältere Programme\n"
    "  --list               alle Geburten; mit --format csv oder json\n"
    "\n"
    "  --on JJJJ-MM-TT      der Tag, für den laufende Perioden markiert werden (Vorgabe: heute)\n"
    "  --format FORMAT      text (Vorgabe), csv (wie der CSV-Export der Liste) oder json\n"
    "  --depth 1..5         Ebenen der Perioden: 1 Mahadasa … 5 Pranadasa (Vorgabe: im\n"
    "                       Text 2, in CSV und JSON 3)\n"
    "  --year-length LÄNGE  Kalendertage je Jahr der Dasas: 365.2425 (Vorgabe, gregorianisch;\n"
    "                       auch solar), 360, 365.25 (julianisch), 365.2422 (tropisch) oder\n"
    "                       365.25636 (siderisch)\n"
    "  --help               diese Hilfe\n"
    "  --version            die Version\n"
    "\n"
    "Beispiele:\n"
    "  zeitrad-dasa --date 23.12.2012 --moon 23:1:1 --sign Loewe\n"
    "  zeitrad-dasa --date 7.3.1985 --moon 12:30:0 --sign 9 --tropical --depth 3\n"
    "  zeitrad-dasa --date 7.3.1985 --moon 12:30:0 --format csv > perioden.csv\n"
    "  zeitrad-dasa --format json --on 2030-01-01\n"
    "  zeitrad-dasa --born \"12.5.1985 13:27\" --place \"Frankfurt am Main\"\n"
    "  zeitrad-dasa --born \"31.10.2021 2:30\" --zone Europe/Berlin --sommerzeit nein\n"
    "  zeitrad-dasa --born \"12.5.1985 13:27\" --zone Europe/Berlin --ayanamsa lahiri\n"
    "  zeitrad-dasa --import geburten.aaf\n"
    "  zeitrad-dasa --birth \"Müller, Jürgen\" --format json\n"
    "  zeitrad-dasa --aaf geburten.aaf --format csv > perioden.csv\n"
    "  zeitrad-dasa --list --format json\n"
    "\n"
    "Rückgabewert: 0 erledigt, 1 Eingabe abgelehnt (Meldung auf der Standardfehlerausgabe),\n"
    "2 Aufruf fehlerhaft, 3 Ausgabe nicht schreibbar.\n";

// Writes all of `text` to the file descriptor. False on an error, with errno set.
bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void writeError(std::string_view text) {
    (void)writeAll(STDERR_FILENO, text);
}

// Standard output; a reader that has gone away (`| head`) ends the program quietly and
// successfully, any other failure is reported.
int emit(std::string_view text) {
    if (writeAll(STDOUT_FILENO, text)) {
        return 0;
    }
    if (errno == EPIPE) {
        return 0;
    }
    writeError(std::string("zeitrad-dasa: Ausgabe nicht schreibbar: ") + std::strerror(errno) +
               '\n');
    return 3;
}

CivilDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

QString exactIndexPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           "/zeitrad/atlas-exact";
}

// A job's output and status.
int finish(const JobResult& job) {
    writeError(job.err);
    const int written = emit(job.out);
    return written != 0 ? written : job.status;
}

// The answer in the chosen form: the calculation of the fields, its period list and the running
// periods; refused with the calculation's message. `csvName`: the CSV rows of a record of --aaf,
// with its name in front of each.
Refused<std::string> answer(Engine& engine, const Options& o, CivilDate on, const BirthInput& input,
                            const BirthFacts* birth) {
    const Outcome outcome = engine.calculate(input);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        return *refusal;
    }
    const Result& result = std::get<Result>(outcome);
    const int depth = o.depth.value_or(o.format == Format::text ? 2 : 3);
    const PeriodList list = buildPeriods(result, o.yearLength, depth);
    const std::vector<int> running = runningOn(list, on);
    const Report report{result, list, running, on, birth};
    switch (o.format) {
    case Format::csv:
        return periodsCsv(list, depth);
    case Format::json:
        return jsonReport(report);
    case Format::text:
        break;
    }
    return textReport(report, depth);
}

int answerOrRefusal(const Refused<std::string>& text) {
    if (const auto* refusal = std::get_if<Refusal>(&text)) {
        writeError(refusal->message + '\n');
        return 1;
    }
    return emit(std::get<std::string>(text));
}

// A CSV field, in quotes when it holds the separator, a quote or a line break.
std::string csvField(std::string_view field) {
    if (field.find_first_of(";\"\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

// The period CSV of one record with its name in front of every row; the header only for the first.
std::string namedCsv(std::string_view csv, std::string_view name, bool header) {
    std::string out;
    const std::string field = csvField(name) + ';';
    std::size_t at = 0;
    bool first = true;
    while (at < csv.size()) {
        const std::size_t end = csv.find('\n', at);
        const std::string_view line = csv.substr(at, end - at);
        if (!first) {
            out += field;
            out += line;
            out += '\n';
        } else if (header) {
            out += "Name;";
            out += line;
            out += '\n';
        }
        first = false;
        at = end == std::string_view::npos ? csv.size() : end + 1;
    }
    return out;
}

// Every record of the AAF file, one after another: text blocks under a heading, the CSV rows with
// the name in front, or one JSON array with an error object for each record refused. The refused
// ones are told on standard error too; exit 1 if there were any.
int aafRoad(Engine& engine, const Options& o, CivilDate on) {
    atlas::GeonamesAtlas places;
    places.setExactIndex(exactIndexPath());
    const Refused<std::vector<AafEntry>> read = aafEntries(o.file, &places);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        writeError(refusal->message + '\n');
        return 1;
    }
    bool anyRefused = false, first = true;
    std::string out = o.format == Format::json ? "[\n" : "";
    for (const AafEntry& entry : std::get<std::vector<AafEntry>>(read)) {
        Refused<std::string> text = Refusal{entry.reason};
        std::optional<BornBirth> born;
        if (entry.birth) {
            Refused<BornBirth> computed = computeBirth(*entry.birth, o.ayanamsa);
            if (auto* b = std::get_if<BornBirth>(&computed)) {
                born = std::move(*b);
                text = answer(engine, o, on, born->fields, &born->facts);
            } else {
                text = std::get<Refusal>(computed);
            }
        }
        const std::string name = entry.name.empty() ? "*" : entry.name;
        if (const auto* refusal = std::get_if<Refusal>(&text)) {
            anyRefused = true;
            writeError("Zeile " + std::to_string(entry.line) + " (" + name +
                       "): " + refusal->message + '\n');
            if (o.format == Format::json) {
                out += std::string(first ? "" : ",\n") + "{\"name\": " +
                       (entry.name.empty() ? std::string("null") : jsonString(entry.name)) +
                       ", \"error\": " +
                       jsonString("Zeile " + std::to_string(entry.line) + ": " + refusal->message) +
                       "}";
                first = false;
            }
            continue;
        }
        std::string& result = std::get<std::string>(text);
        switch (o.format) {
        case Format::json:
            while (!result.empty() && result.back() == '\n') {
                result.pop_back();
            }
            out += (first ? "" : ",\n") + result;
            break;
        case Format::csv:
            out += namedCsv(result, name, first);
            break;
        case Format::text:
            out += std::string(first ? "" : "\n") + "=== " + name + " (Zeile " +
                   std::to_string(entry.line) + ") ===\n" + result;
            break;
        }
        first = false;
        // Written as it goes, so that ten thousand records need not be held at once.
        if (out.size() > (1 << 20)) {
            if (const int failed = emit(out)) {
                return failed;
            }
            out.clear();
        }
    }
    if (o.format == Format::json) {
        out += first ? "]\n" : "\n]\n";
    }
    if (const int failed = emit(out)) {
        return failed;
    }
    return anyRefused ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // A closed pipe shows up as EPIPE from write() instead of ending the process by a signal.
    std::signal(SIGPIPE, SIG_IGN);

    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const Refused<Options> parsed = parseArguments(arguments);
    if (const auto* refusal = std::get_if<Refusal>(&parsed)) {
        writeError("zeitrad-dasa: " + refusal->message + '\n' + std::string(usage) +
                   "Mehr mit: zeitrad-dasa --help\n");
        return 2;
    }
    const Options& o = std::get<Options>(parsed);
    if (o.help) {
        return emit(std::string(usage) + '\n' + std::string(help));
    }
    if (o.version) {
        return emit("zeitrad-dasa " ZEITRAD_VERSION "\n");
    }

    switch (o.action) {
    case Action::importAaf: {
        atlas::GeonamesAtlas places;
        places.setExactIndex(exactIndexPath());
        return finish(importJob(o.file, &places));
    }
    case Action::exportAaf:
        return finish(exportJob(o.file, o.windows1252));
    case Action::list:
        return finish(listJob(o.format));
    case Action::calculate:
        break;
    }
    const CivilDate on = o.on ? *o.on : today();
    Engine engine;

    switch (o.road) {
    case Road::fields:
        return answerOrRefusal(answer(engine, o, on, o.input, nullptr));
    case Road::born: {
        // The atlas only when a place is asked for.
        std::optional<atlas::GeonamesAtlas> places;
        if (o.born.clocks == Clocks::place) {
            places.emplace();
            // Building the atlas takes a tenth of a second; its index of names, written by the
            // first run, answers in well under a millisecond.
            places->setExactIndex(exactIndexPath());
        }
        const Refused<BornBirth> born =
            computeBorn(o.born, places ? &*places : nullptr, o.ayanamsa);
        if (const auto* refusal = std::get_if<Refusal>(&born)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        const BornBirth& b = std::get<BornBirth>(born);
        return answerOrRefusal(answer(engine, o, on, b.fields, &b.facts));
    }
    case Road::registered: {
        const Refused<birth::Birth> found = registeredBirth(o.birthName);
        if (const auto* refusal = std::get_if<Refusal>(&found)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        const Refused<BornBirth> born = computeBirth(std::get<birth::Birth>(found), o.ayanamsa);
        if (const auto* refusal = std::get_if<Refusal>(&born)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        const BornBirth& b = std::get<BornBirth>(born);
        Refused<std::string> text = answer(engine, o, on, b.fields, &b.facts);
        if (auto* out = std::get_if<std::string>(&text); out && o.format == Format::text) {
            out->insert(0, "Geburt aus dem Register: " + *b.facts.name + '\n');
        }
        return answerOrRefusal(text);
    }
    case Road::aaf:
        return aafRoad(engine, o, on);
    }
    return 0;
}
