#include "kdata-check/KdataChecker.h"

#include "data/AppearanceFile.h"
#include "data/AttributeFile.h"
#include "data/DataFile.h"
#include "data/ExampleFile.h"
#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "data/PictureFile.h"
#include "data/RadicalFile.h"
#include "data/ReadingFile.h"
#include "jukuji/JukujiTables.h"
#include "kdata-check/Japanese.h"
#include "platform/core/TextCodec.h"
#include "search/GroupedListFile.h"
#include "search/SearchTableFiles.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace kdatacheck {
namespace {

namespace fs = std::filesystem;
using namespace sorban;
using platform::sjisToUtf8;

// A record as a thorough reader told of it.
struct Trace {
    int index;
    int line;
    std::string kanji;
    std::string reading;
};

// The one sink of the check: every problem the readers find, and the records they read.
class CheckSink final : public platform::ProblemSink {
public:
    void report(const platform::FileProblem& p) override { problems.push_back({"kdata/" + p.file, p.line, p.field, p.message, p.warning}); }
    bool thorough() const override { return true; }
    void recorded(const platform::RecordTrace& r) override
    {
        traces[std::string(r.file)].push_back({r.index, r.line, std::string(r.kanji), std::string(r.reading)});
    }
    void problem(const char* file, int line, int field, std::string message)
    {
        problems.push_back({std::string("kdata/") + file, line, field, std::move(message)});
    }
    const std::vector<Trace>& of(const char* file) { return traces[file]; }

    std::vector<Problem> problems;
    std::map<std::string, std::vector<Trace>> traces;
};

std::string named(const std::string& kanji, const std::string& reading)
{
    return reading.empty() ? sjisToUtf8(kanji) : sjisToUtf8(kanji) + " " + sjisToUtf8(reading);
}

// A file with a record per reading against the reading file: the first record that names another
// reading than the one it belongs to is where the two files part; every record after it shows
// another reading's values.
void compareWithReadings(CheckSink& sink, const char* file, const char* what)
{
    const auto& readings = sink.of(data::readingfile::Format.name);
    const auto& records = sink.of(file);
    for (std::size_t k = 0; k < std::min(readings.size(), records.size()); ++k) {
        const Trace& r = readings[k];
        const Trace& a = records[k];
        if (a.kanji.empty() || (a.kanji == r.kanji && (a.reading.empty() || a.reading == r.reading)))
            continue;
        sink.problem(file, a.line, 2,
                     std::string(what) + " " + std::to_string(k) + " names " + named(a.kanji, a.reading) + ", but reading "
                         + std::to_string(k) + " is " + named(r.kanji, r.reading) + " (knj_yomi.csv line " + std::to_string(r.line)
                         + "): the files part here");
        break;
    }
    if (records.size() != readings.size())
        sink.problem(file, 0, 0, std::to_string(records.size()) + " " + what + "s for " + std::to_string(readings.size()) + " readings");
}

void compareAttributes(CheckSink& sink, const data::KanjiStore& store, const fs::path& pictures)
{
    const auto& radicals = sink.of(data::radicalfile::Format.name);
    const bool checkPictures = fs::is_directory(pictures);
    bool parted = false;
    for (const Trace& a : sink.of(data::attributefile::Format.name)) {
        const int n = a.index + 1;
        if (n > data::MaxKanji)
            continue; // the spare slot no window shows
        const std::string& kanji = store.KanjiText[static_cast<std::size_t>(n)];
        if (!parted && !a.kanji.empty() && !kanji.empty() && a.kanji != kanji) {
            sink.problem(data::attributefile::Format.name, a.line, 2,
                         "record " + std::to_string(n) + " names " + sjisToUtf8(a.kanji) + ", but kanji " + std::to_string(n) + " is "
                             + sjisToUtf8(kanji) + ": the files part here");
            parted = true;
        }
        const auto radical = store.BushuNo[static_cast<std::size_t>(a.index)];
        if (radical < 0 || radical >= static_cast<int>(radicals.size()))
            sink.problem(data::attributefile::Format.name, a.line, 5,
                         "radical number " + std::to_string(radical) + " has no radical in bushu_ban.csv");
        if (checkPictures && store.HitujunFlag[static_cast<std::size_t>(a.index)] == 1 && !kanji.empty()) {
            const std::string name = data::pictureFileName(n, kanji);
            if (!fs::is_regular_file(pictures / name))
                sink.problem(data::attributefile::Format.name, a.line, 9,
                             std::string("picture ") + data::PictureFolder + "/" + name + " is missing");
        }
    }
}

std::map<std::string, int> numbersOf(const data::KanjiStore& store)
{
    std::map<std::string, int> numbers;
    for (int n = 1; n <= data::MaxKanji; ++n)
        if (!store.KanjiText[static_cast<std::size_t>(n)].empty())
            numbers.emplace(store.KanjiText[static_cast<std::size_t>(n)], n);
    return numbers;
}

// Every kanji of a search table must be one of the master list: any other is no education kanji.
void compareTable(CheckSink& sink, const char* file, const std::map<std::string, int>& numbers, bool numbered)
{
    for (const Trace& t : sink.of(file)) {
        const auto it = numbers.find(t.kanji);
        if (it == numbers.end())
            sink.problem(file, t.line, 2, "kanji \"" + sjisToUtf8(t.kanji) + "\" is not in the master list");
        else if (numbered && it->second != t.index)
            sink.problem(file, t.line, 1,
                         "kanji number " + std::to_string(t.index) + ", but " + sjisToUtf8(t.kanji) + " is kanji "
                             + std::to_string(it->second));
    }
}

void compareJukujikun(CheckSink& sink)
{
    const auto& words = sink.of(jukuji::WordFile.name);
    const auto& examples = sink.of(jukuji::ExampleFile.name);
    for (std::size_t k = 0; k < std::min(words.size(), examples.size()); ++k)
        if (!examples[k].kanji.empty() && (examples[k].kanji != words[k].kanji || examples[k].reading != words[k].reading)) {
            sink.problem(jukuji::ExampleFile.name, examples[k].line, 2,
                         "row " + std::to_string(k + 1) + " names " + named(examples[k].kanji, examples[k].reading) + ", but word "
                             + std::to_string(k + 1) + " is " + named(words[k].kanji, words[k].reading) + ": the files part here");
            break;
        }
    if (!words.empty() && examples.size() != words.size())
        sink.problem(jukuji::ExampleFile.name, 0, 0,
                     std::to_string(examples.size()) + " example rows for " + std::to_string(words.size()) + " words");
}

} // namespace

std::string Problem::format(bool japanese) const
{
    const std::string kind = warning ? (japanese ? "注意: " : "warning: ") : "";
    return file + ":" + std::to_string(line) + ":" + std::to_string(field) + ": " + kind + (japanese ? inJapanese(message) : message);
}

bool hasFault(const std::vector<Problem>& problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const Problem& p) { return !p.warning; });
}

std::vector<Problem> checkDataFolder(const std::filesystem::path& dir)
{
    const fs::path kdata = dir / data::DataFolder;
    CheckSink sink;
    auto store = std::make_unique<data::KanjiStore>();
    data::LoadYomiData(*store, kdata, sink);
    data::LoadAtrbtData(*store, kdata, sink);
    data::LoadGokuData(*store, kdata, sink);
    std::optional<std::string> label;
    search::readGroupedList(search::StrokeCountFile, kdata, &label, sink);
    search::readGroupedList(search::GradeFile, kdata, &label, sink);
    search::readRadicalTable(kdata, sink);
    search::readReadingTable(kdata, sink);
    jukuji::JukujiTables tables;
    jukuji::readAppearances(tables, kdata, sink);
    jukuji::readExamples(tables, kdata, sink);

    compareWithReadings(sink, data::appearancefile::Format.name, "appearance record");
    compareWithReadings(sink, data::examplefile::Format.name, "example record");
    compareAttributes(sink, *store, dir / data::PictureFolder);
    const auto numbers = numbersOf(*store);
    if (!numbers.empty()) {
        compareTable(sink, search::StrokeCountFile.file.name, numbers, true);
        compareTable(sink, search::GradeFile.file.name, numbers, true);
        compareTable(sink, search::RadicalTableFormat.name, numbers, false);
        compareTable(sink, search::ReadingTableFormat.name, numbers, false);
    }
    compareJukujikun(sink);
    return sink.problems;
}

} // namespace kdatacheck
