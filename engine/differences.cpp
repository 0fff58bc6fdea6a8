#include "engine/differences.h"

#include <algorithm>

#include "engine/periods.h"
#include "engine/periodtext.h"
#include "engine/yearlengths.h"

namespace zeitrad {

namespace {

// The antardasa running on `today`, or the first one after birth: its mahadasa and its position.
struct AntarPosition {
    int maha = 0, antar = 0;
    bool running = false;
};

AntarPosition antardasaToShow(const PeriodList& list, const CivilDate& today) {
    const std::vector<int> path = runningOn(list, today);
    if (path.size() >= 2) {
        return {path[0], path[1], true};
    }
    return {0, list.mahadasas[0].children.size() > 1 ? 1 : 0, false};
}

// The start of the antardasa of these two lords in the list, if it holds it.
std::optional<CivilDate> startOf(const PeriodList& list, int mahaLord, int antarLord) {
    for (const Period& maha : list.mahadasas) {
        if (maha.lord != mahaLord)
            continue;
        for (const Period& antar : maha.children)
            if (antar.lord == antarLord)
                return antar.startDate;
    }
    return std::nullopt;
}

} // namespace

std::string whyOthersDiffer(const Result& result, YearLength chosen, const CivilDate& today,
                            const std::vector<AyanamsaVariant>& ayanamsas,
                            const std::string& ayanamsaNote) {
    const PeriodList chosenList = buildPeriods(result, chosen, 2);
    const AntarPosition at = antardasaToShow(chosenList, today);
    const Period& maha = chosenList.mahadasas[at.maha];
    const Period& antar = maha.children[at.antar];
    const std::string name = lordName(maha.lord) + "/" + lordName(antar.lord);

    std::string text =
        "Jahreslänge. Die Dasas zählen Jahre zu 360 Tagen; auf dem Kalender rechnet jedes "
        "Programm ein solches Jahr in Tage um, und nicht alle gleich. Hier gewählt: " +
        yearLengthLabel(chosen) + ".";
    if (chosenList.hasDates()) {
        text += std::string(at.running ? " Die am " + germanDate(today) + " laufende"
                                       : " Die erste nach der Geburt beginnende") +
                " Antardasa " + name + " beginnt nach jeder Jahreslänge an einem anderen Tag:\n";
        for (const YearLength length : yearLengths) {
            const PeriodList list = buildPeriods(result, length, 2);
            const Period& same = list.mahadasas[at.maha].children[at.antar];
            text += "  " + yearLengthLabel(length) + ": " +
                    (list.hasDates() ? germanDate(same.startDate) : "kein Kalenderdatum") +
                    (length == chosen ? "  (gewählt)" : "") + "\n";
        }
    } else {
        text += " " + chosenList.noDatesReason + "\n";
    }
    text += "\nAyanamsa. Für einen tropisch eingegebenen Mond zieht dieses Programm die Ayanamsa "
            "nach Lahiri ab: 22° 27′ 38″ im Jahr 1900 und 50,3″ mehr in jedem Jahr. Das liegt "
            "von 1800 bis 2100 höchstens etwa 20″ neben dem astronomischen Lahiri-Wert; andere "
            "Programme nehmen diesen oder eine andere Ayanamsa. 20″ des Mondes verschieben alle "
            "Perioden um höchstens einige Tage, eine andere Ayanamsa um Monate bis Jahre.";
    const auto chosenVariant =
        std::find_if(ayanamsas.begin(), ayanamsas.end(), [](auto& v) { return v.chosen; });
    if (chosenVariant != ayanamsas.end())
        text += " Diese Geburt rechnet mit der Ayanamsa " + chosenVariant->name + ".";
    if (!ayanamsas.empty() && chosenList.hasDates()) {
        text += " Die Antardasa " + name + " beginnt";
        text += at.running ? ":\n" : " (die erste nach der Geburt unter der gewählten):\n";
        for (const AyanamsaVariant& v : ayanamsas) {
            std::string when = v.why;
            if (v.result) {
                const PeriodList list = buildPeriods(*v.result, chosen, 2);
                const std::optional<CivilDate> start =
                    list.hasDates() ? startOf(list, maha.lord, antar.lord) : std::nullopt;
                when = start ? germanDate(*start) : "kein Kalenderdatum";
            }
            text += "  " + v.name + ": " + when + (v.chosen ? "  (gewählt)" : "") + "\n";
        }
    } else {
        text += ayanamsaNote.empty() ? "\n" : " " + ayanamsaNote + "\n";
    }
    text += "\nTiefe. Dieses Programm teilt bis zur fünften Ebene (Mahadasa, Antardasa, "
            "Pratyantardasa, Sukshmadasa, Pranadasa), jede Ebene nach derselben Regel und auf "
            "ganze Tage abgerundet. Programme, die tiefer teilen oder die Grenzen nicht auf "
            "ganze Tage runden, geben für die unteren Ebenen um einen Tag andere Grenzen.";
    return text;
}

} // namespace zeitrad
