// The whole period list of one birth: nine mahadasas, their antardasas and every antardasa's
// pratyantardasas with their calendar dates (and all five levels), and the search for the periods
// running on a day.
#include <benchmark/benchmark.h>

#include <variant>

#include "engine/calculation.h"
#include "engine/periods.h"

namespace {

using namespace zeitrad;

Result calculated(const BirthInput& input) {
    Engine engine;
    return std::get<Result>(engine.calculate(input));
}

void buildList(benchmark::State& state, const BirthInput& input, YearLength length, int depth = 3) {
    const Result result = calculated(input);
    for (auto _ : state) {
        PeriodList list = buildPeriods(result, length, depth);
        benchmark::DoNotOptimize(list);
        benchmark::ClobberMemory();
    }
}

// All fields empty: 23.12.2012, Moon at 23°01′01″ Widder; row 1 holds three antardasas.
void defaultBirth(benchmark::State& state) {
    buildList(state, BirthInput{}, YearLength::solar);
}

// Born in the first antardasa of the birth mahadasa: row 1 holds eight, the most there are.
void longestRowOne(benchmark::State& state) {
    buildList(state, BirthInput{"17", "8", "1969", "0", "30", "0", 1, false}, YearLength::days360);
}

// All five levels of a life, about 60,000 periods with their dates (budget: 5 ms).
void fiveLevels(benchmark::State& state) {
    buildList(state, BirthInput{}, YearLength::sidereal, 5);
}

void runningToday(benchmark::State& state) {
    const PeriodList list = buildPeriods(calculated(BirthInput{}), YearLength::solar);
    for (auto _ : state) {
        benchmark::DoNotOptimize(runningOn(list, {2118, 6, 12}));
    }
}

} // namespace

BENCHMARK(defaultBirth);
BENCHMARK(longestRowOne);
BENCHMARK(fiveLevels)->Unit(benchmark::kMillisecond);
BENCHMARK(runningToday);
