// "Warum weichen andere Programme ab?": the reasons why another program's dates for the same birth
// differ, as a short German text for the birth shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/civildate.h"

namespace zeitrad {

// The same birth under one ayanamsa: its name and its calculation, or why there is none.
struct AyanamsaVariant {
    std::string name;             // "Lahiri (Chitrapaksha)"
    std::optional<Result> result; // none: not computed
    std::string why;              // why not
    bool chosen = false;          // the one the birth shown uses
};

// The year length (with the start of the antardasa running on `today`, or of the first after
// birth, under each of the five lengths, the chosen one marked), the ayanamsa (with the start of
// the same antardasa under each of `ayanamsas`, the birth's marked; `ayanamsaNote` when there are
// none, saying why) and the depth of the sub-periods. Paragraphs separated by blank lines.
std::string whyOthersDiffer(const Result& result, YearLength chosen, const CivilDate& today,
                            const std::vector<AyanamsaVariant>& ayanamsas = {},
                            const std::string& ayanamsaNote = {});

} // namespace zeitrad
