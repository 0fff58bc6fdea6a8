// The budgets of a life's events: the birth-time window of a birth with 10 events (≤ 200 ms, the
// Moon worked out at most a few hundred times), and the events window opened on 200 events
// (≤ 50 ms). The counter "moons" is how many birth times the window tried, each one Moon by the
// birth's road (which works out two more for its ten-minute warning: "positions").
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

#include "birth/events.h"
#include "registerwindow/eventswindow.h"
#include "sqlregister/sqlregister.h"

namespace {

using namespace zeitrad::birth;

Birth frankfurt() {
    Birth b;
    b.surname = QStringLiteral("Beispiel");
    b.date = QDate(1985, 5, 12);
    b.time = QTime(13, 27);
    b.clocks = Clocks::zone(QStringLiteral("Europe/Berlin"));
    b.latitude = 50.11;
    b.longitude = 8.68;
    b.place = QStringLiteral("Frankfurt am Main");
    return b;
}

// `count` events from the birth's 5th year on, every 2.3 years or as many as fit in 95 years.
QList<Event> eventsOf(const Birth& b, int count) {
    QList<Event> events;
    const int step = std::max(1, 95 * 365 / count);
    for (int i = 0; i < count; ++i) {
        Event e;
        e.birthId = b.id;
        e.date = b.date.addDays(5 * 365 + i * step);
        e.text = QStringLiteral("Ereignis %1").arg(i + 1);
        e.important = i % 3 == 0;
        events.append(e);
    }
    return events;
}

void windowOfTenEvents(benchmark::State& state) {
    const Birth b = frankfurt();
    const QList<Event> events = eventsOf(b, 10);
    int moons = 0;
    for (auto _ : state) {
        const auto w =
            birthTimeWindow(b, events, zeitrad::YearLength::gregorian, int(state.range(0)));
        if (const auto* r = std::get_if<zeitrad::Refusal>(&w)) {
            state.SkipWithError(r->message.c_str());
            return;
        }
        moons = std::get<BirthTimeWindow>(w).moons;
    }
    state.counters["moons"] = moons;
    state.counters["positions"] = 3 * moons;
}

void openEventsWindowOn200(benchmark::State& state) {
    QTemporaryDir dir;
    zeitrad::sqlregister::SqlRegister reg;
    reg.open(dir.filePath(QStringLiteral("bench.sqlite")));
    Birth b = frankfurt();
    b.id = std::get<qint64>(reg.add(b));
    for (const Event& e : eventsOf(b, 200))
        reg.addEvent(e);
    for (auto _ : state) {
        zeitrad::registerwindow::EventsWindow window(&reg, b, zeitrad::YearLength::gregorian);
        window.show();
        QApplication::processEvents();
        if (window.findChild<QTableWidget*>()->rowCount() != 200)
            state.SkipWithError("not all events shown");
    }
}

} // namespace

BENCHMARK(windowOfTenEvents)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(openEventsWindowOn200)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
