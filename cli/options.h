// The command line of zeitrad-dasa: what to calculate, for which day and in which form.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation.h"
#include "engine/civildate.h"

namespace zeitrad::cli {

enum class Format { text, csv, json };

struct Options {
    BirthInput input;            // the field texts, as the input screen holds them
    std::optional<CivilDate> on; // the day for "running"; none: today
    Format format = Format::text;
    int depth = 2; // levels the text shows: 1..3
    YearLength yearLength = YearLength::solar;
    bool help = false, version = false;
};

// What the command line asks for, or why it cannot be read (a German sentence).
struct Parsed {
    Options options;
    std::string error; // empty when the command line is good
};

Parsed parseArguments(const std::vector<std::string_view>& arguments);

// The sign 1 (Widder) .. 12 (Fische) of a name, any case, "ae", "oe", "ue" for the umlauts, or of
// its number; none for anything else.
std::optional<int> signOf(std::string_view text);

// The day of "JJJJ-MM-TT" when it exists in the years 1 to 9999.
std::optional<CivilDate> isoDateOf(std::string_view text);

// "a.b.c" into three field texts (each may be empty); none unless there are exactly two
// separators.
std::optional<std::vector<std::string>> splitFields(std::string_view text, char separator);

} // namespace zeitrad::cli
