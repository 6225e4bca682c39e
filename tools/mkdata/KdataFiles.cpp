#include "mkdata/KdataFiles.h"

#include "data/AppearanceFile.h"
#include "data/AttributeFile.h"
#include "data/ExampleFile.h"
#include "data/RadicalFile.h"
#include "data/ReadingFile.h"
#include "jukuji/JukujiTables.h"
#include "mkdata/CsvWriter.h"
#include "mkdata/RadicalNames.h"
#include "mkdata/Unicode.h"
#include "search/GroupedListFile.h"
#include "search/SearchTableFiles.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace mkdata {
namespace {

using std::to_string;

const char* const Source = "# mkdata: KANJIDIC2 / EDICT (EDRDG, CC BY-SA) から作成した見本データ";

std::string u8(std::u32string_view s)
{
    return toU8(s);
}

std::string kanjiText(const SampleKanji& k)
{
    return u8(k.source->literal);
}

void writeReadings(const SampleSet& set, const std::filesystem::path& dir)
{
    CsvWriter yomi(sorban::data::readingfile::Format);
    yomi.line(Source);
    yomi.line("#番号,漢字,読み数,読み累計,読み...");
    int total = 0;
    for (const auto& k : set.kanji) {
        total += static_cast<int>(k.readings.size());
        std::string line = fields(to_string(k.number), kanjiText(k), to_string(k.readings.size()), to_string(total));
        for (const auto& r : k.readings)
            line += fields(u8(r.shown));
        yomi.line(line);
    }
    yomi.save(dir);

    // The appearance file's "#" line is its header: its fields 5, 7, ... label the columns.
    CsvWriter apr(sorban::data::appearancefile::Format);
    apr.line("#見本データ(mkdata),漢字,読み,区分,見本Ａ,頁,見本Ｂ,頁,見本Ｃ,頁,見本Ｄ,頁,見本Ｅ,頁,見本Ｆ,頁,");
    apr.line("$見本データ,");
    CsvWriter goku(sorban::data::examplefile::Format);
    goku.line(Source);
    goku.line("#番号,漢字,読み,用例1,用例2,用例3,用例4,用例5,用例6,");
    goku.line("$見本データ・用例,");
    int index = 0;
    for (const auto& k : set.kanji) {
        for (std::size_t r = 0; r < k.readings.size(); ++r, ++index) {
            const auto& row = k.appearances[r];
            const std::string head = fields(to_string(index), kanjiText(k), u8(k.readings[r].shown));
            std::string line = head + fields(r < k.source->on.size() ? "音" : "訓");
            std::string examples = head;
            for (const auto& a : row) {
                line += fields(to_string(a.code), to_string(a.page));
                examples += fields(u8(a.example));
            }
            apr.line(line);
            goku.line(examples);
        }
    }
    apr.save(dir);
    goku.save(dir);
}

void writeRadicalsAndAttributes(const SampleSet& set, const std::filesystem::path& dir)
{
    CsvWriter bushu(sorban::data::radicalfile::Format);
    bushu.line(Source);
    bushu.line("#番号,部首,部首読み,康熙部首番号,");
    for (std::size_t i = 0; i < set.radicals.size(); ++i)
        bushu.line(fields(to_string(i), u8(set.radicals[i].character), u8(set.radicals[i].name), to_string(set.radicals[i].kangxi)));
    bushu.save(dir);

    CsvWriter atrbt(sorban::data::attributefile::Format);
    atrbt.line(Source);
    atrbt.line("#番号,漢字,学年,画数,部首番号,成り立ち(0=不明),読み数,予備,筆順,");
    for (const auto& k : set.kanji)
        atrbt.line(fields(to_string(k.number), kanjiText(k), to_string(k.source->grade), to_string(k.source->strokes),
                          to_string(k.radicalIndex), "0", to_string(k.readings.size()), "0", k.hasPicture ? "1" : "0"));
    atrbt.save(dir);
}

void writeJukujikun(const SampleSet& set, const std::filesystem::path& dir)
{
    CsvWriter jho(sorban::jukuji::WordFile);
    CsvWriter goku(sorban::jukuji::ExampleFile);
    jho.line("# mkdata: 熟字訓（付表の語）の見本データ");
    jho.line("$［見本データ］");
    goku.line("# mkdata: 熟字訓の用例（見本データ）");
    goku.line("$［見本・用例］");
    int n = 0;
    for (const auto& j : set.jukujikun) {
        std::string line = fields(to_string(++n), u8(j.word), u8(j.reading));
        std::string examples = line;
        for (const auto& a : j.columns) {
            line += fields(to_string(a.code), to_string(a.page));
            examples += fields(u8(a.example));
        }
        jho.line(line);
        goku.line(examples);
    }
    jho.line("x,end of data,");
    jho.save(dir);
    goku.save(dir);
}

// One search line per kanji, grouped by `group`, in master order within a group.
template <typename Key>
void writeGroupedList(const SampleSet& set, CsvWriter& out, Key group)
{
    std::vector<const SampleKanji*> sorted;
    for (const auto& k : set.kanji)
        sorted.push_back(&k);
    std::stable_sort(sorted.begin(), sorted.end(), [&](const auto* a, const auto* b) { return group(*a) < group(*b); });
    for (const auto* k : sorted)
        out.line(fields(to_string(k->number), kanjiText(*k), to_string(group(*k))));
}

std::u32string headingDigits(int strokes)
{
    // Two bytes either way: one full-width digit, or two ASCII digits.
    if (strokes < 10)
        return std::u32string(1, U'０' + static_cast<char32_t>(strokes));
    return toU32(to_string(strokes));
}

// Radical rows: a "N画○" heading row for each radical stroke count, continued by "○○○" rows;
// groups "radical≫kanji..." joined by "・", never reaching the last grid column, where a mouse
// pick does nothing.
void writeRadicalSearch(const SampleSet& set, const std::filesystem::path& dir)
{
    constexpr int LastUsableColumn = sorban::search::RadicalTableColumns - 1;
    constexpr int MaxRows = sorban::search::RadicalTableRows;
    constexpr int MaxMarks = sorban::search::RadicalCells;
    std::map<int, std::vector<const SampleKanji*>> byRadical;
    for (const auto& k : set.kanji)
        byRadical[k.source->radical].push_back(&k);
    std::map<int, std::vector<int>> radicalsByStrokes;
    for (auto& [radical, list] : byRadical) {
        std::stable_sort(list.begin(), list.end(), [](const auto* a, const auto* b) { return a->source->strokes < b->source->strokes; });
        radicalsByStrokes[radicalStrokes(radical)].push_back(radical);
    }
    std::map<int, std::u32string> radicalChar;
    for (const auto& r : set.radicals)
        radicalChar[r.kangxi] = r.character;

    CsvWriter out(sorban::search::RadicalTableFormat);
    out.line("# mkdata: 部首別検索表（KANJIDIC2の部首）");
    int rows = 0;
    int marks = 0;
    for (const auto& [strokes, radicals] : radicalsByStrokes) {
        std::u32string row = headingDigits(strokes) + U"画○";
        int column = 1; // next free column
        const auto flush = [&] {
            out.line(to_string(rows) + "," + u8(row));
            ++rows;
            row = U"○○○";
            column = 1;
        };
        for (const int radical : radicals) {
            const auto& list = byRadical[radical];
            for (std::size_t from = 0; from < list.size();) {
                const int gap = column == 1 ? 0 : 1;
                int room = LastUsableColumn - (column + gap) + 1 - 2; // cells left for kanji
                if (room < 1 || (room < static_cast<int>(list.size() - from) && column != 1)) {
                    flush();
                    continue;
                }
                const std::size_t take = std::min(list.size() - from, static_cast<std::size_t>(room));
                if (gap)
                    row += U"・";
                row += radicalChar[radical] + U"≫";
                for (std::size_t i = 0; i < take; ++i)
                    row += list[from + i]->source->literal;
                column += gap + 2 + static_cast<int>(take);
                from += take;
                ++marks;
            }
        }
        flush();
    }
    if (rows > MaxRows || marks > MaxMarks)
        throw std::runtime_error("the radical table needs " + to_string(rows) + " rows and " + to_string(marks)
                                 + " radical cells; the window holds " + to_string(MaxRows) + " and " + to_string(MaxMarks));
    out.save(dir);
}

// Reading rows: a hiragana, then the kanji that have a reading beginning with it; a kana with
// more kanji than the 32 columns starts again on the next row.
void writeReadingSearch(const SampleSet& set, const std::filesystem::path& dir)
{
    constexpr std::size_t Columns = sorban::search::ReadingTableColumns;
    constexpr int MaxRows = sorban::search::ReadingTableRows;
    std::map<std::u32string, std::pair<char32_t, std::vector<std::u32string>>> byKana;
    for (const auto& k : set.kanji) {
        for (const auto& r : k.readings) {
            const char32_t first = r.kana.at(0);
            auto& [kana, list] = byKana[gojuonKey(std::u32string(1, first))];
            kana = first;
            if (list.empty() || list.back() != k.source->literal)
                list.push_back(k.source->literal);
        }
    }
    CsvWriter out(sorban::search::ReadingTableFormat);
    out.line("# mkdata: 読み別検索表（読みの先頭のかなで分類）");
    int rows = 0;
    for (const auto& [key, entry] : byKana) {
        const auto& [kana, list] = entry;
        for (std::size_t from = 0; from < list.size(); from += Columns, ++rows) {
            std::string line = u8(std::u32string(1, kana));
            for (std::size_t i = from; i < std::min(list.size(), from + Columns); ++i)
                line.append(1, ',').append(u8(list[i]));
            out.line(line);
        }
    }
    if (rows > MaxRows)
        throw std::runtime_error("the reading table needs " + to_string(rows) + " rows; the window holds " + to_string(MaxRows));
    out.save(dir);
}

} // namespace

void writeKdata(const SampleSet& set, const std::filesystem::path& dir)
{
    std::filesystem::create_directories(dir);
    writeReadings(set, dir);
    writeRadicalsAndAttributes(set, dir);
    writeJukujikun(set, dir);

    CsvWriter strokes(sorban::search::StrokeCountFile.file);
    strokes.line("# mkdata: 画数別検索表");
    writeGroupedList(set, strokes, [](const SampleKanji& k) { return k.source->strokes; });
    strokes.save(dir);

    CsvWriter grades(sorban::search::GradeFile.file);
    grades.line("# mkdata: 配当学年別検索表");
    grades.line("$見本データ,");
    writeGroupedList(set, grades, [](const SampleKanji& k) { return k.source->grade; });
    grades.save(dir);

    writeRadicalSearch(set, dir);
    writeReadingSearch(set, dir);
}

} // namespace mkdata
