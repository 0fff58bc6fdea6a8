// zeitrad-dasa as a user runs it: every format of the default input, refused inputs and bad
// command lines with their exit status, the sign spellings, the day for "running", a closed pipe,
// and the JSON read back and held against the engine for a sweep of inputs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "engine/calculation.h"
#include "engine/periods.h"
#include "engine/periodtext.h"

extern char** environ;

namespace {

using namespace zeitrad;

struct Finished {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out, err;
};

std::string readFd(int fd) {
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

// Runs the program with the arguments. With `closeAfter` >= 0 the reader goes away after that
// many bytes of standard output, as `| head -c N` does.
Finished run(const std::vector<std::string>& arguments, long closeAfter = -1) {
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
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << ZEITRAD_DASA;
        return r;
    }
    if (closeAfter >= 0) {
        std::string head(static_cast<std::size_t>(closeAfter), '\0');
        std::size_t got = 0;
        while (got < head.size()) {
            const ssize_t n = ::read(out[0], head.data() + got, head.size() - got);
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        r.out = head.substr(0, got);
    } else {
        r.out = readFd(out[0]);
    }
    ::close(out[0]);
    r.err = readFd(err[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// A small JSON reader: enough for the program's output, strict about the syntax.
struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>,
                 std::map<std::string, Json>>
        value;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    bool boolean() const { return std::get<bool>(value); }
    int integer() const { return static_cast<int>(std::get<double>(value)); }
    const std::string& text() const { return std::get<std::string>(value); }
    const std::vector<Json>& array() const { return std::get<std::vector<Json>>(value); }
    const Json& operator[](const std::string& key) const {
        return std::get<std::map<std::string, Json>>(value).at(key);
    }
    std::size_t keys() const { return std::get<std::map<std::string, Json>>(value).size(); }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    Json document() {
        Json j = parse();
        skip();
        if (pos_ != s_.size()) {
            throw std::runtime_error("text after the value");
        }
        return j;
    }

private:
    void skip() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\t' || s_[pos_] == '\r')) {
            ++pos_;
        }
    }
    void expect(char c) {
        skip();
        if (pos_ >= s_.size() || s_[pos_] != c) {
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(pos_));
        }
        ++pos_;
    }
    bool word(std::string_view w) {
        if (s_.substr(pos_, w.size()) != w) {
            return false;
        }
        pos_ += w.size();
        return true;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (pos_ < s_.size() && s_[pos_] != '"') {
            char c = s_[pos_++];
            if (static_cast<unsigned char>(c) < 0x20) {
                throw std::runtime_error("control character in a string");
            }
            if (c == '\\') {
                c = s_.at(pos_++);
                if (c == 'u') {
                    out +=
                        static_cast<char>(std::stoi(std::string(s_.substr(pos_, 4)), nullptr, 16));
                    pos_ += 4;
                    continue;
                }
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
            }
            out += c;
        }
        expect('"');
        return out;
    }
    Json parse() {
        skip();
        if (pos_ >= s_.size()) {
            throw std::runtime_error("end of text");
        }
        const char c = s_[pos_];
        if (c == '{') {
            ++pos_;
            std::map<std::string, Json> object;
            skip();
            if (s_[pos_] == '}') {
                ++pos_;
                return {object};
            }
            do {
                std::string key = string();
                expect(':');
                if (!object.emplace(key, parse()).second) {
                    throw std::runtime_error("key twice: " + key);
                }
                skip();
            } while (s_[pos_] == ',' && ++pos_);
            expect('}');
            return {object};
        }
        if (c == '[') {
            ++pos_;
            std::vector<Json> array;
            skip();
            if (s_[pos_] == ']') {
                ++pos_;
                return {array};
            }
            do {
                array.push_back(parse());
                skip();
            } while (s_[pos_] == ',' && ++pos_);
            expect(']');
            return {array};
        }
        if (c == '"') {
            return {string()};
        }
        if (word("null")) {
            return {nullptr};
        }
        if (word("true")) {
            return {true};
        }
        if (word("false")) {
            return {false};
        }
        std::size_t used = 0;
        const double number = std::stod(std::string(s_.substr(pos_, 32)), &used);
        pos_ += used;
        return {number};
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

Json readJson(const std::string& text) {
    return JsonReader(text).document();
}

Result calculate(const BirthInput& in) {
    Engine engine;
    return std::get<Result>(engine.calculate(in));
}

// The command line for an input.
std::vector<std::string> argumentsOf(const BirthInput& in) {
    std::vector<std::string> a{"--date", in.day + "." + in.month + "." + in.year, "--moon",
                               in.degrees + ":" + in.minutes + ":" + in.seconds};
    if (in.sign) {
        a.insert(a.end(), {"--sign", std::to_string(in.sign)});
    }
    if (in.tropical) {
        a.push_back("--tropical");
    }
    return a;
}

void expectAge(const Json& j, const AgeTriple& age) {
    ASSERT_EQ(j.array().size(), 3u);
    EXPECT_EQ(j.array()[0].integer(), age.years);
    EXPECT_EQ(j.array()[1].integer(), age.months);
    EXPECT_EQ(j.array()[2].integer(), age.days);
}

void expectDate(const Json& j, const std::optional<CivilDate>& date) {
    if (date) {
        EXPECT_EQ(j.text(), isoDate(*date));
    } else {
        EXPECT_TRUE(j.isNull());
    }
}

// The periods below `path`, level by level, against the engine's list and its running ones.
void expectPeriods(const Json& j, const std::vector<Period>& periods,
                   const std::vector<int>& running, std::vector<int>& path) {
    ASSERT_EQ(j.array().size(), periods.size());
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const Json& e = j.array()[i];
        const Period& p = periods[i];
        path.push_back(static_cast<int>(i));
        EXPECT_EQ(e.keys(), 6u);
        EXPECT_EQ(e["lord"].text(), lordName(p.lord));
        if (p.atBirth) {
            EXPECT_TRUE(e["age"].isNull());
        } else {
            expectAge(e["age"], p.startAge);
        }
        expectDate(e["start"], p.startDate);
        expectDate(e["end"], p.endDate);
        const bool runs =
            running.size() >= path.size() && std::equal(path.begin(), path.end(), running.begin());
        EXPECT_EQ(e["running"].boolean(), runs);
        expectPeriods(e["periods"], p.children, running, path);
        path.pop_back();
    }
}

void expectJsonMatches(const Json& j, const BirthInput& in, YearLength length,
                       const CivilDate& on) {
    const Result r = calculate(in);
    const PeriodList list = buildPeriods(r, length);
    EXPECT_EQ(j.keys(), 4u);
    EXPECT_EQ(j["nakshatra"]["number"].integer(), r.nakshatra);
    EXPECT_EQ(j["nakshatra"]["name"].text(), r.nakshatraName);
    EXPECT_EQ(j["nakshatra"]["lord"].text(), lordName(r.birthLord));
    EXPECT_EQ(j["birthDate"].text(), r.birthDateText());
    const auto& cells = j["cells"].array();
    ASSERT_EQ(cells.size(), 81u);
    for (int k = 1; k <= 81; ++k) {
        SCOPED_TRACE("cell " + std::to_string(k));
        const Json& c = cells[static_cast<std::size_t>(k - 1)];
        const Cell& cell = r.cells[static_cast<std::size_t>(k)];
        EXPECT_EQ(c["cell"].integer(), k);
        const bool shown = k == 1 || cell.shown;
        EXPECT_EQ(c["shown"].boolean(), shown);
        if (!shown) {
            EXPECT_TRUE(c["lord"].isNull());
        } else {
            EXPECT_EQ(c["lord"].text(), lordName(k == 1 ? r.birthLord : cell.lord));
        }
        if (k == 1 || !shown) {
            EXPECT_TRUE(c["age"].isNull());
        } else {
            expectAge(c["age"], cell.age);
        }
    }
    std::vector<int> path;
    expectPeriods(j["periods"], list.mahadasas, runningOn(list, on), path);
}

const CivilDate day2030{2030, 1, 1};
const std::vector<std::string> on2030{"--on", "2030-01-01"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

long lines(const std::string& text, char marker) {
    long n = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        n += text[at] == marker;
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return n;
}

TEST(Dasa, DefaultInputInEveryFormat) {
    const Result r = calculate({});
    const PeriodList list = buildPeriods(r, YearLength::solar);

    const Finished text = run(on2030);
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_NE(text.out.find("Nakshatra: 2 Bharani, Herr: Sukra\n"), std::string::npos);
    // Row 1 as the overview shows it: the birth cell, then only the shown cells.
    EXPECT_NE(text.out.find("Sukra      Sani       Buddha     Ketu\n"
                            "Geburt     1 Jahre    1 Jahre    4 Jahre\n"
                            "23.12.2012 8 M 9 T    5 M 21 T   3 M 21 T\n"),
              std::string::npos);
    // The running mahadasa and antardasa are marked; depth 2 shows no pratyantardasa.
    EXPECT_NE(text.out.find("\n* Chandra     11 Jahre 5 M 20 T     13.06.2024  13.06.2034\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("\n*   Sani      15 Jahre 8 M 20 T     12.09.2028  13.04.2030\n"),
              std::string::npos);
    EXPECT_EQ(lines(text.out, '*'), 2);
    // Every depth lists as many period lines as the list holds down to that level.
    long count[3] = {0, 0, 0};
    for (const Period& m : list.mahadasas) {
        ++count[0];
        for (const Period& a : m.children) {
            ++count[1];
            count[2] += static_cast<long>(a.children.size());
        }
    }
    long expected = 0;
    for (int depth = 1; depth <= 3; ++depth) {
        expected += count[depth - 1];
        const Finished deep =
            run(on2030 + std::vector<std::string>{"--depth", std::to_string(depth)});
        EXPECT_EQ(lines(deep.out, '*'), depth) << depth;
        EXPECT_EQ(lines(deep.out, '*') + lines(deep.out, ' '), expected) << depth;
    }

    const Finished csv = run({"--format", "csv"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out, periodsCsv(list));

    const Finished json = run(on2030 + std::vector<std::string>{"--format", "json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.err, "");
    expectJsonMatches(readJson(json.out), {}, YearLength::solar, day2030);
}

BirthInput birth(const char* day, const char* month, const char* year, const char* degrees,
                 const char* minutes, const char* seconds, int sign = 0, bool tropical = false) {
    return {day, month, year, degrees, minutes, seconds, sign, tropical};
}

TEST(Dasa, RefusedInputsExitWithTheEnginesMessage) {
    const std::pair<std::vector<std::string>, BirthInput> cases[] = {
        {{"--date", "1x.12.2012"}, birth("1x", "12", "2012", "", "", "")},
        {{"--moon", "1:0:"}, birth("", "", "", "1", "0", "")},
        {{"--moon", "400:0:0"}, birth("", "", "", "400", "0", "0")},
        {{"--date", "1.1.-900000000", "--moon", "0:0:0", "--sign", "widder", "--tropical"},
         birth("1", "1", "-900000000", "0", "0", "0", 1, true)},
    };
    for (const auto& [arguments, input] : cases) {
        Engine engine;
        const Outcome outcome = engine.calculate(input);
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << arguments[1];
        const Finished r = run(arguments);
        EXPECT_EQ(r.status, 1) << arguments[1];
        EXPECT_EQ(r.out, "") << arguments[1];
        EXPECT_EQ(r.err, std::get<Refusal>(outcome).message + "\n") << arguments[1];
    }
    EXPECT_EQ(run({"--date", "1x.12.2012"}).err, "'1x' ist kein gültiger Integerwert\n");
}

TEST(Dasa, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"--colour"},
        {"extra"},
        {"--on", "2030-13-01"},
        {"--on", "2030-2-1"},
        {"--on", "2031-02-29"},
        {"--on"},
        {"--format", "xml"},
        {"--format"},
        {"--depth", "4"},
        {"--depth", "0"},
        {"--sign", "Ophiuchus"},
        {"--sign", "13"},
        {"--sign", "0"},
        {"--date", "1.2"},
        {"--moon", "1:2:3:4"},
        {"--year-length", "365"},
        {"--tropical=ja"},
    };
    for (const auto& arguments : cases) {
        const Finished r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments[0];
        EXPECT_EQ(r.out, "") << arguments[0];
        EXPECT_NE(r.err.find("Aufruf: zeitrad-dasa"), std::string::npos) << arguments[0];
    }
    const Finished help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Beispiele:"), std::string::npos);
    const Finished version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zeitrad-dasa " ZEITRAD_VERSION "\n");
}

TEST(Dasa, SignSpellings) {
    const std::pair<const char*, int> spellings[] = {
        {"Widder", 1},  {"widder", 1},      {"1", 1},       {"STIER", 2},
        {"Löwe", 5},    {"LÖWE", 5},        {"loewe", 5},   {"Loewe", 5},
        {"5", 5},       {"05", 5},          {"Schütze", 9}, {"schuetze", 9},
        {"SCHÜTZE", 9}, {"Wassermann", 11}, {"fische", 12}, {"12", 12},
    };
    const std::vector<std::string> moon{"--moon", "3:20:0", "--format",
                                        "json",   "--on",   "2030-01-01"};
    std::map<int, std::string> bySign;
    for (int sign = 1; sign <= 12; ++sign) {
        bySign[sign] = run(moon + std::vector<std::string>{"--sign", std::to_string(sign)}).out;
    }
    for (const auto& [spelling, sign] : spellings) {
        const Finished r = run(moon + std::vector<std::string>{"--sign", spelling});
        EXPECT_EQ(r.status, 0) << spelling;
        EXPECT_EQ(r.out, bySign[sign]) << spelling;
    }
    // Every sign gives another position, and the number is the sign of the input screen.
    for (int sign = 2; sign <= 12; ++sign) {
        EXPECT_NE(bySign[sign], bySign[sign - 1]) << sign;
    }
    expectJsonMatches(readJson(bySign[9]), birth("", "", "", "3", "20", "0", 9), YearLength::solar,
                      day2030);
}

TEST(Dasa, TheDayMovesTheRunningPeriods) {
    const PeriodList list = buildPeriods(calculate({}), YearLength::solar);
    const CivilDate days[] = {{2012, 12, 22}, {2012, 12, 23}, {2020, 6, 1},
                              {2030, 1, 1},   {2100, 7, 4},   {2200, 1, 1}};
    std::vector<std::vector<int>> seen;
    for (const CivilDate& day : days) {
        const std::string iso = isoDate(day);
        const Finished r = run({"--format", "json", "--on", iso});
        ASSERT_EQ(r.status, 0) << iso;
        const Json j = readJson(r.out);
        std::vector<int> running;
        const Json* level = &j["periods"];
        for (bool found = true; found;) {
            found = false;
            for (std::size_t i = 0; i < level->array().size(); ++i) {
                if (level->array()[i]["running"].boolean()) {
                    running.push_back(static_cast<int>(i));
                    level = &level->array()[i]["periods"];
                    found = true;
                    break;
                }
            }
        }
        EXPECT_EQ(running, runningOn(list, day)) << iso;
        seen.push_back(running);
    }
    EXPECT_TRUE(seen.front().empty()); // before birth
    EXPECT_EQ(seen[1].size(), 3u);     // the day of birth
    EXPECT_NE(seen[2], seen[3]);
    EXPECT_TRUE(seen.back().empty()); // after the cycle
}

TEST(Dasa, AClosedPipeEndsQuietly) {
    for (const char* format : {"text", "csv", "json"}) {
        for (const long bytes : {0L, 1L, 70000L}) {
            const Finished r = run({"--format", format, "--depth", "3"}, bytes);
            EXPECT_EQ(r.status, 0) << format << " " << bytes;
            EXPECT_EQ(r.err, "") << format << " " << bytes;
        }
    }
}

// The JSON of a sweep of inputs: dates with and without calendar dates, Moon positions across
// the nakshatras, signs, tropical positions and both year lengths.
TEST(Dasa, JsonAgreesWithTheEngineForASweep) {
    const char* dates[][3] = {{"23", "12", "2012"}, {"29", "2", "2000"}, {"1", "1", "1"},
                              {"31", "12", "9990"}, {"30", "2", "1999"}, {"", "", ""}};
    int tried = 0;
    for (std::size_t d = 0; d < std::size(dates); ++d) {
        for (int step = 0; step < 6; ++step) {
            BirthInput in;
            in.day = dates[d][0];
            in.month = dates[d][1];
            in.year = dates[d][2];
            in.degrees = std::to_string(step * 5 + static_cast<int>(d));
            in.minutes = std::to_string(step * 11 % 60);
            in.seconds = std::to_string(step * 17 % 60);
            in.sign = (step * 5 + static_cast<int>(d)) % 13;
            in.tropical = step % 2 == 1;
            const YearLength length = step % 3 == 0 ? YearLength::days360 : YearLength::solar;
            const CivilDate on{1990 + 7 * step, 1 + step, 10 + static_cast<int>(d)};
            std::vector<std::string> arguments = argumentsOf(in);
            arguments =
                arguments + std::vector<std::string>{
                                "--format",      "json",
                                "--on",          isoDate(on),
                                "--year-length", length == YearLength::days360 ? "360" : "solar"};
            const Finished r = run(arguments);
            ASSERT_EQ(r.status, 0) << r.err;
            SCOPED_TRACE(arguments[1] + " " + arguments[3]);
            expectJsonMatches(readJson(r.out), in, length, on);
            ++tried;
        }
    }
    EXPECT_EQ(tried, 36);
}

} // namespace
