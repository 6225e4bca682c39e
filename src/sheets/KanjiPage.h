#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace sorban::data {
class KanjiStore;
}

namespace sorban::sheets {

/// Everything a kanji's printed sheet and its copied table show, in display text.
struct KanjiPage {
    std::int32_t number = 0;
    QString kanji;
    int readings = 0;       ///< the kanji's readings
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

/// What a page takes in: the examples (the store holds them) or not, and every reading of the
/// kanji (a printed sheet) or the ten rows the window shows (the table copied from the window).
struct PageContents {
    bool examples = false;
    bool allReadings = false;
};

/// The page of kanji `n`; `pictureDir` is the folder of the stroke-order pictures.
KanjiPage makeKanjiPage(const data::KanjiStore& store, std::int32_t n, PageContents contents, const std::filesystem::path& pictureDir);

/// The sentence that marks the sample set wherever its pages and pages are shown outside the window.
QString sampleNotice();

/// The table in view as tab-separated lines: "<kanji>（漢字番号 N） 出現ページ" (or 用例), the
/// sample-data notice when the data is the sample set, the heading row, then one line per reading
/// with the examples when `examples`, else the pages. Lines end with "\n".
QString tableAsTsv(const KanjiPage& page, bool examples);
/// The same as an HTML table with a caption, for word processors.
QString tableAsHtml(const KanjiPage& page, bool examples);

} // namespace sorban::sheets
