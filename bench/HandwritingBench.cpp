#include "SampleSet.h"
#include "handwriting/InkSynth.h"
#include "handwriting/Recogniser.h"

#include <benchmark/benchmark.h>

namespace {

constexpr float Pad = 300;

// From the pen lifting to the row of candidates: 学 (8 strokes) as the test set's hand writes it,
// through both recognisers (state.range(0) = 1) or the order-free matcher alone (0).
void BM_RecogniseKanji(benchmark::State& state)
{
    const auto sample = sorban::bench::loadSampleSet();
    if (!sample) {
        state.SkipWithError("mkdata failed");
        return;
    }
    const auto education = sorban::handwriting::educationKanji(*sample->store);
    sorban::handwriting::RecogniserSetup setup;
    if (state.range(0) == 0)
        setup.model = "/nonexistent"; // the matcher alone
    QString problem;
    const auto recogniser = sorban::handwriting::Recogniser::load(setup, education, problem);
    const auto templates = sorban::handwriting::readTemplates(setup.templates, education);
    const auto learn = std::find_if(templates.begin(), templates.end(), [](const auto& t) { return t.kanji == U'学'; });
    if (learn == templates.end() || (state.range(0) == 1 && !problem.isEmpty())) {
        state.SkipWithError("no recogniser");
        return;
    }
    std::mt19937 random(1);
    const auto strokes = sorban::test::writtenBy(*learn, sorban::test::Slip::None, random, Pad);
    std::size_t shown = 0;
    for (auto _ : state)
        shown = recogniser->candidates(strokes, Pad).size();
    state.counters["candidates"] = static_cast<double>(shown);
}
BENCHMARK(BM_RecogniseKanji)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
