// How well handwriting search finds the education kanji: every kanji written once by the test
// set's hand, clean and with each kind of slip, and where the kanji comes among the candidates of
// the trained recogniser alone, the order-free matcher alone and both together.
//   handwriting-eval [SEED] [--misses]   (--misses lists the clean writings not found first)
#include "SampleSet.h"
#include "handwriting/InkSynth.h"
#include "handwriting/Recogniser.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

using namespace sorban;
using handwriting::Candidate;

namespace {

constexpr float Pad = 300;

struct Tally {
    int writings = 0;
    int first = 0;
    int five = 0;
    void add(std::size_t rank)
    {
        ++writings;
        first += rank < 1 ? 1 : 0;
        five += rank < 5 ? 1 : 0;
    }
    void print(const char* slip, const char* who) const
    {
        std::printf("%-12s %-10s %5d  top-1 %6.2f %%  top-5 %6.2f %%\n", slip, who, writings, 100.0 * first / writings,
                    100.0 * five / writings);
    }
};

std::size_t rankOf(char32_t kanji, const std::vector<Candidate>& row)
{
    std::size_t r = 0;
    for (const Candidate& c : row) {
        if (c.number == 0)
            continue; // an outsider never hides an education kanji
        if (c.kanji == kanji)
            return r;
        ++r;
    }
    return 1000;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const unsigned seed = args.size() >= 2 && !args[1].startsWith(QLatin1Char('-')) ? args[1].toUInt() : 1;
    const bool misses = args.contains(QStringLiteral("--misses"));
    const auto sample = bench::loadSampleSet();
    if (!sample)
        return 1;
    const handwriting::KanjiNumbers education = handwriting::educationKanji(*sample->store);
    const handwriting::RecogniserSetup setup;
    QString problem;
    const auto templates = handwriting::readTemplates(setup.templates, education);
    auto zinnia = handwriting::Zinnia::load(setup, problem);
    if (templates.size() != education.size() || !zinnia) {
        std::fprintf(stderr, "templates %zu of %zu; %s\n", templates.size(), education.size(), problem.toUtf8().constData());
        return 1;
    }
    const handwriting::Recogniser trainedOnly(std::move(zinnia), nullptr, education);
    const handwriting::Recogniser matcherOnly(nullptr, std::make_unique<handwriting::StrokeMatcher>(templates), education);
    const auto both = handwriting::Recogniser::load(setup, education, problem);
    const char* names[] = {"clean", "swapped", "last missing", "joined"};
    struct Clock {
        double total = 0;
        double slowest = 0;
        int runs = 0;
        std::vector<Candidate> time(const handwriting::Recogniser& r, const std::vector<handwriting::Stroke>& strokes)
        {
            const auto start = std::chrono::steady_clock::now();
            auto row = r.candidates(strokes, Pad);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            total += ms;
            slowest = std::max(slowest, ms);
            ++runs;
            return row;
        }
        void print(const char* who) const
        {
            std::printf("%-10s mean %.2f ms, slowest %.2f ms over %d writings\n", who, total / runs, slowest, runs);
        }
    } clocks[3];
    for (int s = 0; s < 4; ++s) {
        const auto slip = static_cast<test::Slip>(s);
        std::mt19937 random(seed + static_cast<unsigned>(s));
        Tally t[3];
        for (const handwriting::Template& k : templates) {
            if (slip != test::Slip::None && k.strokes.size() < 2)
                continue;
            const auto strokes = test::writtenBy(k, slip, random, Pad);
            t[0].add(rankOf(k.kanji, clocks[0].time(trainedOnly, strokes)));
            t[1].add(rankOf(k.kanji, clocks[1].time(matcherOnly, strokes)));
            const auto row = clocks[2].time(*both, strokes);
            const std::size_t r = rankOf(k.kanji, row);
            t[2].add(r);
            if (misses && slip == test::Slip::None && r != 0)
                std::printf("missed %s (%zu strokes) at %zu: %s\n", QString::fromUcs4(&k.kanji, 1).toUtf8().constData(), k.strokes.size(),
                            r, row.empty() ? "" : QString::fromUcs4(&row[0].kanji, 1).toUtf8().constData());
        }
        t[0].print(names[s], "trained");
        t[1].print(names[s], "order-free");
        t[2].print(names[s], "both");
    }
    clocks[0].print("trained");
    clocks[1].print("order-free");
    clocks[2].print("both");
    return 0;
}
