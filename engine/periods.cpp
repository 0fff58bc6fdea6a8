#include "engine/periods.h"

#include <algorithm>
#include <cstdint>

#include "engine/tables.h"

namespace zeitrad {

namespace {

constexpr int cycleYears = 120;
constexpr int cellsPerRow = 9;

int days(const Result& r, int cell) {
    return r.cells[cell].age.totalDays();
}

Period makePeriod(PeriodLevel level, int lord, int trueStart, int end, int cell) {
    Period p;
    p.lord = lord;
    p.level = level;
    p.trueStart = trueStart;
    p.start = std::max(trueStart, 0);
    p.end = end;
    p.atBirth = p.start == 0;
    p.startAge = AgeTriple::fromDays(p.start);
    p.cell = cell;
    return p;
}

// The nine periods of the next level within a period, lords from its own in dasa order. Each
// begins after the share of the parent that the years of the lords before it make of 120 years,
// in whole days (rounded down) from the parent's true start. Those that have ended by birth are
// left out.
std::vector<Period> childrenOf(const Period& parent) {
    const auto level = static_cast<PeriodLevel>(static_cast<int>(parent.level) + 1);
    const int s = parent.trueStart;
    const std::int64_t length = parent.end - s;
    std::vector<Period> children;
    children.reserve(planetCount);
    int lord = parent.lord;
    int yearsBefore = 0;
    int begin = s;
    for (int j = 0; j < planetCount; ++j) {
        yearsBefore += dasaYears[lord];
        const int next = s + static_cast<int>(length * yearsBefore / cycleYears);
        if (next > 0) {
            children.push_back(makePeriod(level, lord, begin, next, 0));
        }
        begin = next;
        lord = advanceWithWrap(lord);
    }
    return children;
}

// Fills the levels below `p` down to level `depth`.
void addLevels(Period& p, int depth) {
    if (levelNumber(p.level) >= depth) {
        return;
    }
    if (p.children.empty()) {
        p.children = childrenOf(p);
    }
    for (Period& child : p.children) {
        addLevels(child, depth);
    }
}

// Mahadasa 1: from birth to the start of mahadasa 2. Its antardasas are those of row 1: the one
// running at birth (cell 2, which holds the days of it already run) and the shown cells after it;
// the last one ends with the mahadasa.
Period birthMahadasa(const Result& r) {
    const int end = days(r, 10);
    const int daysRun = static_cast<int>(r.mahadasaDaysRun.whole());
    Period maha = makePeriod(PeriodLevel::mahadasa, r.birthLord, -daysRun, end, 1);

    int last = 2;
    while (last < cellsPerRow && r.cells[last + 1].shown) {
        ++last;
    }
    maha.children.reserve(cellsPerRow);
    for (int k = 2; k <= last; ++k) {
        const int trueStart = k == 2 ? -days(r, 2) : days(r, k);
        const int antarEnd = k == last ? end : days(r, k + 1);
        maha.children.push_back(
            makePeriod(PeriodLevel::antardasa, r.cells[k].lord, trueStart, antarEnd, k));
    }
    // Born in the mahadasa's own antardasa, the row ends one antardasa short: the ninth, whose
    // lord comes before the birth lord again, has no cell. It follows the eighth by that one's
    // length and ends with the mahadasa.
    const int lastLord = r.cells[last].lord;
    if (advanceWithWrap(lastLord) != r.birthLord) {
        Period& eighth = maha.children.back();
        eighth.end = eighth.trueStart + antarDays[r.birthLord][lastLord];
        maha.children.push_back(
            makePeriod(PeriodLevel::antardasa, advanceWithWrap(lastLord), eighth.end, end, 0));
    }
    return maha;
}

// Mahadasa r >= 2: from its row's first cell to the next row's; its nine antardasas at the row's
// cells. The cycle ends one full last antardasa after cell 81.
Period followingMahadasa(const Result& r, int row) {
    const int first = cellsPerRow * (row - 1) + 1;
    const int lastCell = first + cellsPerRow - 1;
    const int lord = r.cells[first].lord;
    const int end = row < cellsPerRow ? days(r, lastCell + 1)
                                      : days(r, lastCell) + antarDays[lord][r.cells[lastCell].lord];
    Period maha = makePeriod(PeriodLevel::mahadasa, lord, days(r, first), end, first);
    maha.children.reserve(cellsPerRow);
    for (int k = first; k <= lastCell; ++k) {
        const int antarEnd = k < lastCell ? days(r, k + 1) : end;
        maha.children.push_back(
            makePeriod(PeriodLevel::antardasa, r.cells[k].lord, days(r, k), antarEnd, k));
    }
    return maha;
}

std::string noDateMessage(const Result& r) {
    return "Das Geburtsdatum " + r.birthDateText() +
           " gibt es nicht; ohne gültiges Datum keine Kalenderdaten.";
}

std::string outOfRangeMessage() {
    return "Die Perioden reichen über das Jahr 9999 hinaus; Kalenderdaten gibt es nur für die "
           "Jahre 1 bis 9999.";
}

void setDates(Period& p, std::int64_t birth, YearLength length) {
    p.startDate = civilFromDays(birth + calendarDaysOfAge(p.start, length));
    p.endDate = civilFromDays(birth + calendarDaysOfAge(p.end, length));
    for (Period& child : p.children) {
        setDates(child, birth, length);
    }
}

// Whether `today` lies in [start date, end date) of the period.
bool runsOn(const Period& p, const CivilDate& today) {
    return p.startDate && p.endDate && *p.startDate <= today && today < *p.endDate;
}

} // namespace

PeriodList buildPeriods(const Result& result, YearLength yearLength, int depth) {
    depth = std::clamp(depth, 1, deepestLevel);
    PeriodList list;
    list.yearLength = yearLength;
    list.mahadasas.reserve(cellsPerRow);
    list.mahadasas.push_back(birthMahadasa(result));
    for (int row = 2; row <= cellsPerRow; ++row) {
        list.mahadasas.push_back(followingMahadasa(result, row));
    }
    for (Period& maha : list.mahadasas) {
        if (depth == 1) {
            maha.children.clear();
        }
        addLevels(maha, depth);
    }

    const CivilDate birth{result.birthYear, result.birthMonth, result.birthDay};
    if (!isValid(birth)) {
        list.noDatesReason = noDateMessage(result);
        return list;
    }
    list.birthDate = birth;
    // Every date lies on or after the birth date; the last one is the end of the cycle.
    const std::int64_t birthDays = daysFromCivil(birth);
    const std::int64_t lastDays =
        birthDays + calendarDaysOfAge(list.mahadasas.back().end, yearLength);
    if (lastDays > daysFromCivil({lastYear, 12, 31})) {
        list.noDatesReason = outOfRangeMessage();
        return list;
    }
    for (Period& maha : list.mahadasas) {
        setDates(maha, birthDays, yearLength);
    }
    return list;
}

std::vector<Period> subPeriods(const PeriodList& list, const Period& parent) {
    if (levelNumber(parent.level) >= deepestLevel) {
        return {};
    }
    std::vector<Period> children = childrenOf(parent);
    if (list.hasDates() && list.birthDate) {
        const std::int64_t birthDays = daysFromCivil(*list.birthDate);
        for (Period& child : children) {
            setDates(child, birthDays, list.yearLength);
        }
    }
    return children;
}

std::vector<int> runningOn(const PeriodList& list, const CivilDate& today) {
    std::vector<int> path;
    // The children of a period tile it, so the running period of a level lies in the running one
    // above it.
    for (const std::vector<Period>* level = &list.mahadasas; !level->empty();) {
        const auto it = std::find_if(level->begin(), level->end(),
                                     [&](const Period& p) { return runsOn(p, today); });
        if (it == level->end()) {
            break;
        }
        path.push_back(static_cast<int>(it - level->begin()));
        level = &it->children;
    }
    return path;
}

bool isRunning(const std::vector<int>& running, const std::vector<int>& path) {
    return path.size() <= running.size() && std::equal(path.begin(), path.end(), running.begin());
}

CivilDate dateAtAge(const CivilDate& birth, int ageDays, YearLength yearLength) {
    return civilFromDays(daysFromCivil(birth) + calendarDaysOfAge(ageDays, yearLength));
}

} // namespace zeitrad
