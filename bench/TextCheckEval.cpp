// How well the text check reads kanji in context: over the sentence set of the tests, how many
// readings (and so marks) are right, wrong or 読み不明, with the dictionary given.
//   textcheck-eval SENTENCES [DICTIONARY_DIR READING_FIELD] [--misses]   (--misses lists what is not read right)
#include "SampleSet.h"
#include "textcheck/Kana.h"
#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"
#include "textcheck/SentenceSet.h"
#include "textcheck/TextCheck.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <map>

using namespace sorban;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: textcheck-eval SENTENCES [DICTIONARY_DIR READING_FIELD] [--misses]\n");
        return 2;
    }
    const auto sample = bench::loadSampleSet();
    if (!sample)
        return 1;
    const textcheck::ReadingTable table(*sample->store, &sample->jukuji);
    textcheck::AnalyserSetup setup;
    if (args.size() >= 4 && !args[2].startsWith(QLatin1Char('-'))) {
        setup.dictionary = args[2].toStdString();
        setup.readingField = args[3].toInt();
    }
    QString problem;
    const auto start = std::chrono::steady_clock::now();
    const auto morphology = textcheck::Morphology::load(setup, problem);
    const double loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!morphology) {
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
        return 1;
    }
    const textcheck::TextChecker checker(table, morphology.get());
    const bool misses = args.contains(QStringLiteral("--misses"));
    std::map<test::Verdict, int> counts;
    int sentences = 0;
    for (const test::Sentence& s : test::readSentences(args[1].toStdString())) {
        ++sentences;
        const auto read = checker.readings(s.text);
        for (const test::ExpectedReading& e : s.expected) {
            const test::Verdict v = test::judge(e, read, table);
            ++counts[v];
            const char* what = v == test::Verdict::Wrong ? "wrong" : v == test::Verdict::Unknown ? "unknown" : "other form";
            if (misses && v != test::Verdict::Right && v != test::Verdict::Outside)
                std::printf(
                    "line %d: %s %s expected %s\n", s.line, what,
                    textcheck::toQString(s.text.substr(static_cast<std::size_t>(e.begin), static_cast<std::size_t>(e.end - e.begin)))
                        .toUtf8()
                        .constData(),
                    textcheck::toQString(e.reading).toUtf8().constData());
        }
    }
    std::printf("dictionary %s: loaded in %.1f ms; %d sentences\n", setup.dictionary.c_str(), loadMs, sentences);
    std::printf("right %d (of which in another form of the same reading: %d), wrong %d, 読み不明 %d; not education kanji %d\n",
                counts[test::Verdict::Right] + counts[test::Verdict::SameEntry], counts[test::Verdict::SameEntry],
                counts[test::Verdict::Wrong], counts[test::Verdict::Unknown], counts[test::Verdict::Outside]);
    return 0;
}
