// The period list's timeline: one frame painted at every zoom from the whole life to four days,
// five bands deep, as the window paints it in software; a step of the wheel or of dragging with
// its frame, where the tree's model must stay as it is; and the picture zeitrad-dasa writes,
// painted and encoded as PNG.
//
// Goals: a frame at most 8 ms at any zoom; no zoom or pan step resets the list's model.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>

#include <chrono>

#include "engine/calculation.h"
#include "periodlist/periodexport.h"
#include "periodlist/periodmodel.h"
#include "periodlist/periodtimeline.h"
#include "periodlist/periodwindow.h"

namespace {

using namespace zeitrad;
using namespace zeitrad::periodlist;

constexpr CivilDate today{2031, 5, 17};

Result defaultResult() {
    Engine engine;
    return std::get<Result>(engine.calculate({}));
}

// The window's timeline, five bands, as wide as in a window of its default size.
struct Timeline {
    PeriodWindow window{nullptr};
    PeriodTimeline* timeline;
    QImage frame;
    explicit Timeline(double days) {
        window.showResult(defaultResult(), today);
        timeline = window.timeline();
        timeline->setDepth(5);
        timeline->resize(940, timeline->sizeHint().height());
        frame = QImage(timeline->size(), QImage::Format_RGB32);
        const double middle = *timeline->picture().dayOf(today) + 0.5;
        timeline->setSpan({middle - days / 2, middle + days / 2});
    }
    void paint() { timeline->render(&frame); }
};

// One frame at a zoom of range(0) days around the day.
void paintFrame(benchmark::State& state) {
    Timeline t(static_cast<double>(state.range(0)));
    t.paint(); // the levels in view made once, as the first frame after a zoom makes them
    for (auto _ : state)
        t.paint();
}

// Every zoom from the whole life down to four days, a step of 1.25 apart (37 of them), one frame
// each: the time per frame, and the slowest frame as a counter.
void paintEveryZoom(benchmark::State& state) {
    Timeline t(43829);
    std::vector<double> spans;
    for (double days = 43829; days >= 4; days /= 1.25)
        spans.push_back(days);
    const double middle = *t.timeline->picture().dayOf(today) + 0.5;
    double slowest = 0, total = 0;
    for (auto _ : state) {
        for (const double days : spans) {
            t.timeline->setSpan({middle - days / 2, middle + days / 2});
            const auto start = std::chrono::steady_clock::now();
            t.paint();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
            total += took.count();
        }
    }
    state.counters["frame_ms"] =
        total / static_cast<double>(state.iterations() * static_cast<long>(spans.size()));
    state.counters["slowest_ms"] = slowest;
}

// A step of the wheel about a point of the span, alternately in and out, with its frame; and a
// step of dragging by a tenth of the width with its frame, into days not yet painted. Neither may
// make the list's tree anew.
void zoomStep(benchmark::State& state) {
    Timeline t(static_cast<double>(state.range(0)));
    int resets = 0;
    QObject::connect(t.window.model(), &QAbstractItemModel::modelAboutToBeReset,
                     [&resets] { ++resets; });
    const QPointF at(600, 20);
    int notches = 1;
    for (auto _ : state) {
        QWheelEvent wheel(at, at, {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.timeline, &wheel);
        notches = -notches;
        t.paint();
    }
    if (resets > 0)
        state.SkipWithError("a zoom step made the tree anew");
}

void panStep(benchmark::State& state) {
    Timeline t(static_cast<double>(state.range(0)));
    int resets = 0;
    QObject::connect(t.window.model(), &QAbstractItemModel::modelAboutToBeReset,
                     [&resets] { ++resets; });
    double step = t.timeline->span().length() / 10;
    for (auto _ : state) {
        DaySpan s = t.timeline->span();
        if (s.to + step > t.timeline->picture().life().to || s.from + step < 0)
            step = -step;
        t.timeline->setSpan({s.from + step, s.to + step});
        t.paint();
    }
    if (resets > 0)
        state.SkipWithError("a pan step made the tree anew");
}

// zeitrad-dasa's picture of the whole life, five bands, 1200 pixels wide: painted and encoded.
void commandLinePicture(benchmark::State& state) {
    const Result result = defaultResult();
    for (auto _ : state) {
        const PeriodDocument document =
            documentOf(result, buildPeriods(result, YearLength::solar), today, 5);
        TimelinePicture picture;
        picture.setPeriods(document.list, today);
        picture.setDepth(5);
        const QImage image =
            timelineImage(picture, timelineTitle(document, picture), QSize(1200, 0));
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        benchmark::DoNotOptimize(png.size());
    }
}

} // namespace

// The whole life (43,829 days), ten years, one year, a month, four days.
BENCHMARK(paintFrame)
    ->Arg(43829)
    ->Arg(3652)
    ->Arg(365)
    ->Arg(30)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(paintEveryZoom)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(zoomStep)->Arg(43829)->Arg(365)->Arg(4)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(panStep)->Arg(3652)->Arg(365)->Arg(30)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(commandLinePicture)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char* argv[]) {
    // Painted in memory with the raster engine; nothing needs a display.
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
