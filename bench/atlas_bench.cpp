// The atlas while a user types a birth place: building it once (done by the first query, in the
// place field's worker thread), and one query per keystroke, which must stay within 5 ms (median)
// so that the list never holds up typing.
#include "atlas/geonamesatlas.h"

#include <benchmark/benchmark.h>

namespace {

zeitrad::atlas::GeonamesAtlas& atlas() {
    static zeitrad::atlas::GeonamesAtlas instance;
    return instance;
}

void BM_AtlasLoad(benchmark::State& state) {
    for (auto _ : state) {
        zeitrad::atlas::GeonamesAtlas fresh;
        benchmark::DoNotOptimize(fresh.size());
    }
}
BENCHMARK(BM_AtlasLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

const char* const typed[] = {"Mü", "Rav", "Frankfurt", "Sa", "Ber", "Köln", "Koeln", "Milan"};

void BM_AtlasFind(benchmark::State& state) {
    const QString text = QString::fromUtf8(typed[state.range(0)]);
    atlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas().find(text, 10));
    state.SetLabel(typed[state.range(0)]);
}
BENCHMARK(BM_AtlasFind)->DenseRange(0, std::size(typed) - 1)->Unit(benchmark::kMicrosecond);

void BM_AtlasExact(benchmark::State& state) {
    atlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            atlas().exact(QStringLiteral("Frankfurt am Main"), QStringLiteral("Deutschland")));
}
BENCHMARK(BM_AtlasExact)->Unit(benchmark::kMicrosecond);

} // namespace
