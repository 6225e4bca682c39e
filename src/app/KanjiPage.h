#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sorban::data {
class KanjiStore;
}

namespace sorban::app {

/// The headings of the attribute table, Shift-JIS.
const std::array<std::string, 6>& AttrHeading();
/// The names of the formation types 0 to 5, Shift-JIS.
const std::array<std::string, 6>& NaritachiLabel();
/// The six attribute cells of kanji `n` as the main window shows them (grade, strokes, radical,
/// radical reading, kanken level, formation), Shift-JIS; a number outside 1..1026 gives the texts
/// of an unknown kanji.
std::array<std::string, 6> attributeTexts(const data::KanjiStore& store, std::int32_t n);
/// The rows the main window's table shows for kanji `n`: its readings, at most ten.
int shownReadings(const data::KanjiStore& store, std::int32_t n);

/// The readings a screen reader is told when a kanji is shown; the table has the rest.
inline constexpr std::int32_t SpokenReadings = 3;
/// What a screen reader says when kanji `n` is shown: "愛、漢字番号 1、読み 2、アイ、いと(しい)", the
/// kanji, its number, its reading count and its first readings.
QString spokenKanji(const data::KanjiStore& store, std::int32_t n);

/// Everything a kanji's printed sheet and its copied table show, in display text.
struct KanjiPage {
    std::int32_t number = 0;
    QString kanji;
    int readings = 0;       ///< the kanji's readings; the tables show ten at most
    QString appearanceNote; ///< the edition note of the appearance view
    QString exampleNote;    ///< the edition note of the example view
    std::array<QString, 6> attributeHeadings;
    std::array<QString, 6> attributes;
    std::array<QString, 7> columns; ///< "【読み】" and the six column labels of the data
    /// One row per reading: the reading and its six cells, as the window shows them.
    std::vector<std::array<QString, 7>> appearances;
    std::vector<std::array<QString, 7>> examples; ///< empty when the examples are not read
    std::filesystem::path picture;                ///< the stroke-order picture; empty without one
    bool sample = false;                          ///< the data is the sample set, not textbook data
};

/// The page of kanji `n`. The examples are filled only when `withExamples` (the store holds them);
/// `pictureDir` is the folder of the stroke-order pictures.
KanjiPage makeKanjiPage(const data::KanjiStore& store, std::int32_t n, bool withExamples, const std::filesystem::path& pictureDir);

/// The table in view as tab-separated lines: "<kanji>（漢字番号 N）", the heading row, then one
/// line per reading with the examples when `examples`, else the pages. Lines end with "\n".
QString tableAsTsv(const KanjiPage& page, bool examples);
/// The same as an HTML table with a caption, for word processors.
QString tableAsHtml(const KanjiPage& page, bool examples);

} // namespace sorban::app
