// zeitrad-dasa as a user runs it: the default input in every format, a birth without calendar
// dates, refused inputs and bad command lines with their messages and exit status, births by
// their clocks, the sign spellings, the day for "running", a closed pipe, and the register's
// jobs. Expected texts are worked out by hand.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "sqlregister/sqlregister.h"

extern char** environ;

namespace {

using Arguments = std::vector<std::string>;

struct Finished {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out, err;
};

std::string readUpTo(int fd, std::size_t limit) {
    std::string text;
    char buffer[65536];
    while (text.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - text.size()));
        if (n <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

// Runs the program. The reader of standard output goes away after `closeAfter` bytes, as
// `| head -c N` does.
Finished run(const Arguments& arguments, std::size_t closeAfter = std::string::npos) {
    std::vector<char*> argv{const_cast<char*>(ZEITRAD_DASA)};
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (const int fd : {out[0], out[1], err[0], err[1]}) {
        posix_spawn_file_actions_addclose(&actions, fd);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, ZEITRAD_DASA, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    Finished r;
    if (spawned == 0) {
        r.out = readUpTo(out[0], closeAfter);
        ::close(out[0]);
        r.err = readUpTo(err[0], std::string::npos);
        int status = 0;
        ::waitpid(pid, &status, 0);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
        ADD_FAILURE() << "cannot start " << ZEITRAD_DASA;
    }
    ::close(err[0]);
    return r;
}

QJsonObject json(const Finished& r) {
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// The chain of running periods from the top, as "Chandra/Sani/Rahu".
std::string runningChain(const QJsonArray& periods) {
    for (const QJsonValue& p : periods) {
        if (p["running"].toBool()) {
            const std::string below = runningChain(p["periods"].toArray());
            return p["lord"].toString().toStdString() + (below.empty() ? "" : "/" + below);
        }
    }
    return {};
}

long linesStartingWith(const std::string& text, std::string_view start) {
    long n = text.starts_with(start) ? 1 : 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        n += std::string_view(text).substr(at + 1).starts_with(start);
    }
    return n;
}

const Arguments on2030{"--on", "2030-01-01"};

Arguments operator+(Arguments a, const Arguments& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One object of the output as a line of JSON, its keys in alphabetical order.
std::string compact(const QJsonValue& object) {
    return QJsonDocument(object.toObject()).toJson(QJsonDocument::Compact).toStdString();
}

// The default input: born 23.12.2012 in Bharani, so in the mahadasa of Sukra, its antardasa of
// Sani running at birth; on 1.1.2030 Chandra / Sani / Rahu run.
TEST(Dasa, DefaultInputAsText) {
    const Finished text = run(on2030);
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_TRUE(text.out.starts_with("Geburt: 23.12.2012\nNakshatra: 2 Bharani, Herr: Sukra\n"));
    // Row 1 as the overview shows it: the birth cell, then only the shown cells.
    EXPECT_NE(text.out.find("Sukra      Sani       Buddha     Ketu\n"
                            "Geburt     1 Jahre    1 Jahre    4 Jahre\n"
                            "23.12.2012 8 M 9 T    5 M 21 T   3 M 21 T\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("\n* Chandra     11 Jahre 5 M 20 T     13.06.2024  13.06.2034\n"
                            "    Chandra   11 Jahre 5 M 20 T     13.06.2024  13.04.2025\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("\n*   Sani      15 Jahre 8 M 20 T     12.09.2028  13.04.2030\n"),
              std::string::npos);
    // 9 mahadasas; 3 antardasas left of Sukra's at birth and 8 x 9 others; all their 9
    // pratyantardasas but the 4 of Sani's that ended before birth.
    const long periods[] = {9, 9 + 75, 9 + 75 + 671};
    for (int depth = 1; depth <= 3; ++depth) {
        const Finished deep = run(on2030 + Arguments{"--depth", std::to_string(depth)});
        EXPECT_EQ(linesStartingWith(deep.out, "*"), depth) << depth;
        EXPECT_EQ(linesStartingWith(deep.out, "*") + linesStartingWith(deep.out, "  "),
                  periods[depth - 1])
            << depth;
    }
}

TEST(Dasa, DefaultInputAsCsvAndJson) {
    const Finished csv = run({"--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.out.starts_with(
        "Ebene;Mahadasa;Antardasa;Pratyantardasa;Sukshmadasa;Pranadasa;Jahre;Monate;Tage;Beginn;"
        "Ende;Jahreslänge\n"
        "1;Sukra;;;;;0;0;0;23.12.2012;13.06.2018;365,2425\n"
        "2;Sukra;Sani;;;;0;0;0;23.12.2012;14.06.2014;365,2425\n"
        "3;Sukra;Sani;Surya;;;0;0;0;23.12.2012;07.02.2013;365,2425\n"
        "3;Sukra;Sani;Chandra;;;0;1;16;07.02.2013;15.05.2013;365,2425\n"));
    EXPECT_TRUE(
        csv.out.ends_with("\n3;Ketu;Buddha;Sani;;;105;3;23;17.04.2118;13.06.2118;365,2425\n"));
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 755);
    // Two levels only, or all five, with another year length.
    const Finished two = run({"--format", "csv", "--depth", "2", "--year-length", "360"});
    EXPECT_EQ(std::count(two.out.begin(), two.out.end(), '\n'), 1 + 84);
    EXPECT_NE(two.out.find("\n2;Sukra;Sani;;;;0;0;0;23.12.2012;07.06.2014;360\n"),
              std::string::npos);
    // Chandra/Sani/Rahu (86 days of age from 6068) splits from Rahu at 6068 + 12, 24, 37, 50, 55,
    // 69, 73, 80: Sukra from 6123 to 6137; its pranadasas from Sukra begin at 6123 + 2, 3, 4, 5,
    // 7, ...: Rahu from 6128 to 6130, running on 1.1.2030 (6218 calendar days, 6128.8 of age).
    const Finished five = run({"--format", "csv", "--depth", "5"});
    EXPECT_NE(five.out.find("\n5;Chandra;Sani;Rahu;Sukra;Rahu;17;0;8;31.12.2029;02.01.2030;"),
              std::string::npos);
    const QJsonObject deep =
        json(run(on2030 + Arguments{"--format", "json", "--depth", "5", "--year-length", "solar"}));
    EXPECT_EQ(runningChain(deep["periods"].toArray()), "Chandra/Sani/Rahu/Sukra/Rahu");

    const Finished r = run(on2030 + Arguments{"--format", "json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    QJsonObject j = json(r);
    const QJsonArray cells = j.take("cells").toArray();
    const QJsonArray mahadasas = j.take("periods").toArray();
    EXPECT_EQ(compact(j), R"({"birth":null,"birthDate":"23.12.2012","nakshatra":{"lord":"Sukra",)"
                          R"("name":"Bharani","number":2},"yearLength":365.2425})");
    ASSERT_EQ(cells.size(), 81);
    EXPECT_EQ(compact(cells[0]), R"({"age":null,"cell":1,"lord":"Sukra","shown":true})");
    EXPECT_EQ(compact(cells[1]), R"({"age":[1,8,9],"cell":2,"lord":"Sani","shown":true})");
    EXPECT_EQ(compact(cells[4]), R"({"age":null,"cell":5,"lord":null,"shown":false})");
    ASSERT_EQ(mahadasas.size(), 9);
    EXPECT_EQ(runningChain(mahadasas), "Chandra/Sani/Rahu");
    const QJsonObject sukra = mahadasas[0].toObject();
    EXPECT_TRUE(sukra["age"].isNull());
    EXPECT_EQ(sukra["start"], "2012-12-23");
    EXPECT_EQ(sukra["periods"].toArray().size(), 3);
    EXPECT_EQ(compact(mahadasas[2]["periods"][4]["periods"][7]),
              R"({"age":[16,10,8],"end":"2030-01-26","lord":"Rahu","periods":[],"running":true,)"
              R"("start":"2029-10-31"})");
    EXPECT_EQ(json(run({"--format", "json", "--year-length", "365.25636"}))["yearLength"],
              365.25636);
}

// 30 February does not exist: the periods have ages but no dates, and nothing runs.
TEST(Dasa, ABirthWithoutCalendarDates) {
    const Arguments birth{"--date", "30.2.1999", "--moon", "1:2:3", "--on", "2030-01-01"};
    const Finished text = run(birth);
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Das Geburtsdatum 30.2.1999 gibt es nicht; ohne gültiges Datum keine "
                            "Kalenderdaten.\n  Ketu        Geburt\n    Sukra     Geburt\n"),
              std::string::npos);
    const QJsonArray periods =
        json(run(birth + Arguments{"--format", "json"}))["periods"].toArray();
    ASSERT_EQ(periods.size(), 9);
    EXPECT_EQ(periods[0]["lord"], "Ketu");
    EXPECT_TRUE(periods[1]["start"].isNull());
    EXPECT_TRUE(periods[1]["end"].isNull());
    EXPECT_EQ(runningChain(periods), "");
}

// A command line the program refuses, and the first line of its standard error.
struct Refused {
    Arguments arguments;
    std::string message;
};

// A refused input ends with status 1 and its message alone.
const Refused refusedInputs[] = {
    {{"--date", "1x.12.2012"}, "'1x' ist kein gültiger Integerwert"},
    {{"--moon", "1:0:"}, "'' ist kein gültiger Integerwert"},
    {{"--moon", "400:0:0"},
     "Die Mondposition liegt außerhalb des Tierkreises. Zeichen, Grad, Minuten und Sekunden "
     "müssen zusammen eine Länge von mindestens 0° und weniger als 360° ergeben."},
    {{"--date", "1.1.-900000000", "--moon", "0:0:0", "--tropical"},
     "Die Mondposition liegt nach der Umrechnung von tropisch auf siderisch außerhalb des "
     "Tierkreises. Die siderische Länge muss mindestens 0° und weniger als 360° betragen; bitte "
     "Zeichen, Grad, Minuten, Sekunden und Geburtsjahr prüfen."},
    // The birth road.
    {{"--born", "12.5.1985", "--zone", "UTC"},
     "Die Geburtszeit „12.5.1985“ ist nicht lesbar. Erwartet: T.M.J H:MM oder T.M.J H:MM:SS, z. "
     "B. 12.5.1985 13:27."},
    {{"--born", "29.2.1985 13:27", "--zone", "UTC"}, "Den Tag 29.2.1985 gibt es nicht."},
    {{"--born", "1.1.1985 24:00", "--zone", "UTC"},
     "Die Uhrzeit in „1.1.1985 24:00“ gibt es nicht: Stunden 0 bis 23, Minuten und Sekunden 0 "
     "bis 59."},
    {{"--born", "31.12.1799 23:00", "--zone", "UTC"},
     "Das Jahr 1799 liegt außerhalb des unterstützten Bereichs 1800–2199."},
    {{"--born", "1.1.1985 12:00", "--zone", "Mars/Olympus"},
     "Die Zeitzone „Mars/Olympus“ ist nicht bekannt."},
    {{"--born", "1.1.1985 12:00", "--place", "Xyzzyhausen"},
     "Den Ort „Xyzzyhausen“ kennt der Ortsatlas nicht. Geben Sie den nächstgelegenen größeren "
     "Ort an, oder Zeitzone (--zone) bzw. Länge (--lmt) selbst."},
    {{"--born", "1.1.1880 12:00", "--lmt", "13.4 X"},
     "Die geographische Länge „13.4 X“ ist nicht lesbar. Beispiele: 13.4, 13°24', 13 24 O, 73 "
     "59 W."},
    // Clocks forward on 28.3.2021 at 2:00 to 3:00, back on 31.10.2021 at 3:00 to 2:00.
    {{"--born", "28.3.2021 2:30", "--zone", "Europe/Berlin"},
     "02:30:00 gab es am 28.03.2021 in der Zeitzone Europe/Berlin nicht: die Uhren wurden über "
     "diese Zeit vorgestellt."},
    {{"--born", "31.10.2021 2:30", "--zone", "Europe/Berlin"},
     "02:30:00 gab es am 31.10.2021 in der Zeitzone Europe/Berlin zweimal: 02:30 Sommerzeit "
     "(UTC+2) = 00:30 UTC und 02:30 Normalzeit (UTC+1) = 01:30 UTC. Welche gemeint ist, sagt "
     "--sommerzeit ja oder nein."},
    // The timeline's days: the default birth's cycle ends when 13.06.2118 begins.
    {{"--timeline", "x.png", "--from", "2118-06-13"},
     "Die Perioden reichen vom 23.12.2012 bis zum 12.06.2118; der Ausschnitt von --from und --to "
     "liegt außerhalb."},
    {{"--timeline", "x.png", "--to", "2012-12-22"},
     "Die Perioden reichen vom 23.12.2012 bis zum 12.06.2118; der Ausschnitt von --from und --to "
     "liegt außerhalb."},
    {{"--date", "31.2.2000", "--timeline", "x.png", "--from", "2001-01-01"},
     "Ohne Kalenderdaten gibt es kein --from und --to: Das Geburtsdatum 31.2.2000 gibt es nicht; "
     "ohne gültiges Datum keine Kalenderdaten."},
};

// A bad command line ends with status 2, "zeitrad-dasa: " and the message, and below them how to
// call the program.
const Refused badCommandLines[] = {
    {{"--colour"}, "unbekannte Option: --colour"},
    {{"--colour=rot"}, "unbekannte Option: --colour=rot"},
    {{"-x"}, "unbekannte Option: -x"},
    {{"extra"}, "unbekannte Option: extra"},
    {{"--help=1"}, "--help nimmt keinen Wert"},
    {{"--tropical=ja"}, "--tropical nimmt keinen Wert"},
    {{"--date"}, "--date braucht einen Wert"},
    {{"--date", "1.2"}, "--date braucht drei Felder, getrennt durch zwei Punkte: T.M.J"},
    {{"--moon=1:2:3:4"}, "--moon braucht drei Felder, getrennt durch zwei Doppelpunkte: G:M:S"},
    {{"--sign", "13"}, "--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12"},
    {{"--sign", "012"}, "--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12"},
    {{"--sign"}, "--sign braucht ein Zeichen: Widder … Fische oder 1 bis 12"},
    {{"--on", "2031-02-29"}, "--on braucht einen Tag der Form JJJJ-MM-TT"},
    {{"--on", "2030-2-1"}, "--on braucht einen Tag der Form JJJJ-MM-TT"},
    {{"--format", "xml"}, "--format braucht text, csv oder json"},
    {{"--format"}, "--format braucht text, csv oder json"},
    {{"--depth", "6"}, "--depth braucht 1, 2, 3, 4 oder 5"},
    {{"--year-length", "365"},
     "--year-length braucht 360, 365.2425 (oder solar), 365.25, 365.2422 oder 365.25636"},
    // The birth road.
    {{"--born", "12.5.1985 13:27"},
     "--born braucht genau eine der Angaben --zone, --place oder --lmt"},
    {{"--born", "12.5.1985 13:27", "--zone", "UTC", "--lmt", "13.4"},
     "--born braucht genau eine der Angaben --zone, --place oder --lmt"},
    {{"--place", "Berlin"}, "--zone, --place, --lmt und --sommerzeit gehören zu --born"},
    {{"--born", "12.5.1985 13:27", "--zone", "UTC", "--sign", "1"},
     "--born berechnet die Mondposition selbst: nicht zusammen mit --date, --moon, --sign oder "
     "--tropical"},
    {{"--born", "12.5.1985 13:27", "--zone", "UTC", "--sommerzeit", "vielleicht"},
     "--sommerzeit braucht ja oder nein"},
    // The register's jobs compute nothing and take one file each.
    {{"--list", "--born", "1.1.1985 12:00", "--zone", "UTC"},
     "--import, --export und --list rechnen nichts: nicht zusammen mit den Angaben einer Geburt "
     "oder --on, --depth, --year-length"},
    {{"--import", "a.aaf", "--list"},
     "--import, --export und --list nur einzeln und je einmal angeben"},
    {{"--export", "a.aaf", "--format", "json"}, "--format gehört hier nur zu --list"},
    {{"--list", "--encoding", "windows-1252"}, "--encoding gehört zu --export"},
    {{"--birth", "Müller", "--aaf", "a.aaf"},
     "nur eine der Angaben --born, --birth oder --aaf, und nur einmal"},
    {{"--birth", "Müller", "--zone", "UTC"},
     "--birth und --aaf nehmen Datum, Uhrzeit und Ort aus der Geburt: nicht zusammen mit --date, "
     "--moon, --sign, --tropical, --zone, --place, --lmt oder --sommerzeit"},
    // The timeline picture of one birth.
    {{"--timeline"}, "--timeline braucht den Namen der PNG-Datei, die geschrieben wird"},
    {{"--from", "2020-01-01"}, "--from, --to und --size gehören zu --timeline"},
    {{"--timeline", "x.png", "--to", "2020-02-30"}, "--to braucht einen Tag der Form JJJJ-MM-TT"},
    {{"--timeline", "x.png", "--size", "1600"},
     "--size braucht Breite und Höhe in Pixeln, z. B. 1600x400 (Breite 300 bis 10000, Höhe 120 "
     "bis 10000)"},
    {{"--timeline", "x.png", "--size", "299x400"},
     "--size braucht Breite und Höhe in Pixeln, z. B. 1600x400 (Breite 300 bis 10000, Höhe 120 "
     "bis 10000)"},
    {{"--timeline", "x.png", "--from", "2030-01-02", "--to", "2030-01-01"},
     "--to liegt vor --from"},
    {{"--timeline", "x.png", "--format", "csv"},
     "--timeline schreibt ein Bild: nicht zusammen mit --format"},
    {{"--aaf", "a.aaf", "--timeline", "x.png"},
     "--timeline zeichnet eine Geburt: nicht zusammen mit --aaf"},
    {{"--list", "--timeline", "x.png"},
     "--timeline zeichnet die Perioden einer Geburt: nicht zusammen mit --import, --export oder "
     "--list"},
};

TEST(Dasa, RefusalsWithTheirMessageAndStatus) {
    for (const int status : {1, 2}) {
        for (const Refused& c :
             status == 1 ? std::span<const Refused>(refusedInputs) : badCommandLines) {
            SCOPED_TRACE(testing::PrintToString(c.arguments));
            const Finished r = run(c.arguments);
            EXPECT_EQ(r.status, status);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
                      (status == 2 ? "zeitrad-dasa: " : "") + c.message);
            EXPECT_EQ(r.err.find("\nAufruf: zeitrad-dasa [--date T.M.J]") != std::string::npos,
                      status == 2);
        }
    }
}

// Width and height from a PNG file's header; none when it is not a PNG file.
std::optional<std::pair<int, int>> pngSize(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head) ||
        std::string_view(reinterpret_cast<char*>(head), 8) != "\x89PNG\r\n\x1a\n") {
        return std::nullopt;
    }
    auto number = [&](int at) {
        return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3];
    };
    return std::pair{number(16), number(20)};
}

// --timeline writes a picture of the size asked for (by default 1200 pixels wide and taller with
// every band) and nothing else; one that cannot be written is named in the message.
TEST(Dasa, TheTimelineIsAPicture) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("zeitleiste.png").toStdString();
    const struct {
        Arguments arguments;
        int width, height; // 0: any
    } pictures[] = {
        {{"--size", "640x200"}, 640, 200},
        {{"--depth", "5", "--from", "2020-01-01", "--to", "2020-01-04", "--size", "300x120"},
         300,
         120},
        {{"--depth", "1"}, 1200, 0},
    };
    int oneBand = 0;
    for (const auto& p : pictures) {
        SCOPED_TRACE(testing::PrintToString(p.arguments));
        const Finished r = run(Arguments{"--timeline", file} + p.arguments);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        const auto size = pngSize(file);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->first, p.width);
        if (p.height > 0) {
            EXPECT_EQ(size->second, p.height);
        }
        oneBand = size->second;
    }
    run({"--timeline", file, "--depth", "5"});
    EXPECT_GT(pngSize(file).value_or(std::pair{0, 0}).second, oneBand);

    const std::string missing = dir.filePath("fehlt/zeitleiste.png").toStdString();
    const Finished r = run({"--timeline", missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Die Datei „" + missing + "“ ließ sich nicht schreiben"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(pngSize(missing));
}

// A birth's local time on its clocks (the arguments after --born): the zone, the moment in UTC
// worked out by hand, and where a place was asked for the atlas's name and country.
TEST(Dasa, ABirthGivesItsMomentInUtc) {
    const std::pair<Arguments, std::string> births[] = {
        // Central European Summer Time from 31.3. to 29.9.1985: UTC+2.
        {{"12.5.1985 13:27", "--zone", "Europe/Berlin"}, "Europe/Berlin 1985-05-12T11:27:00Z"},
        {{" 12.5.1985  13:27:09 ", "--zone", "utc"}, "UTC 1985-05-12T13:27:09Z"},
        {{"12.5.1985 13:27", "--place", "Frankfurt am Main"},
         "Europe/Berlin 1985-05-12T11:27:00Z Frankfurt am Main, Deutschland"},
        // Namesakes: the most populous Paris, or the one in Texas (Central Daylight Time, UTC-5).
        {{"12.5.1985 13:27", "--place", "Paris"},
         "Europe/Paris 1985-05-12T11:27:00Z Paris, Frankreich"},
        {{"12.5.1985 13:27", "--place", "Paris, Texas"},
         "America/Chicago 1985-05-12T18:27:00Z Paris, Vereinigte Staaten"},
        // Before Berlin's zone kept standard time (1.4.1893) Ravensburg read its own mean time,
        // 9° 36′ 38″ east: UT + 0:38:27, not the zone city's + 0:53:28; in 1900 zone time, UTC+1.
        {{"1.7.1880 12:00", "--place", "Ravensburg"},
         "LMT 1880-07-01T11:21:33Z Ravensburg, Deutschland"},
        {{"1.7.1900 12:00", "--place", "Ravensburg, Deutschland"},
         "Europe/Berlin 1900-07-01T11:00:00Z Ravensburg, Deutschland"},
        // Local mean time: 9.61° east is 38 min 26.4 s ahead of Greenwich, 73.99° west 4 h 55 min
        // 57.6 s behind.
        {{"1.1.1880 12:00", "--lmt", "9.61"}, "LMT 1880-01-01T11:21:33.600Z"},
        {{"1.1.1880 12:00", "--lmt", "-73.99"}, "LMT 1880-01-01T16:55:57.600Z"},
        {{"1.1.1880 12:00", "--lmt=73 59 24 W"}, "LMT 1880-01-01T16:55:57.600Z"},
        // The repeated hour: 2:30 summer time is 0:30 UTC, 2:30 standard time 1:30 UTC.
        {{"31.10.2021 2:30", "--zone", "Europe/Berlin", "--sommerzeit", "ja"},
         "Europe/Berlin 2021-10-31T00:30:00Z"},
        {{"31.10.2021 2:30", "--zone", "Europe/Berlin", "--sommerzeit", "nein"},
         "Europe/Berlin 2021-10-31T01:30:00Z"},
    };
    for (const auto& [arguments, expected] : births) {
        SCOPED_TRACE(arguments.back());
        const Finished r = run(Arguments{"--born"} + arguments + Arguments{"--format", "json"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        const QJsonObject birth = json(r)["birth"].toObject();
        QString seen = birth["zone"].toString() + " " + birth["utc"].toString();
        if (!birth["place"].isNull()) {
            seen += " " + birth["place"]["name"].toString() + ", " +
                    birth["place"]["country"].toString();
        }
        EXPECT_EQ(seen.toStdString(), expected);
    }
}

// The Moon at Meeus's worked example (Astronomical Algorithms, ch. 47: 12.4.1992 0h TT), that is
// 11.4.1992 23:59:01.816 UTC: the JPL DE431 ephemeris gives 133.166723° there (Meeus's truncated
// series 133.167265°), and 0.184 s later the Moon has moved 0.1″ on, to 133.166751°.
// "Übernehmen" writes Löwe 13° 10′ 0″ and the date: the periods are those of those fields. The
// ayanamsa of 1992: 22° 27′ 38″ + 92 × 50.3″ = 23.746°.
TEST(Dasa, TheBirthObjectAndTheFieldsOfTheMoonCalculator) {
    const Arguments born{"--born", "11.4.1992 23:59:02", "--zone", "UTC", "--on", "2030-01-01"};
    const Finished r = run(born + Arguments{"--format", "json"});
    ASSERT_EQ(r.status, 0);
    QJsonObject j = json(r);
    QJsonObject birth = j.take("birth").toObject();
    EXPECT_NEAR(birth.take("moonTropical").toDouble(), 133.166751, 0.2 / 3600);
    EXPECT_NEAR(birth.take("ayanamsa").toDouble(), 23.746, 1e-9);
    EXPECT_NEAR(birth.take("moonSidereal").toDouble(), 133.166751 - 23.746, 0.2 / 3600);
    EXPECT_EQ(compact(birth),
              R"({"ayanamsaName":"zeitrad","local":"1992-04-11T23:59:02","name":null,"place":null,)"
              R"("utc":"1992-04-11T23:59:02Z","zone":"UTC"})");
    EXPECT_NE(r.out.find("\"moonTropical\": 133.166"), std::string::npos); // six decimals and more

    const Arguments fields{"--date", "11.4.1992",  "--moon", "13:10:0",   "--sign",
                           "Loewe",  "--tropical", "--on",   "2030-01-01"};
    QJsonObject window = json(run(fields + Arguments{"--format", "json"}));
    window.remove("birth");
    EXPECT_EQ(j, window);
    EXPECT_EQ(run(born + Arguments{"--format", "csv"}).out,
              run(fields + Arguments{"--format", "csv"}).out);
    // The text names the moment and the Moon before the answer of the fields.
    const std::string text = run(born).out;
    EXPECT_TRUE(text.starts_with("Geburtszeit: 11.04.1992 23:59:02 UTC (UTC+0)\n"
                                 "UTC: 11.04.1992 23:59:02\n"
                                 "Mond tropisch: Löwe 13° 10′ 00″\n"))
        << text;
    EXPECT_NE(text.find("\n" + run(fields).out), std::string::npos);
}

// --ayanamsa: the birth at J2000.0 (the JPL DE431 Moon 223.314870°, 0.184 s later 0.1″ on) under
// Lahiri, whose value there, worked out from its epoch value with the IAU 2006 precession and the
// nutation, is 23.853184° (see moon_test.cpp); a register birth's own is the default for --birth.
TEST(Dasa, AnAyanamsaOfTheLibrary) {
    const Arguments born{"--born", "1.1.2000 11:58:56", "--zone", "UTC", "--format", "json"};
    const QJsonObject lahiri =
        json(run(born + Arguments{"--ayanamsa", "lahiri"}))["birth"].toObject();
    EXPECT_EQ(lahiri["ayanamsaName"].toString().toStdString(), "lahiri");
    EXPECT_NEAR(lahiri["ayanamsa"].toDouble(), 23.853184, 1.0 / 3600);
    EXPECT_NEAR(lahiri["moonTropical"].toDouble(), 223.314898, 0.1 / 3600);
    EXPECT_NEAR(lahiri["moonSidereal"].toDouble(), 223.314898 - 23.853184, 1.0 / 3600);
    // Zeitrad's own, the default: the formula of the year, 23°51′28″.
    const QJsonObject own = json(run(born))["birth"].toObject();
    EXPECT_EQ(own["ayanamsaName"].toString().toStdString(), "zeitrad");
    EXPECT_NEAR(own["ayanamsa"].toDouble(), 23 + 51 / 60.0 + 28 / 3600.0, 1e-8);
    // The sidereal position goes into the fields: Waage 19°27′42″, not tropical.
    const std::string text = run({"--born", "1.1.2000 11:58:56", "--zone", "UTC", "--ayanamsa",
                                  "lahiri", "--depth", "1"})
                                 .out;
    // (23.853184° is 23°51′11.5″: the library's own rounds to 11″ or 12″.)
    EXPECT_NE(text.find("Mond siderisch (Ayanamsa Lahiri (Chitrapaksha): 23° 51′ 1"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("″): Waage 19° 27′ 42″\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Nakshatra: 15 Swaati"), std::string::npos) << text;
    // Raman's 22°24′26″ puts the Moon past 200°: Vishakha.
    EXPECT_NE(run({"--born", "1.1.2000 11:58:56", "--zone", "UTC", "--ayanamsa", "raman"})
                  .out.find("Nakshatra: 16 Vishaakhaa"),
              std::string::npos);

    const Finished unknown = run(born + Arguments{"--ayanamsa", "sayana"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.starts_with(
        "zeitrad-dasa: --ayanamsa braucht zeitrad, lahiri, lahiri-icrc, true-chitra, kp, raman, "
        "fagan-bradley, yukteshwar, true-pushya oder ushashashi\n"))
        << unknown.err;
    const Finished typed = run({"--date", "1.1.2000", "--ayanamsa", "lahiri"});
    EXPECT_EQ(typed.status, 2);
    EXPECT_TRUE(typed.err.starts_with("zeitrad-dasa: --ayanamsa gehört zu --born, --birth oder "
                                      "--aaf"))
        << typed.err;
}

TEST(Dasa, HelpAndVersion) {
    for (const char* help : {"--help", "-h"}) {
        const Finished r = run({help});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.starts_with("Aufruf: zeitrad-dasa")) << help;
        EXPECT_NE(r.out.find("\nBeispiele:\n"), std::string::npos) << help;
    }
    EXPECT_EQ(run({"--version"}).out, "zeitrad-dasa " ZEITRAD_VERSION "\n");
}

// Every "--name" that a text names; in a manual page "\-" is the hyphen.
std::set<std::string> optionNames(std::string text) {
    for (std::size_t at = 0; (at = text.find("\\-", at)) != std::string::npos;) {
        text.replace(at, 2, "-");
    }
    std::set<std::string> names;
    const std::regex option("(^|[^A-Za-z0-9-])(--[a-z][a-z0-9-]*)");
    for (auto m = std::sregex_iterator(text.begin(), text.end(), option);
         m != std::sregex_iterator(); ++m) {
        names.insert((*m)[2]);
    }
    return names;
}

// --help and the manual page name the same options, and the program takes each of them (given an
// empty value, which every one refuses or which leaves the command line incomplete: nothing runs).
TEST(Dasa, HelpAndManualPageNameTheSameOptions) {
    std::ifstream file(ZEITRAD_MANUAL_PAGE);
    ASSERT_TRUE(file) << ZEITRAD_MANUAL_PAGE;
    const std::string page{std::istreambuf_iterator<char>(file), {}};
    const std::set<std::string> inHelp = optionNames(run({"--help"}).out);
    const std::set<std::string> inPage = optionNames(page);
    EXPECT_GT(inHelp.size(), 20u);
    for (const std::string& name : inHelp) {
        EXPECT_TRUE(inPage.contains(name)) << name << " is in --help, not in the manual page";
        const Finished r = run({name + "="});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_EQ(r.err.find("unbekannte Option"), std::string::npos) << name << ": " << r.err;
    }
    for (const std::string& name : inPage) {
        EXPECT_TRUE(inHelp.contains(name)) << name << " is in the manual page, not in --help";
    }
}

// In --help the explanation of every option begins in one column, on its first line and on the
// lines that go on below it, however many bytes its name and value take ("LÄNGE").
TEST(Dasa, HelpLinesUpTheOptions) {
    const std::string help = run({"--help"}).out;
    std::istringstream lines(help);
    int options = 0, continued = 0;
    bool inOption = false; // the line goes on an option's explanation, unless it is a new one
    for (std::string line; std::getline(lines, line);) {
        // The line as characters, each its UTF-8 bytes.
        std::vector<std::string> chars;
        for (const char c : line) {
            if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && !chars.empty()) {
                chars.back() += c;
            } else {
                chars.emplace_back(1, c);
            }
        }
        if (line.starts_with("  --")) {
            ++options;
            inOption = true;
            EXPECT_TRUE(chars.size() > 23 && chars[22] == " " && chars[23] != " ") << line;
        } else if (inOption && line.starts_with("   ")) {
            ++continued;
            EXPECT_EQ(line.find_first_not_of(' '), 23u) << line;
        } else {
            inOption = false;
        }
    }
    EXPECT_GT(options, 20);
    EXPECT_GT(continued, 10);
}

// Names in any case, with umlauts or "ae", "oe", "ue", and numbers, all give the sign's answer.
TEST(Dasa, SignSpellings) {
    const std::pair<const char*, int> spellings[] = {
        {"Widder", 1},   {"widder", 1},  {"01", 1},          {"STIER", 2},
        {"Löwe", 5},     {"LÖWE", 5},    {"loewe", 5},       {"Schütze", 9},
        {"schuetze", 9}, {"SCHÜTZE", 9}, {"Wassermann", 11}, {"fische", 12},
    };
    const Arguments moon{"--moon", "3:20:0", "--format", "json", "--on", "2030-01-01"};
    std::string bySign[13];
    for (int sign = 1; sign <= 12; ++sign) {
        bySign[sign] = run(moon + Arguments{"--sign", std::to_string(sign)}).out;
        EXPECT_NE(bySign[sign], bySign[sign - 1]) << sign;
    }
    for (const auto& [spelling, sign] : spellings) {
        EXPECT_EQ(run(moon + Arguments{"--sign", spelling}).out, bySign[sign]) << spelling;
    }
    // Schütze 3° 20′: 243° 20′, the first degrees of Mula.
    EXPECT_EQ(json({0, bySign[9], ""})["nakshatra"].toObject()["name"].toString(), "Mula");
}

// Nothing runs before birth or from the cycle's end on; from the day of birth all three levels.
TEST(Dasa, TheDayMovesTheRunningPeriods) {
    const std::pair<const char*, const char*> days[] = {
        {"2012-12-22", ""},
        {"2012-12-23", "Sukra/Sani/Surya"},
        {"2030-01-26", "Chandra/Sani/Guru"},
        {"2118-06-12", "Ketu/Buddha/Sani"},
        {"2118-06-13", ""},
    };
    for (const auto& [day, chain] : days) {
        const QJsonObject j = json(run({"--format", "json", "--on", day}));
        EXPECT_EQ(runningChain(j["periods"].toArray()), chain) << day;
    }
}

TEST(Dasa, AClosedPipeEndsQuietly) {
    for (const char* format : {"text", "csv", "json"}) {
        for (const std::size_t bytes : {0, 1, 70000}) {
            const Finished r = run({"--format", format, "--depth", "3"}, bytes);
            EXPECT_EQ(r.status, 0) << format << " " << bytes;
            EXPECT_EQ(r.err, "") << format << " " << bytes;
        }
    }
}

} // namespace

// The births and windows worked out by hand in tests/birth/events_test.cpp: on 10.3.1990 16:00 UTC,
// 360-day years, "Grenze" (17.10.2019) holds the birth time from 15:59:54, "Umzug" (23.12.2019)
// from 15:45:43 to 16:23:47 (±5 s), "Letzter Tag" (29.1.2103) to 16:00:07, then beyond the cycle;
// on 11.3.1990 18:00 "Spät" (23.8.2088) stays in its periods beyond the search.
const Arguments tenthOfMarch{"--born", "10.3.1990 16:00", "--zone", "UTC", "--year-length", "360"};

Arguments with(Arguments a, const Arguments& more) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

TEST(Dasa, EventsAndTheBirthTimeWindow) {
    const Arguments json{"--rectify", "--level", "2", "--format", "json"};
    const Finished window = run(with(
        with(tenthOfMarch, {"--event", "17.10.2019 Grenze", "--event", "23.12.2019 Umzug"}), json));
    EXPECT_TRUE(std::regex_match(
        window.out,
        std::regex(R"re(\{"from": "15:59:(49|5\d)", "to": "16:23:(4[2-9]|5[0-2])", "level": 2, )re"
                   R"re("limits": \[\{"event": "Grenze", "side": "from", "period": "Chandra / )re"
                   R"re(Sukra"\}, \{"event": "Umzug", "side": "to", "period": "Mangal / )re"
                   R"re(Mangal"\}\]\}\n)re")))
        << window.out;
    const Finished wide = run(with({"--born", "11.3.1990 18:00", "--zone", "UTC", "--year-length",
                                    "360", "--event", "23.8.2088 Spät"},
                                   json));
    EXPECT_EQ(wide.out, "{\"from\": null, \"to\": null, \"level\": 2, \"limits\": []}\n");
    const Finished last = run(with(with(tenthOfMarch, {"--event", "29.1.2103 Letzter Tag"}), json));
    EXPECT_NE(last.out.find(", {\"event\": \"Letzter Tag\", \"side\": \"to\", \"period\": null}]}"),
              std::string::npos)
        << last.out;
    // As text: the event with its periods, then the window and its edges.
    const Finished text =
        run(with(tenthOfMarch, {"--event", "23.12.2019 Umzug", "--rectify", "--level", "2"}));
    EXPECT_TRUE(std::regex_match(
        text.out,
        std::regex("23\\.12\\.2019         normal   Chandra / Surya / Guru       Umzug\n\n"
                   "Geburtszeit-Spielraum: 15:45:(3[89]|4\\d) – 16:23:(4[2-9]|5[0-2]) "
                   "\\(das Ereignis in denselben Antardasas\\)\nFrüher als .* in Chandra "
                   "/ Sukra\\.\nSpäter als .* in Mangal / Mangal\\.\n")))
        << text.out;

    // The events by day, with the lords of their periods to --depth.
    const Finished csv =
        run(with(tenthOfMarch, {"--event", "23.12.2019 14:30 Umzug", "--event", "17.10.2019 Grenze",
                                "--format", "csv", "--depth", "2"}));
    EXPECT_EQ(csv.out, "Datum;Zeit;Ereignis;Gewicht;Mahadasa;Antardasa\n"
                       "17.10.2019;;Grenze;normal;Chandra;Surya\n"
                       "23.12.2019;14:30;Umzug;normal;Chandra;Surya\n");

    // Refused, nothing written: a day before birth (1), options that do not go together (2).
    const std::tuple<Arguments, int, std::string> wrong[] = {
        {with(tenthOfMarch, {"--event", "9.3.1990 Vorher"}), 1,
         "Das Ereignis „Vorher“ (09.03.1990) liegt vor der Geburt am 10.03.1990."},
        {{"--events"},
         2,
         "--events liest die Ereignisse einer Geburt des Registers: nur mit --birth"},
        {{"--event", "1.1.2000 X", "--rectify"},
         2,
         "--rectify braucht die Geburtszeit: nur mit --born oder --birth"},
        {with(tenthOfMarch, {"--level", "2"}), 2, "--level gehört zu --rectify"},
        {with(tenthOfMarch, {"--rectify", "--level", "4"}), 2, "--level braucht 2 oder 3"},
        {with(tenthOfMarch, {"--rectify", "--format", "csv"}), 2,
         "--rectify schreibt Text oder JSON, kein CSV"},
        {{"--list", "--events"},
         2,
         "--events, --event und --rectify nicht zusammen mit --import, --export oder --list"},
    };
    for (const auto& [arguments, status, message] : wrong) {
        const Finished r = run(arguments);
        EXPECT_EQ(r.status, status) << message;
        EXPECT_TRUE(r.err.starts_with((status == 2 ? "zeitrad-dasa: " : "") + message + "\n"))
            << r.err;
        EXPECT_EQ(r.out, "");
    }
}

// The register of births in a folder of its own, as ZEITRAD_REGISTER names it for every run.
class DasaRegister : public testing::Test {
protected:
    void SetUp() override { use("geburten.sqlite"); }
    void TearDown() override { ::unsetenv("ZEITRAD_REGISTER"); }
    void use(const std::string& name) { ::setenv("ZEITRAD_REGISTER", path(name).c_str(), 1); }
    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string read(const std::string& file) {
        std::ostringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        return bytes.str();
    }
    // A record with a "*" for the first name and the time, with its own coordinates.
    std::string event() const {
        return write("ereignis.aaf", "#A93:Ereignis,*,e,24.12.1992,*,Freiburg,D\n"
                                     "#B93:*,47n59,7e51,1he00,0\n");
    }
    QTemporaryDir dir;
};

const std::string sample = ZEITRAD_TEST_DATA "/sample.aaf";

// CSV read strictly, as a spreadsheet program splits it: fields apart by ';', rows ended by a line
// feed, a field in quotes (its quotes doubled) holding anything. A quote or carriage return out of
// quotes, or anything but a separator after a closing quote, fails the test.
std::vector<std::vector<std::string>> strictCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    int quotes = 0; // 1 within a quoted field, 2 after its closing quote
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quotes == 1) {
            const bool doubled = c == '"' && i + 1 < text.size() && text[i + 1] == '"';
            if (c != '"' || doubled)
                field += c;
            i += doubled;
            quotes = c == '"' && !doubled ? 2 : 1;
        } else if (c == ';' || c == '\n') {
            rows.back().push_back(std::exchange(field, {}));
            quotes = 0;
            if (c == '\n')
                rows.emplace_back();
        } else if (quotes == 2 || c == '\r' || (c == '"' && !field.empty())) {
            ADD_FAILURE() << "not CSV at byte " << i << ": " << text.substr(i, 40);
            return {};
        } else {
            quotes = c == '"' ? 1 : 0;
            if (c != '"')
                field += c;
        }
    }
    EXPECT_TRUE(quotes == 0 && field.empty() && rows.back().empty()) << "no line feed at the end";
    rows.pop_back();
    return rows;
}

QJsonArray jsonArray(const Finished& r) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
}

TEST_F(DasaRegister, ImportsListsAndExportsTheSameBirths) {
    const Finished first = run({"--import", sample});
    EXPECT_EQ(first.status, 1); // broken records were skipped
    EXPECT_EQ(first.out, "");
    // The event without #B93 in "Freiburg" (D) is Freiburg im Breisgau's.
    EXPECT_TRUE(first.err.starts_with("5 Geburten aufgenommen.\nZeile 7: Ort aus dem Ortsatlas: "
                                      "Freiburg im Breisgau, Baden-Württemberg, Deutschland"));
    EXPECT_NE(first.err.find("\nZeile 16: übersprungen – Das Datum „31.2.1990“ ist kein Tag "
                             "(erwartet: T.M.JJJJ).\nZeile 18: übersprungen – "),
              std::string::npos);
    EXPECT_TRUE(first.err.ends_with("\nZeile 20: übersprungen – Die #A93-Zeile hat 4 statt 7 "
                                    "Felder.\n"));
    const Finished again = run({"--import", sample});
    EXPECT_TRUE(again.err.starts_with("0 Geburten aufgenommen.\nZeile 2: schon im Register, "
                                      "nicht doppelt aufgenommen.\nZeile 7: schon"));
    // The same event with its own coordinates: the same name, day, time and place.
    const Finished one = run({"--import", event()});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.err, "0 Geburten aufgenommen.\nZeile 1: schon im Register, nicht doppelt "
                       "aufgenommen.\n");

    const Finished listed = run({"--list", "--format", "json"});
    EXPECT_EQ(listed.status, 0);
    const QJsonArray births = jsonArray(listed);
    ASSERT_EQ(births.size(), 5);
    QJsonObject muller = births[3].toObject(); // by name: Cezanne, Doe, Ereignis, Müller, Smith
    EXPECT_NEAR(muller.take("latitude").toDouble(), 48 + 8 / 60.0, 1e-7);
    EXPECT_NEAR(muller.take("longitude").toDouble(), 11 + 34 / 60.0, 1e-7);
    EXPECT_EQ(compact(muller), R"({"country":"D","date":"1985-07-03","firstName":"Jürgen",)"
                               R"("kind":"male","place":"München","surname":"Müller",)"
                               R"("time":"14:30:00","zone":"Europe/Berlin"})");
    EXPECT_TRUE(births[2]["firstName"].isNull());
    EXPECT_TRUE(births[2]["time"].isNull());
    EXPECT_EQ(births[2]["kind"], "event");
    EXPECT_EQ(births[2]["zone"], "Europe/Berlin");
    EXPECT_NE(run({"--list"}).out.find("\nMüller, Jürgen  03.07.1985  14:30:00  München (D)"),
              std::string::npos);
    EXPECT_NE(run({"--list", "--format", "csv"}).out.find("\nEreignis;;event;1992-12-24;;"),
              std::string::npos);

    // Out in Windows-1252 for older programs, into a second register: the same births.
    const std::string exported = path("alle.aaf");
    const Finished out = run({"--export", exported, "--encoding", "windows-1252"});
    EXPECT_EQ(out.status, 0);
    EXPECT_NE(read(exported).find("#A93:M\xFCller,J\xFCrgen,m,3.7.1985,14:30"), std::string::npos);
    use("zweites.sqlite");
    EXPECT_EQ(run({"--import", exported}).err, "5 Geburten aufgenommen.\n");
    // AAF keeps coordinates to the arc minute: the atlas's Freiburg comes back rounded.
    const QJsonArray back = jsonArray(run({"--list", "--format", "json"}));
    ASSERT_EQ(back.size(), births.size());
    for (qsizetype i = 0; i < back.size(); ++i) {
        QJsonObject was = births[i].toObject(), is = back[i].toObject();
        for (const char* angle : {"latitude", "longitude"})
            EXPECT_NEAR(is.take(angle).toDouble(), was.take(angle).toDouble(), 0.5 / 60 + 1e-9);
        EXPECT_EQ(compact(is), compact(was));
    }
}

// Several files at once, each found from its content (a chart named .txt too): an AAF file with
// a record placed by the atlas and one refused for its year, Maitreya's charts with summer time
// and west of Greenwich; what went in is the births the files give, and only once.
TEST_F(DasaRegister, SeveralFilesOfBothFormats) {
    const std::string aaf = write("karten.aaf", "#A93:Hahn,Hanna,f,15.12.1980,13:45,Hannover,D\n"
                                                "#A93:Alt,Anna,f,1.1.1452,12:00,Mainz,D\n"
                                                "#B93:*,50n00,8e16,00E00,0\n");
    const std::string summer = write("sommer.mtx", "#Maitreya 3.0\nJürgen Müller\n3\n7\n1985\n"
                                                   "14.5\n1\n1\nMünchen\n11.57\n48.13\n");
    const std::string west = write("west.txt", "#Maitreya 3.0\nJohn Doe\n10\n10\n1960\n"
                                               "8.08333333\n-5\n0\nNew York\n-74\n40.72\n");
    Finished r = run({"--import", aaf, summer, west});
    for (std::size_t at; (at = r.err.find(path("") + "/")) != std::string::npos;)
        r.err.erase(at, path("").size() + 1);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "3 Geburten aufgenommen aus 3 Dateien.\n"
                     "„karten.aaf“: 2 Datensätze gelesen, 1 aufgenommen.\n"
                     "  Zeile 1: Ort aus dem Ortsatlas: Hannover, Niedersachsen, Deutschland "
                     "(52° 22′ N, 9° 44′ O), Zeitzone Europe/Berlin.\n"
                     "  Zeile 2: übersprungen – Das Jahr 1452 liegt außerhalb des unterstützten "
                     "Bereichs 1800–2199.\n"
                     "„sommer.mtx“: 1 Datensatz gelesen, 1 aufgenommen.\n"
                     "„west.txt“: 1 Datensatz gelesen, 1 aufgenommen.\n");
    // 13:45 CET is 12:45 UT; 14:30 at UT + 1 h and 1 h of summer time is 12:30 UT; 8:05 at
    // UT − 5 h is 13:05 UT.
    for (const auto& [name, utc] : {std::pair{"Hahn", "1980-12-15T12:45:00Z"},
                                    {"Jürgen Müller", "1985-07-03T12:30:00Z"},
                                    {"John Doe", "1960-10-10T13:05:00Z"}})
        EXPECT_EQ(json(run({"--birth", name, "--format", "json"}))["birth"].toObject()["utc"], utc)
            << name;
    const std::string again = run({"--import", summer, west}).err;
    EXPECT_EQ(again.substr(0, again.find('\n')), "0 Geburten aufgenommen aus 2 Dateien.");
}

// Names and places with the separator, quotes and a carriage return come out of --list and --aaf
// as CSV that splits into the same fields.
TEST_F(DasaRegister, CsvFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const std::string file =
        write("zeichen.aaf", "#A93:M\xC3\xBCl;ler,Jo \"Hans\",m,3.7.1985,14:30,"
                             "Ort \"A\"; B,D\n#B93:*,48n08,11e34,1he00,1\n"
                             "#A93:Zeile,Eins\rZwei,f,4.7.1985,*,Ulm,D\n"
                             "#B93:*,48n24,9e59,1he00,1\n");
    EXPECT_EQ(run({"--import", file}).err, "2 Geburten aufgenommen.\n");
    const auto listed = strictCsv(run({"--list", "--format", "csv"}).out);
    ASSERT_EQ(listed.size(), 3U); // the header and the two births
    EXPECT_EQ(listed[1], (std::vector<std::string>{"Mül;ler", "Jo \"Hans\"", "male", "1985-07-03",
                                                   "14:30:00", "Ort \"A\"; B", "D", "48,133333",
                                                   "11,566667", "UTC+02:00"}));
    EXPECT_EQ(listed[2],
              (std::vector<std::string>{"Zeile", "Eins\rZwei", "female", "1985-07-04", "", "Ulm",
                                        "D", "48,400000", "9,983333", "UTC+02:00"}));

    // The name in front of each period: 9 mahadasas of each birth.
    const auto periods = strictCsv(run({"--aaf", file, "--format", "csv", "--depth", "1"}).out);
    ASSERT_EQ(periods.size(), 1U + 2 * 9U);
    EXPECT_EQ(periods[0].front(), "Name");
    for (std::size_t row = 1; row < periods.size(); ++row) {
        ASSERT_EQ(periods[row].size(), 13U);
        EXPECT_EQ(periods[row][0], row <= 9 ? "Mül;ler, Jo \"Hans\"" : "Zeile, Eins\rZwei");
        EXPECT_EQ(periods[row][1], "1");
    }
}

// A file over 64 MiB (sparse: nothing of it is on the disk) is refused before it is read, and a
// folder with the system's reason, by the import and by --aaf; nothing goes in, and no register
// is made for them.
TEST_F(DasaRegister, FilesThatAreNotReadAreRefused) {
    const std::string big = write("gross.aaf", "#A93:Gross,Gustav,m,1.4.1980,12:00,Ulm,D\n"
                                               "#B93:*,48n24,9e59,1he00,0\n");
    ASSERT_TRUE(QFile::resize(QString::fromStdString(big), 64 * 1024 * 1024 + 1));
    const std::string folder = dir.path().toStdString();
    const std::pair<std::string, std::string> refusals[] = {
        {big, "Die Datei „" + big +
                  "“ ist größer als 64 MiB; so große Dateien liest Zeitrad nicht. Es wurde nichts "
                  "gelesen.\n"},
        {folder, "Die Datei „" + folder + "“ lässt sich nicht lesen: das ist ein Ordner.\n"}};
    for (const auto& [file, refused] : refusals) {
        for (const char* job : {"--import", "--aaf"}) {
            const Finished r = run({job, file});
            EXPECT_EQ(r.status, 1) << job << ' ' << file;
            EXPECT_EQ(r.out, "") << job << ' ' << file;
            EXPECT_EQ(r.err, refused) << job << ' ' << file;
        }
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("geburten.sqlite"))));
}

// A file that is no register is refused by every job and left byte for byte as it was.
TEST_F(DasaRegister, ADamagedRegisterIsLeftAlone) {
    const std::string bytes = std::string("SQLite format 3\0", 16) + std::string(200, 'x');
    const std::string damaged = write("geburten.sqlite", bytes);
    const Arguments jobs[] = {{"--list", "--format", "json"},
                              {"--import", sample},
                              {"--export", path("alle.aaf")},
                              {"--birth", "Müller"}};
    for (const Arguments& job : jobs) {
        const Finished r = run(job);
        EXPECT_EQ(r.status, 1) << job[0];
        EXPECT_EQ(r.out, "") << job[0];
        EXPECT_EQ(r.err, "Die Datei „" + damaged +
                             "“ ist beschädigt oder kein Geburtenregister von Zeitrad. Sie "
                             "bleibt unverändert.\n")
            << job[0];
    }
    EXPECT_EQ(read(damaged), bytes);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("alle.aaf"))));
}

// Without a register an export writes nothing: an earlier file stays as it was.
TEST_F(DasaRegister, NoRegisterNoExport) {
    const std::string earlier = write("alle.aaf", "#A93:Alt,Anna,f,1.1.1950,*,Ulm,D\n");
    const Finished r = run({"--export", earlier});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Es gibt kein Geburtenregister unter „" + path("geburten.sqlite") +
                         "“; es wurde nichts geschrieben.\n");
    EXPECT_EQ(read(earlier), "#A93:Alt,Anna,f,1.1.1950,*,Ulm,D\n");
}

TEST_F(DasaRegister, ABirthOfTheRegisterByItsName) {
    run({"--import", sample});
    // 14:30 summer time in Munich is 12:30 UTC; the Moon at 1° Capricorn sidereal stands in
    // Uttara Ashada (266°40′ to 280°).
    const Finished one = run({"--birth", "muller, jurgen", "--format", "json"});
    EXPECT_EQ(one.status, 0);
    const QJsonObject birth = json(one)["birth"].toObject();
    EXPECT_EQ(birth["name"], "Müller, Jürgen");
    EXPECT_EQ(birth["local"], "1985-07-03T14:30:00");
    EXPECT_EQ(birth["utc"], "1985-07-03T12:30:00Z");
    EXPECT_EQ(birth["place"].toObject()["name"], "München");
    EXPECT_EQ(json(one)["nakshatra"].toObject()["name"], "Uttara Ashada");
    EXPECT_TRUE(run({"--birth", "Müller", "--depth", "1"})
                    .out.starts_with("Geburt aus dem Register: Müller, Jürgen\nGeburtszeit: "
                                     "03.07.1985 14:30:00 Europe/Berlin (UTC+2)\n"));

    const Finished several = run({"--birth", "e"});
    EXPECT_EQ(several.status, 1);
    EXPECT_EQ(several.out, "");
    EXPECT_EQ(several.err, "„e“ passt auf 5 Geburten des Registers; bitte den Namen genauer "
                           "angeben:\n"
                           "  Cezanne, Paul, 19.01.1839 01:00, Aix-En-Provence\n"
                           "  Doe, John, 10.10.1960 08:05, New York\n"
                           "  Ereignis, 24.12.1992 Zeit unbekannt, Freiburg\n"
                           "  Müller, Jürgen, 03.07.1985 14:30, München\n"
                           "  Smith, Anne, 05.02.1970 23:15, Sydney\n");
    const Finished none = run({"--birth", "Niemand"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
}

// The events the register keeps for a birth: listed with their periods, and the window they allow
// (as worked out for the same birth and events above).
TEST_F(DasaRegister, TheEventsOfABirthOfTheRegister) {
    {
        int argc = 1;
        char name[] = "dasa_test";
        char* argv[] = {name, nullptr};
        QCoreApplication application(argc, argv);
        zeitrad::sqlregister::SqlRegister reg;
        ASSERT_TRUE(std::holds_alternative<zeitrad::birth::Done>(
            reg.open(QString::fromStdString(path("geburten.sqlite")))));
        zeitrad::birth::Birth b;
        b.surname = "Probe";
        b.date = QDate(1990, 3, 10);
        b.time = QTime(16, 0);
        b.clocks = zeitrad::birth::Clocks::utc();
        const qint64 id = std::get<qint64>(reg.add(b));
        reg.addEvent({0, id, QDate(2019, 10, 17), QTime(9, 5), "Grenze", true});
        reg.addEvent({0, id, QDate(2019, 12, 23), {}, "Umzug", false});
    }
    const Finished events = run({"--birth", "Probe", "--events", "--year-length", "360", "--depth",
                                 "2", "--format", "json"});
    EXPECT_EQ(events.out, "[\n  {\"date\": \"2019-10-17\", \"time\": \"09:05:00\", \"text\": "
                          "\"Grenze\", \"weight\": \"wichtig\", \"periods\": [\"Chandra\", "
                          "\"Surya\"]},\n  {\"date\": \"2019-12-23\", \"time\": null, \"text\": "
                          "\"Umzug\", \"weight\": \"normal\", \"periods\": [\"Chandra\", "
                          "\"Surya\"]}\n]\n")
        << events.err;
    const Finished window =
        run({"--birth", "Probe", "--rectify", "--level", "2", "--year-length", "360"});
    EXPECT_NE(window.out.find("\nGeburtszeit-Spielraum: 15:59:"), std::string::npos) << window.err;
}

// Every record of a file; the broken ones refused with their line, the others still computed.
TEST_F(DasaRegister, EveryRecordOfAnAafFile) {
    const Finished r = run({"--aaf", sample, "--format", "json", "--depth", "1"});
    EXPECT_EQ(r.status, 1);
    const QJsonArray all = jsonArray(r);
    // In file order: a birth's name, its UTC moment worked out by hand and its 9 mahadasas, or
    // only the name and the refusal.
    std::string seen;
    for (const QJsonValue& o : all) {
        QString line = o["name"].toString();
        if (o.toObject().keys() != QStringList{"error", "name"}) {
            line = o["birth"]["name"].toString() + " " + o["birth"]["utc"].toString() + " " +
                   QString::number(o["periods"].toArray().size());
        }
        seen += line.toStdString() + "\n";
    }
    EXPECT_EQ(seen, "Müller, Jürgen 1985-07-03T12:30:00Z 9\n"
                    "Ereignis 1992-12-24T11:00:00Z 9\n"      // noon in Freiburg: CET
                    "Cezanne, Paul 1839-01-19T00:38:12Z 9\n" // 1:00 at 5°27′ E: 21 min 48 s ahead
                    "Smith, Anne 1970-02-05T13:15:00Z 9\n"   // UTC+10:00
                    "Doe, John 1960-10-10T13:05:00Z 9\n"     // UTC-05:00
                    "Kaputt, Karl\nWeit, Berta\nZeit, Zora\nKurz, Kai\n");
    EXPECT_EQ(all[5]["error"],
              "Zeile 16: Das Datum „31.2.1990“ ist kein Tag (erwartet: T.M.JJJJ).");
    EXPECT_NE(r.err.find("Zeile 16 (Kaputt, Karl): Das Datum „31.2.1990“ ist kein Tag"),
              std::string::npos);

    const Finished csv = run({"--aaf", sample, "--format", "csv", "--depth", "1"});
    EXPECT_TRUE(csv.out.starts_with("Name;Ebene;Mahadasa;Antardasa;"));
    EXPECT_EQ(linesStartingWith(csv.out, "Name;"), 1);
    EXPECT_EQ(linesStartingWith(csv.out, "Müller, Jürgen;1;"), 9);
    EXPECT_EQ(linesStartingWith(csv.out, "Doe, John;1;"), 9);

    // Text blocks under a heading; an unknown time is taken as noon and the text says so.
    const Finished text = run({"--aaf", event(), "--depth", "1"});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.starts_with("=== Ereignis (Zeile 1) ===\nGeburtszeit: 24.12.1992 "
                                     "12:00:00 UTC+01:00 (UTC+1)\nDie Geburtszeit ist unbekannt: "
                                     "gerechnet mit 12:00 Uhr am Geburtsort.\n"));
}
