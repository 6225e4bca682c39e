#include "SampleSet.h"
#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "jukuji/JukujiTables.h"
#include "lessons/NewReadings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

// Every volume's list of all six columns, from a sample set that mkdata writes: what switching
// through the lesson-planning window's choices asks for, once over.
void BM_AllVolumeLists(benchmark::State& state)
{
    const auto sample = sorban::bench::loadSampleSet();
    if (!sample) {
        state.SkipWithError("mkdata failed");
        return;
    }
    const sorban::data::KanjiStore& store = *sample->store;
    const sorban::jukuji::JukujiTables& jukuji = sample->jukuji;
    std::size_t rows = 0;
    for (auto _ : state) {
        const sorban::lessons::FirstAppearances first(store, jukuji);
        rows = 0;
        for (int col = 0; col < sorban::data::Columns; ++col)
            for (const std::int32_t code : sorban::data::VolumeCodes) {
                rows += first.newIn(col, code).size();
                benchmark::DoNotOptimize(first.totals(col, code));
            }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_AllVolumeLists)->Unit(benchmark::kMillisecond);

} // namespace
