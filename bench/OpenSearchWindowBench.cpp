#include "SampleSet.h"
#include "data/KanjiStore.h"
#include "search/TBusyu.h"
#include "search/THaitouSrch.h"
#include "search/TKakusuu.h"
#include "search/TYomiSrchF.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

// Making one search window: make it, read its file and lay out its table (argument 0), and with
// argument 1 also show it and paint it the first time. Argument 2 is what each opening after the
// first does: the kept window made again (file read, table laid out), shown and painted.
template <typename Window>
void BM_OpenSearchWindow(benchmark::State& state)
{
    const auto sample = sorban::bench::loadSampleSet();
    if (!sample) {
        state.SkipWithError("mkdata failed");
        return;
    }
    sorban::settings::Settings settings;
    sorban::settings::Selection selection;
    const sorban::search::SearchContext context{*sample->store, selection, settings, sample->kdata(), [] {}};
    if (state.range(0) == 2) {
        Window window(context);
        for (auto _ : state) {
            window.FormCreate();
            window.show();
            QApplication::processEvents();
            state.PauseTiming();
            window.close();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        return;
    }
    for (auto _ : state) {
        auto window = std::make_unique<Window>(context);
        if (state.range(0) == 1) {
            window->show();
            QApplication::processEvents();
        }
        benchmark::DoNotOptimize(window.get());
    }
}
BENCHMARK_TEMPLATE(BM_OpenSearchWindow, sorban::search::TKakusuu)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenSearchWindow, sorban::search::THaitouSrch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenSearchWindow, sorban::search::TBusyu)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenSearchWindow, sorban::search::TYomiSrchF)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
