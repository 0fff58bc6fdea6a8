// The names of the twelve signs as the program shows them.
#pragma once

#include <array>
#include <string_view>

namespace zeitrad {

// Index 0 is unused, so that the table reads with the sign number 1 (Widder) .. 12 (Fische).
// UTF-8.
constexpr std::array<std::string_view, 13> signName = {
    "",      "Widder",   "Stier",   "Zwillinge", "Krebs",      "Löwe",   "Jungfrau",
    "Waage", "Skorpion", "Schütze", "Steinbock", "Wassermann", "Fische",
};

} // namespace zeitrad
