// One whole calculation, from the texts of the six input fields to the 81 overview cells.
#include <benchmark/benchmark.h>

#include "engine/calculation.h"

namespace {

using zeitrad::BirthInput;
using zeitrad::Engine;

void runCalculation(benchmark::State& state, const BirthInput& input) {
    Engine engine;
    for (auto _ : state) {
        zeitrad::Outcome outcome = engine.calculate(input);
        benchmark::DoNotOptimize(outcome);
        benchmark::ClobberMemory();
    }
}

// All fields empty: 23.12.2012, Moon at 23°01′01″ Widder, sidereal.
void defaultInput(benchmark::State& state) {
    runCalculation(state, BirthInput{});
}

// A full tropical input: every field converted, the ayanamsa corrected for the birth year.
void tropicalInput(benchmark::State& state) {
    BirthInput input{"17", "8", "1969", "14", "37", "52", 9, true};
    runCalculation(state, input);
}

} // namespace

BENCHMARK(defaultInput);
BENCHMARK(tropicalInput);
