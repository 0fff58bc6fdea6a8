// The period list of one calculation: the nine mahadasas from birth, their antardasas and the
// pratyantardasas of every antardasa, each with the age at which it begins and, where the birth
// date allows, its calendar dates; and the periods running on a given day.
//
// This is the one place that turns a Result into periods. The period window's model and the
// command-line program both read it:
//
//     const PeriodList list = buildPeriods(result, YearLength::solar);
//     for (const Period& maha : list.mahadasas) { ... maha.children ... }
//     const std::vector<int> running = runningOn(list, today);
//
// All boundaries are whole days since birth on the 360-day calendar; nothing is rounded except
// where a rule says floor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/calendar.h"
#include "engine/civildate.h"

namespace zeitrad {

enum class PeriodLevel { mahadasa, antardasa, pratyantardasa, sukshmadasa, pranadasa };

// The deepest level, and the levels as numbers 1 (mahadasa) .. 5 (pranadasa).
constexpr int deepestLevel = 5;
constexpr int levelNumber(PeriodLevel level) {
    return static_cast<int>(level) + 1;
}

struct Period {
    int lord = 0; // planet index 1..9
    PeriodLevel level = PeriodLevel::mahadasa;

    // Days since birth. `start` is where the list shows the period beginning: a period already
    // running at birth is shown from birth (0). `trueStart` is where it really began, before
    // birth for the birth mahadasa, the antardasa and the pratyantardasa running at birth.
    // `end` is where the next period of the same level begins (for the last antardasa of a
    // mahadasa: the next mahadasa; for mahadasa 9: the end of the 120-year cycle).
    int start = 0;
    int trueStart = 0;
    int end = 0;

    // Listed as beginning at birth (start is 0): shown as "Geburt" instead of an age.
    bool atBirth = false;

    // The age at `start` in the normal form of the overview.
    AgeTriple startAge;

    // The overview cell 1..81 that stands for this period, 0 for none. The birth cell stands for
    // the birth mahadasa, cell 2 for the antardasa running at birth, the first cell of a row for
    // its mahadasa (and its first antardasa, which begins with it: the antardasa has the cell
    // too), every other shown cell for its antardasa. Pratyantardasas have none.
    int cell = 0;

    // The calendar days on which `start` and `end` fall; only when the list has dates.
    std::optional<CivilDate> startDate, endDate;

    // The periods of the next level within this one, as far as the list was built: antardasas of
    // a mahadasa, pratyantardasas of an antardasa, and so on.
    std::vector<Period> children;
};

struct PeriodList {
    // Nine, in dasa order from the birth mahadasa. The birth mahadasa lists its antardasas from
    // the one running at birth through its last one, the others their nine. Each antardasa lists
    // its nine pratyantardasas, the one running at birth only those not yet ended at birth (a
    // period ending exactly at birth has ended). Within every period the children follow one
    // another without gap from its start to its end.
    std::vector<Period> mahadasas;

    YearLength yearLength = YearLength::solar;

    // The birth date as converted, when it is a valid date.
    std::optional<CivilDate> birthDate;

    // Why the periods have no calendar dates, as a German sentence to show; empty when they have.
    std::string noDatesReason;

    bool hasDates() const { return noDatesReason.empty(); }
};

// Every period of a calculation's result down to `depth` levels (1 .. 5; three by default, the
// levels below are made on demand with subPeriods). Dates are given when the birth date is a valid
// date and every date lies in the years 1 to 9999; otherwise no period has dates and
// `noDatesReason` says why.
PeriodList buildPeriods(const Result& result, YearLength yearLength, int depth = 3);

// The periods one level below `parent` (a period of the list, above the pranadasas), made by the
// rule of the pratyantardasas applied again: within [S, T) the child of lord j, children in dasa
// order from the parent's lord, begins at S + floor((T - S) x C_j / 120), where C_j is the sum of
// the years of the lords before j; the last ends at T. Children ended by birth (S counted from the
// parent's true start) are left out, the one running at birth is listed from birth. With dates
// when the list has them.
std::vector<Period> subPeriods(const PeriodList& list, const Period& parent);

// The periods running on `today` (a valid date): at each level the listed period whose start
// date <= today < end date, as positions from the top: [0] in `mahadasas`, [1] among that
// mahadasa's children, [2] among that antardasa's children, and so on as deep as the list was
// built. Shorter when a level has no running period (before birth or from the end of the cycle on:
// empty); empty when the list has no dates.
std::vector<int> runningOn(const PeriodList& list, const CivilDate& today);

// Whether the period at `path` (positions from the top, as runningOn gives them) is one of the
// `running` ones: its path is where the running ones begin.
bool isRunning(const std::vector<int>& running, const std::vector<int>& path);

// The day on which an age of `ageDays` (>= 0) days falls for a birth on the valid date `birth`.
// The result may lie outside the years 1 to 9999.
CivilDate dateAtAge(const CivilDate& birth, int ageDays, YearLength yearLength);

} // namespace zeitrad
