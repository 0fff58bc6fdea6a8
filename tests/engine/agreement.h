// Holds an engine result against the second computation of reference.h.
#pragma once

#include <string>

#include "engine/calculation.h"
#include "reference.h"

// Describes the first difference between the two, or gives an empty text when they agree on the
// nakshatra, the birth lord, the nakshatra-start case and every cell's lord, visibility and age.
inline std::string disagreement(const zeitrad::Result& r, const reference::Expected& e) {
    if (r.nakshatra != e.nakshatra) {
        return "nakshatra " + std::to_string(r.nakshatra) + ", expected " +
               std::to_string(e.nakshatra);
    }
    if (r.birthLord != e.lord) {
        return "birth lord " + std::to_string(r.birthLord) + ", expected " + std::to_string(e.lord);
    }
    if (r.onNakshatraStart != e.onStart) {
        return "nakshatra start " + std::to_string(r.onNakshatraStart);
    }
    for (int k = 1; k <= 81; ++k) {
        const zeitrad::Cell& c = r.cells[k];
        const std::string cell = "cell " + std::to_string(k) + ": ";
        if (c.lord != e.lords[k]) {
            return cell + "lord " + std::to_string(c.lord) + ", expected " +
                   std::to_string(e.lords[k]);
        }
        if (c.shown != e.shown[k]) {
            return cell + (c.shown ? "shown, expected hidden" : "hidden, expected shown");
        }
        if (k == 1 || !c.shown) {
            continue;
        }
        const auto [y, m, d] = reference::ymd(e.days[k]);
        if (c.age.years != y || c.age.months != m || c.age.days != d) {
            return cell + std::to_string(c.age.years) + " J " + std::to_string(c.age.months) +
                   " M " + std::to_string(c.age.days) + " T, expected " + std::to_string(y) +
                   " J " + std::to_string(m) + " M " + std::to_string(d) + " T (" +
                   std::to_string(e.days[k]) + " days)";
        }
    }
    return {};
}
