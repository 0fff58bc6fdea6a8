// "Antardasacolor" as a user presses it on the overview: the calculation from the input fields
// and the fill of all 81 cells, the nakshatra label and the row bars, without painting.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <cmath>
#include <memory>

#include <QTemporaryDir>
#include <QTimeZone>

#include "app/zeitrad.h"
#include "astronomy/moon.h"
#include "mooncalculator/moondialog.h"
#include "periodlist/periodexport.h"
#include "periodlist/periodmodel.h"
#include "periodlist/periodwindow.h"

namespace {

struct Fields {
    const char* texts[6]; // Edit1 .. Edit6: degrees, minutes, seconds, day, month, year
    int sign;
    bool tropical;
};

// The default birth (row 1 ends after four cells) and a tropical one whose row 1 is full, so
// that every press rewrites the texts, colours and visibility of the grid.
constexpr Fields births[2] = {
    {{"", "", "", "", "", ""}, 1, false},
    {{"14", "37", "52", "17", "8", "1969"}, 9, true},
};

void enter(TZeitrad& window, const Fields& fields) {
    for (int n = 1; n <= 6; ++n)
        window.findChild<QLineEdit*>(QString("Edit%1").arg(n))->setText(fields.texts[n - 1]);
    window.findChild<QAbstractButton*>(QString("RadioButton%1").arg(fields.sign))->setChecked(true);
    window.findChild<QCheckBox*>("CheckBox1")->setChecked(fields.tropical);
}

void pressAntardasacolor(benchmark::State& state, bool alternate) {
    TZeitrad window;
    window.show();
    window.ensureScreens();
    window.findChild<QPushButton*>("Button4")->click();
    QApplication::processEvents();
    auto* button = window.findChild<QPushButton*>("Button1");
    enter(window, births[1]);
    int next = 0;
    for (auto _ : state) {
        if (alternate) {
            state.PauseTiming();
            enter(window, births[next]);
            next ^= 1;
            state.ResumeTiming();
        }
        button->click();
    }
}

void alternatingBirths(benchmark::State& state) {
    pressAntardasacolor(state, true);
}

void sameBirthAgain(benchmark::State& state) {
    pressAntardasacolor(state, false);
}

// The Moon calculator's step for one birth: a local time in a zone turned into its moment, and
// the Moon's position at that moment.
void zoneAndMoonPosition(benchmark::State& state) {
    const QTimeZone berlin("Europe/Berlin");
    const QDate date(1947, 6, 1);
    const QTime time(12, 0);
    for (auto _ : state) {
        const auto moments = zeitrad::birth::zoneMoments(date, time, berlin);
        const double ms = static_cast<double>(moments.front().utcMSecs);
        const double days = std::floor(ms / 86'400'000.0);
        const QDate utc = QDate(1970, 1, 1).addDays(static_cast<qint64>(days));
        benchmark::DoNotOptimize(zeitrad::astronomy::position(
            {utc.year(), utc.month(), utc.day(), (ms - days * 86'400'000.0) / 1000}, 1947));
    }
}

// "Mond aus Geburtszeit …" pressed: the dialog made (the first time only, on the first press) and
// shown with its first result.
void moonDialogOpens(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TZeitrad>();
        window->show();
        window->ensureScreens();
        window->findChild<QPushButton*>("Button4")->click();
        window->findChild<QPushButton*>("Button13")->click();
        QApplication::processEvents();
        state.ResumeTiming();
        window->findChild<QPushButton*>("Button23")->click();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

zeitrad::Result defaultResult() {
    zeitrad::Engine engine;
    return std::get<zeitrad::Result>(engine.calculate({}));
}

// The period model filled with the default birth's whole tree (9 + 39 + 351 rows) and the days
// running on a fixed day found.
void periodModelBuild(benchmark::State& state) {
    const zeitrad::Result result = defaultResult();
    zeitrad::periodlist::PeriodModel model;
    for (auto _ : state)
        model.setPeriods(zeitrad::buildPeriods(result, zeitrad::YearLength::solar), {2031, 5, 17});
}

// "Liste" pressed the first time: the window made, filled, its running rows expanded and
// selected, and shown.
void periodWindowOpens(benchmark::State& state) {
    const zeitrad::Result result = defaultResult();
    for (auto _ : state) {
        auto* window = new zeitrad::periodlist::PeriodWindow(nullptr);
        window->showResult(result, {2031, 5, 17});
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}

// A click on the arrow of a pratyantardasa (range 3) or of a sukshmadasa (range 4) that has not
// been opened yet: its nine children made and laid out in the tree. The periods below the birth
// mahadasa's second antardasa do not run on the day the window is opened for.
void periodNodeExpands(benchmark::State& state) {
    const zeitrad::Result result = defaultResult();
    const int level = static_cast<int>(state.range(0));
    const std::vector<int> path = {0, 1, 1, 0};
    zeitrad::periodlist::PeriodWindow window(nullptr);
    window.show();
    auto* tree = window.findChild<QTreeView*>("PeriodTree");
    for (auto _ : state) {
        state.PauseTiming();
        window.showResult(result, {2031, 5, 17});
        QModelIndex node;
        for (int depth = 1; depth <= level; ++depth) {
            node = window.model()->indexOfPath({path.begin(), path.begin() + depth});
            if (depth < level)
                tree->expand(node);
        }
        QApplication::processEvents();
        state.ResumeTiming();
        tree->expand(node);
        QApplication::processEvents();
        if (window.model()->rowCount(node) < 8)
            state.SkipWithError("the node did not open");
    }
}

// "PDF …": the document laid out and written to an A4 PDF through a QSaveFile.
void periodPdfExport(benchmark::State& state) {
    zeitrad::periodlist::PeriodWindow window(nullptr);
    window.showResult(defaultResult(), {2031, 5, 17});
    const zeitrad::periodlist::PeriodDocument document = window.document();
    QTemporaryDir folder;
    const QString path = folder.filePath("perioden.pdf");
    for (auto _ : state)
        if (std::holds_alternative<zeitrad::Refusal>(zeitrad::periodlist::savePdf(path, document)))
            state.SkipWithError("the PDF was not written");
}

} // namespace

BENCHMARK(periodModelBuild)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(periodWindowOpens)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);
BENCHMARK(periodNodeExpands)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(50)
    ->Repetitions(5);
BENCHMARK(periodPdfExport)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(zoneAndMoonPosition)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(moonDialogOpens)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);
BENCHMARK(alternatingBirths)->Unit(benchmark::kMicrosecond)->Repetitions(15);
BENCHMARK(sameBirthAgain)->Unit(benchmark::kMicrosecond)->Repetitions(15);

int main(int argc, char* argv[]) {
    // The window is built and pressed in memory; nothing needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
