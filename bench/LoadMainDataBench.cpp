#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "platform/core/Dialogs.h"
#include "support/FullSizeData.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Start-up's share of the data: the three loaders over a full-size set on disk, into a new store.
void BM_LoadMainData(benchmark::State& state)
{
    const sorban::test::TempDir dir;
    sorban::test::FullSizeData::write(dir.path());
    for (auto _ : state) {
        auto store = std::make_unique<sorban::data::KanjiStore>();
        benchmark::DoNotOptimize(sorban::data::LoadYomiData(*store, dir.path()));
        benchmark::DoNotOptimize(sorban::data::LoadAtrbtData(*store, dir.path()));
        benchmark::DoNotOptimize(sorban::data::LoadGokuData(*store, dir.path()));
        benchmark::DoNotOptimize(store->YomiText[2449].data());
    }
}
BENCHMARK(BM_LoadMainData)->Unit(benchmark::kMillisecond);

} // namespace
