// The Moon's position for one birth moment, from the civil moment to the reading the dialog
// shows: time scales, the Moon, precession, nutation, rounding and the sidereal reading.
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

} // namespace

BENCHMARK(utcMoment)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(universalTimeMoment)->Repetitions(9)->ReportAggregatesOnly(true);
