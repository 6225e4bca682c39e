#include "fuzz/FuzzHarness.h"

#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "handwriting/Recogniser.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/Dialogs.h"
#include "platform/core/JpegDecoder.h"
#include "platform/core/TextCodec.h"
#include "search/GroupedListFile.h"
#include "search/SearchTableFiles.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "textcheck/Aligner.h"
#include "textcheck/Kana.h"
#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"
#include "textcheck/TextCheck.h"
#include "textcheck/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace sorban::fuzz {
namespace {

namespace fs = std::filesystem;

// Boxes and beeps go nowhere: a reader may report as much as it likes.
class QuietDialogs final : public platform::Dialogs {
public:
    void messageBox(const std::string&, const std::string&) override {}
    void beep() override {}
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice&) override { return std::nullopt; }
    void runModal(platform::ModalWindow&) override {}
    void launch(const std::string&, const std::vector<std::string>&, std::function<void(bool)> finished) override { finished(false); }
};

// One working folder for the whole run, with kdata/ inside it.
const fs::path& workDir()
{
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "sorban-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        fs::create_directories(fs::path(pattern) / "kdata");
        return fs::path(pattern);
    }();
    return dir;
}

void writeFile(const fs::path& file, const std::uint8_t* data, std::size_t size)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, out);
    std::fclose(out);
}

platform::Dialogs& quiet()
{
    static QuietDialogs dialogs;
    return dialogs;
}

// kdata-check's way of reading: every check of every line, on past each error.
class ThoroughSink final : public platform::ProblemSink {
public:
    void report(const platform::FileProblem& problem) override { reported += problem.message.size(); }
    bool thorough() const override { return true; }
    void recorded(const platform::RecordTrace& trace) override { reported += trace.kanji.size(); }
    std::size_t reported = 0;
};

} // namespace

void mainDataFiles(const std::uint8_t* data, std::size_t size)
{
    const platform::DialogsGuard guard(quiet());
    const fs::path kdata = workDir() / "kdata";
    for (const char* name : {"knj_yomi.csv", "apr_jho.csv", "bushu_ban.csv", "knj_atrbt.csv", "knj_goku.csv"})
        writeFile(kdata / name, data, size);
    ThoroughSink thorough;
    for (platform::ProblemSink* sink : {&platform::programSink(), static_cast<platform::ProblemSink*>(&thorough)}) {
        auto store = std::make_unique<data::KanjiStore>();
        data::LoadYomiData(*store, kdata, *sink);
        data::LoadAtrbtData(*store, kdata, *sink);
        data::LoadGokuData(*store, kdata, *sink);
        // What the main window then reads of every kanji.
        for (int n = 1; n <= data::MaxKanji; ++n) {
            const auto first = store->FirstYomi(n);
            if (data::KanjiStore::isReadingIndex(first))
                (void)store->YomiText[static_cast<std::size_t>(first)].size();
        }
    }
}

void jukujikunFiles(const std::uint8_t* data, std::size_t size)
{
    const platform::DialogsGuard guard(quiet());
    const fs::path kdata = workDir() / "kdata";
    writeFile(kdata / "juk_jho.csv", data, size);
    writeFile(kdata / "juk_goku.csv", data, size);
    ThoroughSink thorough;
    for (platform::ProblemSink* sink : {&platform::programSink(), static_cast<platform::ProblemSink*>(&thorough)}) {
        jukuji::JukujiTables tables;
        jukuji::readAppearances(tables, kdata, *sink);
        jukuji::readExamples(tables, kdata, *sink);
    }
}

void searchTableFiles(const std::uint8_t* data, std::size_t size)
{
    const platform::DialogsGuard guard(quiet());
    const fs::path kdata = workDir() / "kdata";
    for (const char* name : {"Kaksu_srch.csv", "HaiNen_srch.csv", "Bs_srch.csv", "Yomi_srch.csv"})
        writeFile(kdata / name, data, size);
    ThoroughSink thorough;
    for (platform::ProblemSink* sink : {&platform::programSink(), static_cast<platform::ProblemSink*>(&thorough)}) {
        std::optional<std::string> label;
        const auto strokes = search::readGroupedList(search::StrokeCountFile, kdata, nullptr, *sink);
        const auto grades = search::readGroupedList(search::GradeFile, kdata, &label, *sink);
        (void)search::groupedRows(strokes);
        (void)search::groupedRows(grades);
        (void)search::readRadicalTable(kdata, *sink);
        (void)search::readReadingTable(kdata, *sink);
    }
}

void settingsFile(const std::uint8_t* data, std::size_t size)
{
    const platform::DialogsGuard guard(quiet());
    const fs::path dir = workDir() / "exe";
    fs::create_directories(dir);
    writeFile(dir / "sorban.ini", data, size);
    settings::Selection selection;
    selection.ExeDir = dir.string() + "/";
    settings::Settings settings;
    settings.IniRead(selection);
    settings.IniWrite(selection, settings.LEFT, settings.TOP);
}

void jpegPicture(const std::uint8_t* data, std::size_t size)
{
    const fs::path file = workDir() / "picture.jpg";
    writeFile(file, data, size);
    (void)platform::decodeJpeg(file);
}

void checkedText(const std::uint8_t* data, std::size_t size)
{
    // A few kanji with readings of every shape: okurigana, ▲, a learned and a later volume.
    static const auto store = [] {
        auto s = std::make_unique<data::KanjiStore>();
        const char* const readings[][3] = {{"学", "ガク", "まな(ぶ)"}, {"生", "セイ", "ショウ(▲)"}};
        std::int32_t total = 0;
        for (std::size_t n = 1; n <= 2; ++n) {
            s->KanjiText[n] = platform::utf8ToSjis(readings[n - 1][0]);
            s->YomiCount[n] = 2;
            for (int r = 1; r <= 2; ++r) {
                s->YomiText[static_cast<std::size_t>(total)] = platform::utf8ToSjis(readings[n - 1][r]);
                s->AprRecord[static_cast<std::size_t>(total)][0] = r == 1 ? 11 : 31;
                ++total;
            }
            s->YomiTotal[n] = total;
        }
        return s;
    }();
    static const textcheck::ReadingTable table(*store, nullptr);
    static const std::unique_ptr<textcheck::Morphology> analyser = [] {
        QString problem;
        return textcheck::Morphology::load({}, problem);
    }();
    const textcheck::LoadedText loaded =
        textcheck::decodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!loaded.ok)
        return;
    const std::u32string text = textcheck::toU32(loaded.text);
    if (const auto tab = text.find(U'\t'); tab != std::u32string::npos)
        (void)textcheck::align(std::u32string_view(text).substr(0, tab), std::u32string_view(text).substr(tab + 1), table);
    const textcheck::CheckResult result = textcheck::TextChecker(table, analyser.get()).check(text, 0, 21);
    (void)textcheck::rubyHtml(text, result.ruby);
    (void)textcheck::rubyRtf(text, result.ruby);
    (void)textcheck::rubyPlain(text, result.ruby);
}

void writtenStrokes(const std::uint8_t* data, std::size_t size)
{
    // Three kanji to match and zinnia where it is installed: what the window asks at each stroke.
    static const handwriting::Recogniser recogniser = [] {
        const handwriting::KanjiNumbers education{{U'一', 1}, {U'十', 2}, {U'口', 3}};
        std::vector<handwriting::Template> templates = {
            {U'一', 1, {{{0.1F, 0.5F}, {0.9F, 0.5F}}}},
            {U'十', 2, {{{0.1F, 0.4F}, {0.9F, 0.4F}}, {{0.5F, 0.1F}, {0.5F, 0.9F}}}},
            {U'口', 3, {{{0.2F, 0.2F}, {0.2F, 0.8F}}, {{0.2F, 0.2F}, {0.8F, 0.8F}}, {{0.2F, 0.8F}, {0.8F, 0.8F}}}}};
        QString problem;
        return handwriting::Recogniser(handwriting::Zinnia::load({}, problem),
                                       std::make_unique<handwriting::StrokeMatcher>(std::move(templates)), education);
    }();
    constexpr float Pad = 300;
    handwriting::Ink ink(Pad);
    for (std::size_t i = 0; i + 5 <= size; i += 5) {
        const auto at = [&](std::size_t k) {
            return static_cast<float>(static_cast<std::int16_t>(data[i + k] | (data[i + k + 1] << 8))) / 64;
        };
        switch (data[i] % 4) {
        case 0:
            ink.begin(at(1), at(3));
            break;
        case 1:
            ink.extend(at(1), at(3));
            break;
        case 2:
            (void)recogniser.candidates(ink.strokes(), Pad); // a stroke ends: the row is made
            ink.end();
            break;
        default:
            ink.undo();
        }
    }
    (void)recogniser.candidates(ink.strokes(), Pad);
}

Harness harnessNamed(const std::string& name)
{
    if (name == "main_data")
        return mainDataFiles;
    if (name == "jukujikun")
        return jukujikunFiles;
    if (name == "search_tables")
        return searchTableFiles;
    if (name == "settings")
        return settingsFile;
    if (name == "jpeg")
        return jpegPicture;
    if (name == "text")
        return checkedText;
    if (name == "ink")
        return writtenStrokes;
    return nullptr;
}

} // namespace sorban::fuzz
