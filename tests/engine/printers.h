// Readable failure output for the engine's value types.
#pragma once

#include <ostream>

#include "engine/calculation.h"

namespace zeitrad {

inline void PrintTo(const AgeTriple& a, std::ostream* os) {
    *os << "(" << a.years << " J, " << a.months << " M, " << a.days << " T = " << a.totalDays()
        << " days)";
}

inline void PrintTo(const Cell& c, std::ostream* os) {
    *os << "{lord " << c.lord << ", ";
    PrintTo(c.age, os);
    *os << (c.shown ? "}" : " hidden}");
}

inline void PrintTo(const Result& r, std::ostream* os) {
    *os << "nakshatra " << r.nakshatra << " (" << r.nakshatraName << "), lord " << r.birthLord
        << ", born " << r.birthDateText() << (r.onNakshatraStart ? ", on the start" : "")
        << "; in tenths of an arc-second: ayanamsa " << r.ayanamsa << ", longitude "
        << r.moonLongitude << ", arc " << r.arcInNakshatra << "; in 480,000ths: balance "
        << r.balanceYears.numerator << " years, run " << r.mahadasaDaysRun.numerator << " days";
    for (int k = 1; k <= 81; ++k) {
        *os << (k % 9 == 1 ? "\n  " : " ") << k << ":";
        PrintTo(r.cells[k], os);
    }
}

} // namespace zeitrad
