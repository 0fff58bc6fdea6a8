// "Warum weichen andere Programme ab?": the reasons why another program's dates for the same birth
// differ, as a short German text for the birth shown.
#pragma once

#include <string>

#include "engine/calculation.h"
#include "engine/civildate.h"

namespace zeitrad {

// The year length (with the start of the antardasa running on `today`, or of the first after
// birth, under each of the five lengths, the chosen one marked), the ayanamsa and the depth of
// the sub-periods. Paragraphs separated by blank lines.
std::string whyOthersDiffer(const Result& result, YearLength chosen, const CivilDate& today);

} // namespace zeitrad
