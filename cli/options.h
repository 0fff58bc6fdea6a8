// The command line of zeitrad-dasa: what to calculate, for which day and in which form.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engine/calculation.h"
#include "engine/civildate.h"
#include "engine/refusal.h"

namespace zeitrad::cli {

enum class Format { text, csv, json };

struct Options {
    BirthInput input;            // the field texts, as the input screen holds them
    std::optional<CivilDate> on; // the day for "running"; none: today
    Format format = Format::text;
    std::optional<int> depth; // levels 1..5; none: text 2, CSV and JSON 3
    YearLength yearLength = YearLength::solar;
    bool help = false, version = false;
};

// What the command line asks for ("--name value" or "--name=value"), or why it cannot be read.
Refused<Options> parseArguments(const std::vector<std::string_view>& arguments);

} // namespace zeitrad::cli
