// The command line of zeitrad-dasa: what to calculate, for which day and in which form.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astronomy/ayanamsa.h"
#include "engine/calculation.h"
#include "engine/civildate.h"
#include "engine/refusal.h"

namespace zeitrad::cli {

enum class Format { text, csv, json };

// Where the input comes from: the field texts (--date, --moon, --sign, --tropical), a birth's
// date, time and place (--born), a birth of the register (--birth) or every record of an AAF file
// (--aaf); from a birth the Moon's position fills the fields.
enum class Road { fields, born, registered, aaf };

// What the run does: calculate, or one of the register's batch jobs.
enum class Action { calculate, importAaf, exportAaf, list };

// The clocks a birth time was read on: a time zone, a place of the atlas (its zone, or its own
// mean time before the zone kept standard time), or local mean time at a longitude.
enum class Clocks { zone, place, meanTime };

struct BornOptions {
    std::string moment; // "T.M.J H:MM[:SS]", as typed
    Clocks clocks = Clocks::zone;
    std::string where; // the zone id, the place or the longitude, as typed
    // For a time the clocks showed twice: true the summer time, false the standard time.
    std::optional<bool> summerTime;
};

struct Options {
    Action action = Action::calculate;
    Road road = Road::fields;
    BirthInput input;               // the field texts, as the input screen holds them
    BornOptions born;               // the birth road's date, time and place
    std::string birthName;          // --birth: the name of a birth of the register, as typed
    std::string file;               // the file of --file (--aaf), --import (its first) or --export
    std::vector<std::string> files; // every file of --import
    bool windows1252 = false;       // --export for older programs
    std::optional<CivilDate> on;    // the day for "running"; none: today
    Format format = Format::text;
    std::optional<int> depth; // levels 1..5; none: text 2, CSV and JSON 3
    YearLength yearLength = YearLength::solar;
    // --ayanamsa for --born, --birth and --aaf; none: Zeitrad's own, or a register birth's own.
    std::optional<astronomy::Ayanamsa> ayanamsa;
    // --timeline: the PNG file of the timeline, instead of the answer on standard output; the
    // first and last day it shows and its size in pixels (height 0: as the bands want).
    std::string timeline;
    std::optional<CivilDate> from, to;
    int width = 1200, height = 0;
    // --events: the events the register keeps for --birth; --event: events given on the command
    // line, kept nowhere ("T.M.J[ H:MM] TEXT", as typed); --rectify: the birth-time window down
    // to --level (2 or 3; none: 3) instead of the periods.
    bool listEvents = false;
    std::vector<std::string> events;
    bool rectify = false;
    std::optional<int> level;
    bool help = false, version = false;
};

// What the command line asks for ("--name value" or "--name=value"), or why it cannot be read.
Refused<Options> parseArguments(const std::vector<std::string_view>& arguments);

// Every option that parseArguments() reads, as --help lists them: section by section, a blank
// line between two sections, each option with its value and its lines of explanation.
std::string optionHelp();

} // namespace zeitrad::cli
