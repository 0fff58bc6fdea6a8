#include "birth/events.h"

#include <algorithm>

#include "birth/road.h"
#include "engine/calculation.h"
#include "engine/periodtext.h"

namespace zeitrad::birth {

namespace {

constexpr int daySeconds = 86'400;
constexpr int searchSeconds = 6 * 3'600; // six hours either way
constexpr int stepSeconds = 600;         // the steps before the halving

CivilDate civil(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

QString germanDay(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString quoted(const Event& e) {
    return QStringLiteral("„%1“ (%2)").arg(e.text, germanDay(e.date));
}

bool runsOn(const Period& p, const CivilDate& day) {
    return p.startDate && p.endDate && *p.startDate <= day && day < *p.endDate;
}

// The periods at each event for one birth time tried: the lords of each, or why the moment
// cannot be reckoned.
struct Trial {
    std::vector<std::vector<int>> lords;
    std::optional<Refusal> refused;
};

class Search {
public:
    Search(const Birth& birth, const QList<Event>& events, YearLength yearLength, int level)
        : birth_(birth), yearLength_(yearLength), level_(level) {
        for (const Event& e : events)
            days_.push_back(civil(e.date));
    }

    // The birth at `seconds` after midnight of its day, on its clocks, by the road the window
    // program takes: its moments, the Moon at the earlier, the fields, the calculation, the list.
    Trial at(int seconds) {
        Trial trial;
        Birth b = birth_;
        b.time = QTime(0, 0).addSecs(seconds);
        const Refused<BirthMoments> moments = momentsOf(b);
        if (const auto* r = std::get_if<Refusal>(&moments)) {
            trial.refused = *r;
            return trial;
        }
        ++moons;
        const Refused<BirthMoon> moon = moonAt(b, std::get<BirthMoments>(moments));
        if (const auto* r = std::get_if<Refusal>(&moon)) {
            trial.refused = *r;
            return trial;
        }
        const Outcome outcome = engine_.calculate(std::get<BirthMoon>(moon).reading.fields);
        if (const auto* r = std::get_if<Refusal>(&outcome)) {
            trial.refused = *r;
            return trial;
        }
        const PeriodList list = buildPeriods(std::get<Result>(outcome), yearLength_, level_);
        for (const CivilDate& day : days_)
            trial.lords.push_back(lordsOn(list, day, level_));
        return trial;
    }

    // The edge on one side (`direction` +1 later, -1 earlier) of the birth time `start`, whose
    // trial is `base`.
    WindowEdge edge(int start, const Trial& base, int direction) {
        WindowEdge edge;
        const int bound = direction > 0 ? std::min(daySeconds - 1, start + searchSeconds)
                                        : std::max(0, start - searchSeconds);
        edge.bound = QTime(0, 0).addSecs(bound);
        int good = start;
        std::optional<int> bad;
        Trial beyond;
        while (good != bound) {
            const int next = direction > 0 ? std::min(good + stepSeconds, bound)
                                           : std::max(good - stepSeconds, bound);
            Trial t = at(next);
            if (same(t, base)) {
                good = next;
                continue;
            }
            bad = next;
            beyond = std::move(t);
            break;
        }
        if (!bad)
            return edge;
        while (std::abs(*bad - good) > 1) {
            const int middle = good + (*bad - good) / 2;
            Trial t = at(middle);
            if (same(t, base)) {
                good = middle;
            } else {
                bad = middle;
                beyond = std::move(t);
            }
        }
        edge.time = QTime(0, 0).addSecs(good);
        if (beyond.refused) {
            edge.beyond.append({-1, QString::fromStdString(beyond.refused->message)});
            return edge;
        }
        for (std::size_t i = 0; i < base.lords.size(); ++i)
            if (beyond.lords[i] != base.lords[i])
                edge.beyond.append({int(i), chainText(beyond.lords[i])});
        return edge;
    }

    int moons = 0;

private:
    static bool same(const Trial& t, const Trial& base) {
        return !t.refused && t.lords == base.lords;
    }

    const Birth& birth_;
    YearLength yearLength_;
    int level_;
    std::vector<CivilDate> days_;
    Engine engine_;
};

} // namespace

std::vector<int> lordsOn(const PeriodList& list, const CivilDate& day, int depth) {
    std::vector<int> lords;
    if (!list.hasDates())
        return lords;
    std::vector<Period> made;
    const std::vector<Period>* level = &list.mahadasas;
    for (int l = 1; l <= depth; ++l) {
        const auto it = std::find_if(level->begin(), level->end(),
                                     [&](const Period& p) { return runsOn(p, day); });
        if (it == level->end())
            return {};
        lords.push_back(it->lord);
        if (l == depth)
            break;
        if (!it->children.empty()) {
            level = &it->children;
        } else {
            const Period parent = *it;
            made = subPeriods(list, parent);
            level = &made;
        }
    }
    return lords;
}

QString chainText(const std::vector<int>& lords) {
    QStringList names;
    for (const int lord : lords)
        names << QString::fromStdString(lordName(lord));
    return names.join(QStringLiteral(" / "));
}

QString levelPlural(int level) {
    static const char* const names[] = {"Mahadasas", "Antardasas", "Pratyantardasas",
                                        "Sukshmadasas", "Pranadasas"};
    return QString::fromLatin1(names[std::clamp(level, 1, deepestLevel) - 1]);
}

std::optional<Refusal> checkEvent(const PeriodList& list, const Event& event) {
    if (!event.date.isValid())
        return Refusal{"Das Ereignis braucht ein gültiges Datum."};
    if (!list.hasDates() || !list.birthDate)
        return Refusal{list.noDatesReason};
    const CivilDate day = civil(event.date);
    const CivilDate& born = *list.birthDate;
    if (day < born)
        return Refusal{("Das Ereignis " + quoted(event) + " liegt vor der Geburt am " +
                        germanDay(QDate(born.year, born.month, born.day)) + ".")
                           .toStdString()};
    const CivilDate end = *list.mahadasas.back().endDate;
    if (!(day < end))
        return Refusal{("Das Ereignis " + quoted(event) +
                        " liegt nach dem 120-jährigen Zyklus der Perioden, der am " +
                        germanDay(QDate(end.year, end.month, end.day)) + " endet.")
                           .toStdString()};
    return std::nullopt;
}

Refused<BirthTimeWindow> birthTimeWindow(const Birth& birth, const QList<Event>& events,
                                         YearLength yearLength, int level) {
    if (!birth.time)
        return Refusal{"Die Geburtszeit ist nicht bekannt: ohne sie gibt es keinen "
                       "Geburtszeit-Spielraum."};
    if (events.isEmpty())
        return Refusal{"Ohne Ereignisse gibt es keinen Geburtszeit-Spielraum."};
    level = std::clamp(level, 2, 3);
    Search search(birth, events, yearLength, level);
    // The events are checked against the periods of the birth time itself.
    {
        const Refused<BirthMoon> moon = moonOf(birth);
        if (const auto* r = std::get_if<Refusal>(&moon))
            return *r;
        Engine engine;
        const Outcome outcome = engine.calculate(std::get<BirthMoon>(moon).reading.fields);
        if (const auto* r = std::get_if<Refusal>(&outcome))
            return *r;
        const PeriodList list = buildPeriods(std::get<Result>(outcome), yearLength, 1);
        for (const Event& e : events)
            if (auto refusal = checkEvent(list, e))
                return *refusal;
    }
    const int start = birth.time->msecsSinceStartOfDay() / 1000;
    const Trial base = search.at(start);
    if (base.refused)
        return *base.refused;
    BirthTimeWindow window;
    window.level = level;
    window.events = events;
    window.at = base.lords;
    window.from = search.edge(start, base, -1);
    window.to = search.edge(start, base, +1);
    window.moons = search.moons + 1;
    return window;
}

QString windowText(const BirthTimeWindow& w) {
    const auto clock = [](const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); };
    const QString from = w.from.time ? clock(*w.from.time) : clock(w.from.bound) + " oder früher";
    const QString to = w.to.time ? clock(*w.to.time) : clock(w.to.bound) + " oder später";
    const QString which = w.events.size() == 1
                              ? QStringLiteral("das Ereignis")
                              : QStringLiteral("alle %1 Ereignisse").arg(w.events.size());
    return QStringLiteral("Geburtszeit-Spielraum: %1 – %2 (%3 in denselben %4)")
        .arg(from, to, which, levelPlural(w.level));
}

QStringList limitLines(const BirthTimeWindow& w) {
    QStringList lines;
    const auto side = [&](const WindowEdge& edge, const QString& word) {
        if (!edge.time) {
            lines << QStringLiteral(
                         "%1: bis %2 gesucht, alle Ereignisse blieben in ihren Perioden.")
                         .arg(word, edge.bound.toString(QStringLiteral("HH:mm:ss")));
            return;
        }
        const QString at = edge.time->toString(QStringLiteral("HH:mm:ss"));
        for (const WindowEdge::Limit& l : edge.beyond) {
            if (l.event < 0)
                lines << QStringLiteral("%1 als %2: %3").arg(word, at, l.period);
            else if (l.period.isEmpty())
                lines << QStringLiteral("%1 als %2 läge %3 nach dem 120-jährigen Zyklus.")
                             .arg(word, at, quoted(w.events[l.event]));
            else
                lines << QStringLiteral("%1 als %2 fiele %3 in %4.")
                             .arg(word, at, quoted(w.events[l.event]), l.period);
        }
    };
    side(w.from, QStringLiteral("Früher"));
    side(w.to, QStringLiteral("Später"));
    return lines;
}

} // namespace zeitrad::birth
