// The Moon's position for one birth moment, from the civil moment to the reading the dialog
// shows: time scales, the ephemeris, rounding and the sidereal reading.
#include <benchmark/benchmark.h>

#include "astronomy/moon.h"

namespace {

void runPosition(benchmark::State& state, const zeitrad::astronomy::Moment& moment, int civilYear) {
    for (auto _ : state) {
        auto outcome = zeitrad::astronomy::position(moment, civilYear);
        benchmark::DoNotOptimize(outcome);
    }
}

// A moment in UTC: through ERFA's leap second table.
void utcMoment(benchmark::State& state) {
    runPosition(state, {1969, 8, 17, 13 * 3600 + 37 * 60 + 52.5}, 1969);
}

// A moment in mean solar time before 1960: through Delta T.
void universalTimeMoment(benchmark::State& state) {
    runPosition(state, {1887, 3, 4, 21600 - 3218.4}, 1887);
}

// A new moment each time (the ephemeris keeps the last answer for the same instant), under
// Zeitrad's own ayanamsa and under Lahiri's.
void changingMoments(benchmark::State& state) {
    double seconds = 0;
    const auto ayanamsa = static_cast<zeitrad::astronomy::Ayanamsa>(state.range(0));
    for (auto _ : state) {
        seconds += 61.7;
        auto outcome = zeitrad::astronomy::position({1985, 5, 12, seconds}, 1985, ayanamsa);
        benchmark::DoNotOptimize(outcome);
    }
}

} // namespace

BENCHMARK(changingMoments)->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(utcMoment)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(universalTimeMoment)->Repetitions(9)->ReportAggregatesOnly(true);
