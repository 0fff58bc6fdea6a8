// zeitrad-dasa: the calculation and the period list of the window program, from the command line.
// Exit status: 0 done (also when the reader of the output has gone away), 1 input refused, 2 the
// command line cannot be read, 3 the output could not be written.
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <QCoreApplication>
#include <QStandardPaths>

#include "atlas/geonamesatlas.h"
#include "birth/events.h"
#include "cli/bornroad.h"
#include "cli/options.h"
#include "cli/registerjobs.h"
#include "cli/report.h"
#include "cli/timelinewriter.h"
#include "engine/periodtext.h"
#include "formats/csv.h"
#include "formats/events.h"
#include "formats/import.h"
#include "formats/json.h"
#include "pluginloader/pluginloader.h"

namespace {

using namespace zeitrad;
using namespace zeitrad::cli;

// How the options go together. What each one takes and does is the option table's
// (cli/options.cpp), which --help lists.
constexpr std::string_view usage =
    "Aufruf: zeitrad-dasa [--date T.M.J] [--moon G:M:S] [--sign ZEICHEN] [--tropical] [AUSGABE]\n"
    "       zeitrad-dasa --born \"T.M.J H:MM[:SS]\" (--zone ZONE | --place ORT | --lmt LÄNGE)\n"
    "                    [--sommerzeit ja|nein] [--ayanamsa NAME] [AUSGABE]\n"
    "       zeitrad-dasa (--birth NAME | --file DATEI) [--ayanamsa NAME] [AUSGABE]\n"
    "       zeitrad-dasa (--born … | --birth NAME) [--events] [--event \"T.M.J[ H:MM] TEXT\"]…\n"
    "                    [--rectify [--level 2|3]] [--format text|csv|json] [--depth 1..5]\n"
    "       zeitrad-dasa --import DATEI… | --export DATEI [--encoding utf-8|windows-1252]\n"
    "                    | --list [--format text|csv|json]\n"
    "AUSGABE: [--on JJJJ-MM-TT] [--format text|csv|json] [--depth 1..5]\n"
    "         [--year-length 360|365.2425|365.25|365.2422|365.25636]\n"
    "         [--timeline DATEI.png [--from JJJJ-MM-TT] [--to JJJJ-MM-TT] [--size BxH]]\n";

// --help: the usage, this text, the options as the table lists them, and the examples.
constexpr std::string_view about =
    "Berechnet die Vimsottari-Dasa-Perioden einer Geburt, wie Zeitrad sie in der Übersicht\n"
    "und in der Periodenliste zeigt.\n"
    "\n";

constexpr std::string_view examples =
    "Beispiele:\n"
    "  zeitrad-dasa --date 23.12.2012 --moon 23:1:1 --sign Loewe\n"
    "  zeitrad-dasa --date 7.3.1985 --moon 12:30:0 --sign 9 --tropical --depth 3\n"
    "  zeitrad-dasa --date 7.3.1985 --moon 12:30:0 --format csv > perioden.csv\n"
    "  zeitrad-dasa --format json --on 2030-01-01\n"
    "  zeitrad-dasa --born \"12.5.1985 13:27\" --place \"Frankfurt am Main\"\n"
    "  zeitrad-dasa --born \"31.10.2021 2:30\" --zone Europe/Berlin --sommerzeit nein\n"
    "  zeitrad-dasa --born \"12.5.1985 13:27\" --zone Europe/Berlin --ayanamsa lahiri\n"
    "  zeitrad-dasa --import geburten.aaf\n"
    "  zeitrad-dasa --import karten/*.mtx geburten.aaf\n"
    "  zeitrad-dasa --birth \"Müller, Jürgen\" --format json\n"
    "  zeitrad-dasa --aaf geburten.aaf --format csv > perioden.csv\n"
    "  zeitrad-dasa --list --format json\n"
    "  zeitrad-dasa --birth \"Müller, Jürgen\" --events --format csv\n"
    "  zeitrad-dasa --born \"12.5.1985 13:27\" --zone Europe/Berlin \\\n"
    "               --event \"20.6.2010 Hochzeit\" --event \"3.2.2014 Umzug\" --rectify\n"
    "  zeitrad-dasa --birth \"Müller, Jürgen\" --timeline leben.png --depth 2\n"
    "  zeitrad-dasa --date 7.3.1985 --moon 12:30:0 --timeline 2026.png --depth 5 \\\n"
    "               --from 2026-01-01 --to 2026-12-31 --size 1600x300\n"
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

// The timeline picture of a result into the file of --timeline, by the plugin "timeline"; refused
// when the days asked for lie outside the life, when the plugin cannot be loaded, or with the
// message of a file that could not be written.
std::optional<Refusal> drawTimeline(const Options& o, CivilDate on, const Result& result,
                                    const PeriodList& list, const BirthFacts* birth) {
    if (o.from || o.to) {
        if (!list.hasDates()) {
            return Refusal{"Ohne Kalenderdaten gibt es kein --from und --to: " +
                           list.noDatesReason};
        }
        const CivilDate first = *list.mahadasas.front().startDate;
        const CivilDate last = civilFromDays(daysFromCivil(*list.mahadasas.back().endDate) - 1);
        if ((o.from && last < *o.from) || (o.to && *o.to < first)) {
            return Refusal{"Die Perioden reichen vom " + germanDate(first) + " bis zum " +
                           germanDate(last) + "; der Ausschnitt von --from und --to liegt " +
                           "außerhalb."};
        }
    }
    const Refused<TimelineWriter*> writer =
        pluginloader::plugin<TimelineWriter>(QStringLiteral("timeline"));
    if (const auto* refusal = std::get_if<Refusal>(&writer)) {
        return Refusal{"Die Zeitleiste lässt sich nicht zeichnen. " + refusal->message};
    }
    TimelineOrder order{result,
                        o.yearLength,
                        on,
                        birth && birth->name ? *birth->name : "",
                        o.from,
                        o.to,
                        o.depth.value_or(3),
                        o.width,
                        o.height,
                        o.timeline};
    const std::string failed = std::get<TimelineWriter*>(writer)->write(order);
    if (!failed.empty()) {
        return Refusal{failed};
    }
    return std::nullopt;
}

// The answer in the chosen form: the calculation of the fields, its period list and the running
// periods; refused with the calculation's message. With --timeline the picture is written and
// the answer is empty.
Refused<std::string> answer(Engine& engine, const Options& o, CivilDate on, const BirthInput& input,
                            const BirthFacts* birth) {
    const Outcome outcome = engine.calculate(input);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        return *refusal;
    }
    const Result& result = std::get<Result>(outcome);
    const int depth = o.depth.value_or(o.format == Format::text ? 2 : 3);
    const PeriodList list = buildPeriods(result, o.yearLength, depth);
    if (!o.timeline.empty()) {
        if (auto refusal = drawTimeline(o, on, result, list, birth)) {
            return *refusal;
        }
        return std::string();
    }
    const std::vector<int> running = runningOn(list, on);
    const Report report{result, list, running, on, birth};
    switch (o.format) {
    case Format::csv:
        return formats::periodsCsv(list, depth);
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

// The period CSV of one record with its name in front of every row; the header only for the first.
std::string namedCsv(std::string_view csv, std::string_view name, bool header) {
    std::string out;
    const std::string field = formats::csvField(name) + ';';
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
// ones are told on standard error too (exit 1 if there were any), and so is what the atlas gave
// a record or what its Julian day changed.
int aafRoad(Engine& engine, const Options& o, CivilDate on) {
    atlas::GeonamesAtlas places;
    places.setExactIndex(exactIndexPath());
    const Refused<QList<formats::Entry>> read =
        formats::readEntries(QString::fromStdString(o.file), [&places] { return &places; });
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        writeError(refusal->message + '\n');
        return 1;
    }
    bool anyRefused = false, first = true;
    std::string out = o.format == Format::json ? "[\n" : "";
    for (const formats::Entry& entry : std::get<QList<formats::Entry>>(read)) {
        Refused<std::string> text = Refusal{entry.reason.toStdString()};
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
        const std::string name = entry.name.isEmpty() ? "*" : entry.name.toStdString();
        if (!entry.remark.isEmpty()) {
            writeError("Zeile " + std::to_string(entry.line) + " (" + name +
                       "): " + entry.remark.toStdString() + '\n');
        }
        if (const auto* refusal = std::get_if<Refusal>(&text)) {
            anyRefused = true;
            writeError("Zeile " + std::to_string(entry.line) + " (" + name +
                       "): " + refusal->message + '\n');
            if (o.format == Format::json) {
                out += std::string(first ? "" : ",\n") + "{\"name\": " +
                       (entry.name.isEmpty() ? std::string("null") : formats::jsonString(name)) +
                       ", \"error\": " +
                       formats::jsonString("Zeile " + std::to_string(entry.line) + ": " +
                                           refusal->message) +
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

// The events of --events and --event with the periods running on each, or with --rectify the
// birth-time window they allow. `birth` is the birth of --born or --birth (none on the road of the
// field texts, which has no birth time); `kept` the register's events of the birth.
Refused<std::string> eventsAnswer(Engine& engine, const Options& o, const BirthInput& input,
                                  const birth::Birth* birth, QList<birth::Event> events) {
    for (const std::string& typed : o.events) {
        Refused<birth::Event> e = birth::eventOfText(QString::fromStdString(typed));
        if (const auto* refusal = std::get_if<Refusal>(&e)) {
            return *refusal;
        }
        events.append(std::get<birth::Event>(e));
    }
    birth::sortEvents(events);
    const Outcome outcome = engine.calculate(input);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        return *refusal;
    }
    const int depth = o.depth.value_or(3);
    const PeriodList list = buildPeriods(std::get<Result>(outcome), o.yearLength, depth);
    for (const birth::Event& e : events) {
        if (auto refusal = birth::checkEvent(list, e)) {
            return *refusal;
        }
    }
    std::optional<birth::BirthTimeWindow> window;
    if (o.rectify) {
        Refused<birth::BirthTimeWindow> found =
            birth::birthTimeWindow(*birth, events, o.yearLength, o.level.value_or(3));
        if (const auto* refusal = std::get_if<Refusal>(&found)) {
            return *refusal;
        }
        window = std::move(std::get<birth::BirthTimeWindow>(found));
        if (o.format == Format::json) {
            return formats::windowJson(*window);
        }
    }
    switch (o.format) {
    case Format::csv:
        return formats::eventsCsv(events, list, depth);
    case Format::json:
        return formats::eventsJson(events, list, depth);
    case Format::text:
        break;
    }
    std::string out;
    if (events.isEmpty()) {
        out += "Keine Ereignisse.\n";
    }
    for (const birth::Event& e : events) {
        const CivilDate day{e.date.year(), e.date.month(), e.date.day()};
        const QString line =
            e.date.toString("dd.MM.yyyy") + "  " +
            (e.time ? birth::timeText(e.time, true) : QString()).leftJustified(5) + "  " +
            birth::weightText(e.important).leftJustified(7) + "  " +
            // The longest chain: "Chandra" on every level, " / " between.
            birth::chainText(birth::lordsOn(list, day, depth)).leftJustified(10 * depth - 3) +
            "  " + e.text;
        out += line.toStdString() + '\n';
    }
    if (window) {
        out += '\n' + birth::windowText(*window).toStdString() + '\n';
        for (const QString& line : birth::limitLines(*window)) {
            out += line.toStdString() + '\n';
        }
    }
    return out;
}

bool asksForEvents(const Options& o) {
    return o.listEvents || o.rectify || !o.events.empty();
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
        return emit(std::string(usage) + '\n' + std::string(about) + optionHelp() + '\n' +
                    std::string(examples));
    }
    if (o.version) {
        return emit("zeitrad-dasa " ZEITRAD_VERSION "\n");
    }

    // Qt SQL wants an application object (from Qt 6.8 on a database without one cannot open and
    // the program crashes): made for the register's jobs and --birth only, so that a calculation
    // starts without. What Qt says while making it stays off standard error (Qt 6.8 explains
    // there, in English, that it takes C.UTF-8 for a locale that is not UTF-8). Numbers stay in
    // the C locale, which Qt would set to the user's.
    std::optional<QCoreApplication> application;
    if (o.action != Action::calculate || o.road == Road::registered) {
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        application.emplace(argc, argv);
        qInstallMessageHandler(previous);
        std::setlocale(LC_NUMERIC, "C");
    }

    switch (o.action) {
    case Action::importAaf: {
        atlas::GeonamesAtlas places;
        places.setExactIndex(exactIndexPath());
        return finish(importJob(o.files, &places));
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
        if (asksForEvents(o)) {
            return answerOrRefusal(eventsAnswer(engine, o, o.input, nullptr, {}));
        }
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
        if (asksForEvents(o)) {
            return answerOrRefusal(eventsAnswer(engine, o, b.fields, &b.birth, {}));
        }
        return answerOrRefusal(answer(engine, o, on, b.fields, &b.facts));
    }
    case Road::registered: {
        const Refused<birth::Birth> found = registeredBirth(o.birthName);
        if (const auto* refusal = std::get_if<Refusal>(&found)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        // The register is read and closed; the timeline's picture makes an application object
        // of its own, which paints.
        if (!o.timeline.empty())
            application.reset();
        const Refused<BornBirth> born = computeBirth(std::get<birth::Birth>(found), o.ayanamsa);
        if (const auto* refusal = std::get_if<Refusal>(&born)) {
            writeError(refusal->message + '\n');
            return 1;
        }
        const BornBirth& b = std::get<BornBirth>(born);
        if (asksForEvents(o)) {
            // The register's events belong to --events and to --rectify.
            QList<birth::Event> kept;
            if (o.listEvents || o.rectify) {
                Refused<QList<birth::Event>> read = registeredEvents(b.birth.id);
                if (const auto* refusal = std::get_if<Refusal>(&read)) {
                    writeError(refusal->message + '\n');
                    return 1;
                }
                kept = std::get<QList<birth::Event>>(read);
            }
            return answerOrRefusal(eventsAnswer(engine, o, b.fields, &b.birth, kept));
        }
        Refused<std::string> text = answer(engine, o, on, b.fields, &b.facts);
        if (auto* out = std::get_if<std::string>(&text);
            out && o.format == Format::text && o.timeline.empty()) {
            out->insert(0, "Geburt aus dem Register: " + *b.facts.name + '\n');
        }
        return answerOrRefusal(text);
    }
    case Road::aaf:
        return aafRoad(engine, o, on);
    }
    return 0;
}
