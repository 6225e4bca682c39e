#pragma once

#include "sheets/KanjiPage.h"

#include <QDate>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

namespace sorban::sheets {

/// What a sheet takes beyond its kanji's page: the family of the kanji font chosen in the
/// settings, and the date in its footer.
struct SheetStyle {
    QString kanjiFamily;
    QDate date;
};

/// What the teacher chose to have on the sheets.
struct SheetOptions {
    bool examples = true;    ///< the usage-example table
    bool picture = true;     ///< the stroke-order picture
    bool twoPerPage = false; ///< two kanji on an A4 page, each on one half of it
};

/// The smallest text of a sheet, 7 points, in tenths of a millimetre.
inline constexpr double SmallestText = 25;

/// One kanji's sheet laid out on the slots it takes: an A4 portrait page each, or with two kanji a
/// page one half of a page. A slot holds the title line with the edition note, the sample-data
/// notice, the kanji large with its number and its stroke order, the attribute table, the
/// appearance table and the usage-example table of every reading, the legend and a footer with the
/// date and the program's name. The tables take the largest font from 34 down to 7 points (25) that
/// lets the sheet fit one slot; a sheet that does not fit even then keeps the largest and goes on in
/// the next slot under "（続き）" with the table's heading row again. Cells wrap their text; nothing is
/// drawn over anything else. On half a page the examples stand under the pages, in one table.
class SheetLayout {
public:
    SheetLayout(KanjiPage page, SheetStyle style, SheetOptions options);

    int slotCount() const { return m_slots; }
    /// The tables' font size, in tenths of a millimetre.
    double tableFont() const { return m_tableFont; }
    /// The size of a slot, in tenths of a millimetre: A4, or half of it with two kanji a page.
    static QSizeF slotSize(const SheetOptions& options);

    /// Draws slot `slot` with the painter in tenths of a millimetre, the slot's top left at the origin.
    void draw(QPainter& painter, int slot) const;

private:
    enum class Kind { Title, Notice, KanjiHead, Attributes, Heading, Row, Continued };
    struct Block {
        Kind kind;
        int slot = 0;
        double y = 0;
        double height = 0;
        int table = 0; ///< 0 the appearances, 1 the examples
        int row = -1;  ///< the table's row; -1 for its heading row
    };

    void layOut(double tableFont);
    void place(Kind kind, double height, int table = 0, int row = -1);
    void placeTable(int table);
    void newSlot();
    double rowHeight(int table, int row) const;
    double bodyBottom() const;
    const std::vector<std::array<QString, 7>>& rows(int table) const;
    void drawBlock(QPainter& painter, const Block& block) const;
    void drawTitle(QPainter& painter, double y, bool continued) const;
    void drawKanjiHead(QPainter& painter, double y) const;
    void drawAttributes(QPainter& painter, const QRectF& table) const;
    void drawRow(QPainter& painter, const Block& block) const;
    void drawLegendAndFooter(QPainter& painter, int slot) const;

    KanjiPage m_page;
    SheetStyle m_style;
    SheetOptions m_options;
    QSizeF m_size;
    double m_margin;
    double m_kanjiBox;
    double m_tableFont = 34;
    std::vector<Block> m_blocks;
    int m_slots = 1;
    bool m_merged = false; // the examples stand under the pages in one table
    double m_y = 0;        // where the next block goes while laying out
};

} // namespace sorban::sheets
