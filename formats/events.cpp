#include "formats/events.h"

#include <algorithm>

#include "engine/periodtext.h"
#include "formats/csv.h"
#include "formats/json.h"

namespace zeitrad::formats {

namespace {

constexpr const char* levelNames[] = {"Mahadasa", "Antardasa", "Pratyantardasa", "Sukshmadasa",
                                      "Pranadasa"};

std::vector<int> lordsOf(const PeriodList& list, const birth::Event& e, int depth) {
    return birth::lordsOn(list, {e.date.year(), e.date.month(), e.date.day()}, depth);
}

} // namespace

std::string eventsCsv(const QList<birth::Event>& events, const PeriodList& list, int depth) {
    depth = std::clamp(depth, 1, deepestLevel);
    std::vector<std::string> header{"Datum", "Zeit", "Ereignis", "Gewicht"};
    for (int l = 0; l < depth; ++l)
        header.emplace_back(levelNames[l]);
    std::string out = csvRow(header);
    for (const birth::Event& e : events) {
        std::vector<std::string> row{e.date.toString("dd.MM.yyyy").toStdString(),
                                     e.time ? birth::timeText(e.time, true).toStdString() : "",
                                     e.text.toStdString(),
                                     birth::weightText(e.important).toStdString()};
        const std::vector<int> lords = lordsOf(list, e, depth);
        for (int l = 0; l < depth; ++l)
            row.push_back(std::size_t(l) < lords.size() ? lordName(lords[std::size_t(l)]) : "");
        out += csvRow(row);
    }
    return out;
}

std::string eventsJson(const QList<birth::Event>& events, const PeriodList& list, int depth) {
    std::string out = "[";
    for (qsizetype i = 0; i < events.size(); ++i) {
        const birth::Event& e = events[i];
        out += i == 0 ? "\n  " : ",\n  ";
        out +=
            "{\"date\": " + jsonString(e.date.toString(Qt::ISODate).toStdString()) +
            ", \"time\": " + (e.time ? jsonString(birth::timeText(e.time).toStdString()) : "null") +
            ", \"text\": " + jsonString(e.text.toStdString()) +
            ", \"weight\": " + jsonString(birth::weightText(e.important).toStdString()) +
            ", \"periods\": [";
        const std::vector<int> lords = lordsOf(list, e, depth);
        for (std::size_t l = 0; l < lords.size(); ++l)
            out += (l ? ", " : "") + jsonString(lordName(lords[l]));
        out += "]}";
    }
    out += events.isEmpty() ? "]\n" : "\n]\n";
    return out;
}

std::string windowJson(const birth::BirthTimeWindow& w) {
    const auto edge = [](const birth::WindowEdge& e) {
        return e.time ? jsonString(e.time->toString("HH:mm:ss").toStdString())
                      : std::string("null");
    };
    std::string out = "{\"from\": " + edge(w.from) + ", \"to\": " + edge(w.to) +
                      ", \"level\": " + std::to_string(w.level) + ", \"limits\": [";
    bool first = true;
    const auto limits = [&](const birth::WindowEdge& e, const char* side) {
        for (const birth::WindowEdge::Limit& l : e.beyond) {
            out += first ? "" : ", ";
            first = false;
            out += "{\"event\": " +
                   (l.event < 0 ? std::string("null")
                                : jsonString(w.events[l.event].text.toStdString())) +
                   ", \"side\": " + jsonString(side) + ", \"period\": " +
                   (l.period.isEmpty() && l.event >= 0 ? std::string("null")
                                                       : jsonString(l.period.toStdString())) +
                   "}";
        }
    };
    limits(w.from, "from");
    limits(w.to, "to");
    out += "]}\n";
    return out;
}

} // namespace zeitrad::formats
