#pragma once

#include "sheets/TableDocument.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace sorban::sheets {

/// What the teacher chose for practice sheets.
struct PracticeOptions {
    int boxMm = 17;       ///< the writing boxes' size: 14, 17 or 25 mm, as school practice books have
    int traces = 2;       ///< boxes with the kanji in light grey to trace, 0 to 4
    QString family;       ///< the model and trace kanji's font
    bool readings = true; ///< the readings at the head of each column
    bool examples = true; ///< with one example word per reading
};

/// One kanji's column: its number, the kanji, its stroke count, its readings (as the window writes
/// them) and an example of each, and its stroke-order picture.
struct PracticeKanji {
    std::int32_t number = 0;
    QString kanji;
    QString strokes;
    QStringList readings;
    QStringList examples; ///< one per reading, possibly empty
    std::filesystem::path picture;
};

/// A run of practice sheets: the kanji in order, the title over every page, whether the data is the
/// sample set, and the font that stands in for one without the kanji (the settings' kanji font).
struct PracticeRun {
    std::vector<PracticeKanji> kanji;
    QString title;
    bool sample = false;
    QString fallbackFamily;
    PracticeOptions options;
};

/// Practice sheets on A4 portrait, written vertically as school practice sheets are: one column per
/// kanji, right to left, as many as the box size lets a page hold (a kanji never splits). A column's
/// head holds the model kanji in a box with a dotted cross, the stroke-order picture, the stroke
/// count, the readings and their examples; below it trace boxes, the kanji lighter in each, then
/// empty boxes with the dotted cross to the bottom. Over each page the title and boxes for 日付, 組
/// and 名前; under it the page number, the sample-data notice, the program, and which pictures
/// could not be shown. Text stays text, never under 7 points.
class PracticePages : public PagedDocument {
public:
    explicit PracticePages(PracticeRun run);

    int pages() const override;
    void drawPage(QPainter& painter, const QRectF& page, int index) const override;

    /// The font the model and trace kanji are drawn in: `chosen`, or `fallback` where `chosen` has no
    /// glyph for `kanji`.
    static QString familyFor(const QString& kanji, const QString& chosen, const QString& fallback);

    /// The columns a page holds at the run's box size.
    int columnsPerPage() const { return m_columns; }
    /// Where page `index`'s column `column` (0 the first kanji, at the right) stands, and where its
    /// writing boxes begin, in tenths of a millimetre.
    double columnLeft(int column) const;
    double boxesTop(int index) const;

private:
    double headHeight(const PracticeKanji& kanji) const;
    void drawHeader(QPainter& painter, int index) const;
    void drawHead(QPainter& painter, const PracticeKanji& kanji, double left, double top, QStringList& missing) const;
    void drawBoxes(QPainter& painter, const PracticeKanji& kanji, double left, double top) const;
    void drawFooter(QPainter& painter, int index, const QStringList& missing) const;

    PracticeRun m_run;
    double m_box;
    int m_columns;
};

} // namespace sorban::sheets
