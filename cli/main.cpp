// zeitrad-dasa: the calculation and the period list of the window program, from the command line.
// Exit status: 0 done (also when the reader of the output has gone away), 1 input refused, 2 the
// command line cannot be read, 3 the output could not be written.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <QStandardPaths>

#include "atlas/geonamesatlas.h"
#include "cli/bornroad.h"
#include "cli/options.h"
#include "cli/report.h"
#include "engine/periodtext.h"

namespace {

using namespace zeitrad;
using namespace zeitrad::cli;

constexpr std::string_view usage =
    "Aufruf: zeitrad-dasa [--date T.M.J] [--moon G:M:S] [--sign ZEICHEN] [--tropical] [AUSGABE]\n"
    "       zeitrad-dasa --born \"T.M.J H:MM[:SS]\" (--zone ZONE | --place ORT | --lmt LÄNGE)\n"
    "                    [--sommerzeit ja|nein] [AUSGABE]\n"
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

    BirthInput input = o.input;
    std::optional<BirthFacts> birth;
    if (o.road == Road::born) {
        // The atlas only when a place is asked for.
        std::optional<atlas::GeonamesAtlas> places;
        if (o.born.clocks == Clocks::place) {
            places.emplace();
            // Building the atlas takes a tenth of a second; its index of names, written by the
            // first run, answers in well under a millisecond.
            places->setExactIndex(
                QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                "/zeitrad/atlas-exact");
        }
        const Refused<BornBirth> born = computeBorn(o.born, places ? &*places : nullptr);
        if (const auto* refusal = std::get_if<Refusal>(&born)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        input = std::get<BornBirth>(born).fields;
        birth = std::get<BornBirth>(born).facts;
    }

    Engine engine;
    const Outcome outcome = engine.calculate(input);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        writeError(refusal->message + '\n');
        return 1;
    }
    const Result& result = std::get<Result>(outcome);
    const int depth = o.depth.value_or(o.format == Format::text ? 2 : 3);
    const PeriodList list = buildPeriods(result, o.yearLength, depth);
    const CivilDate on = o.on ? *o.on : today();
    const std::vector<int> running = runningOn(list, on);
    const Report report{result, list, running, on, birth ? &*birth : nullptr};

    switch (o.format) {
    case Format::csv:
        return emit(periodsCsv(list, depth));
    case Format::json:
        return emit(jsonReport(report));
    case Format::text:
        break;
    }
    return emit(textReport(report, depth));
}
