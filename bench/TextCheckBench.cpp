#include "SampleSet.h"
#include "data/KanjiStore.h"
#include "jukuji/JukujiTables.h"
#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"
#include "textcheck/SentenceSet.h"
#include "textcheck/TextCheck.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A long newsletter of 4 000 characters (the test sentences, over again, one per line) marked
// from start to end: the analyser's words, their split and every mark, for column 1 up to ３上.
void BM_MarkNewsletter(benchmark::State& state)
{
    const auto sample = sorban::bench::loadSampleSet();
    if (!sample) {
        state.SkipWithError("mkdata failed");
        return;
    }
    const sorban::textcheck::ReadingTable table(*sample->store, &sample->jukuji);
    QString problem;
    const auto analyser = sorban::textcheck::Morphology::load({}, problem);
    if (!analyser) {
        state.SkipWithError("no analyser");
        return;
    }
    std::u32string text;
    const auto sentences = sorban::test::readSentences(SORBAN_TEST_SENTENCES);
    for (std::size_t i = 0; text.size() < 4000 && !sentences.empty(); ++i)
        text += sentences[i % sentences.size()].text + U"\n";
    text.resize(4000);
    const sorban::textcheck::TextChecker checker(table, analyser.get());
    std::size_t marks = 0;
    for (auto _ : state)
        marks = checker.check(text, 0, 31).marks.size();
    state.counters["marks"] = static_cast<double>(marks);
}
BENCHMARK(BM_MarkNewsletter)->Unit(benchmark::kMillisecond);

} // namespace
