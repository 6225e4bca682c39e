#include "sheets/SheetLayout.h"

#include "sheets/SheetParts.h"
#include "version/Version.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace sorban::sheets {
namespace {

constexpr std::array<double, 7> ColumnWidths = {330, 245, 245, 245, 245, 245, 245};
// The tables' font sizes tried in turn, largest first; the last is 7 points.
constexpr std::array<double, 4> TableFonts = {34, 31, 28, SmallestText};
constexpr double TitleHeight = 120;
constexpr double NoticeHeight = 70;
constexpr double AttributesHeight = 60 + 130 + 50;
constexpr double HeadingHeight = 60;
constexpr double TableGap = 40;
constexpr double LegendLine = 45;
constexpr double FooterHeight = 60;

const QColor Ink(0, 0, 0);
const QColor Rule(90, 90, 90);
const QColor HeadingFill(225, 235, 245);
const QColor ReadingFill(240, 240, 228);
const QColor SampleRed(190, 0, 0);

// Text that does not fit its cell on one line is broken anywhere, as Japanese text is.
constexpr int CellFlags = Qt::AlignCenter | Qt::TextWrapAnywhere;

} // namespace

QSizeF SheetLayout::slotSize(const SheetOptions& options)
{
    return {PageWidth, options.twoPerPage ? PageHeight / 2 : PageHeight};
}

SheetLayout::SheetLayout(KanjiPage page, SheetStyle style, SheetOptions options)
    : m_page(std::move(page)), m_style(std::move(style)), m_options(options), m_size(slotSize(options)),
      m_margin(options.twoPerPage ? 90 : 150), m_kanjiBox(options.twoPerPage ? 300 : 470)
{
    if (!m_options.examples)
        m_page.examples.clear();
    if (m_options.twoPerPage && !m_page.examples.empty()) {
        // Half a page holds one table: each cell the page and, under it, the example.
        for (std::size_t row = 0; row < m_page.appearances.size() && row < m_page.examples.size(); ++row)
            for (std::size_t col = 1; col < 7; ++col)
                m_page.appearances[row][col] += QLatin1Char('\n') + m_page.examples[row][col];
        m_page.examples.clear();
        m_merged = true;
    }
    for (const double font : TableFonts) {
        layOut(font);
        if (m_slots == 1)
            return;
    }
    layOut(TableFonts.front()); // it takes more than one slot anyway: at the most legible size
}

void SheetLayout::layOut(double tableFont)
{
    m_tableFont = tableFont;
    m_blocks.clear();
    m_slots = 1;
    m_y = m_margin;
    place(Kind::Title, TitleHeight);
    if (m_page.sample)
        place(Kind::Notice, NoticeHeight);
    place(Kind::KanjiHead, m_kanjiBox + 50);
    if (!m_options.twoPerPage) // a half page has the attributes beside the kanji
        place(Kind::Attributes, AttributesHeight);
    placeTable(0);
    if (!m_page.examples.empty())
        placeTable(1);
}

void SheetLayout::place(Kind kind, double height, int table, int row)
{
    m_blocks.push_back({kind, m_slots - 1, m_y, height, table, row});
    m_y += height;
}

void SheetLayout::newSlot()
{
    ++m_slots;
    m_y = m_margin;
    place(Kind::Continued, TitleHeight);
}

// A table's heading stays with its heading row and first row; a row that does not fit goes on in
// the next slot, under the table's heading row again.
void SheetLayout::placeTable(int table)
{
    const double start = HeadingHeight + rowHeight(table, -1) + (rows(table).empty() ? 0 : rowHeight(table, 0));
    if (m_y + start > bodyBottom() && m_y > m_margin + TitleHeight)
        newSlot();
    place(Kind::Heading, HeadingHeight, table);
    place(Kind::Row, rowHeight(table, -1), table, -1);
    for (int row = 0; row < static_cast<int>(rows(table).size()); ++row) {
        const double height = rowHeight(table, row);
        if (m_y + height > bodyBottom()) {
            newSlot();
            place(Kind::Row, rowHeight(table, -1), table, -1);
        }
        place(Kind::Row, height, table, row);
    }
    m_y += TableGap;
}

const std::vector<std::array<QString, 7>>& SheetLayout::rows(int table) const
{
    return table == 0 ? m_page.appearances : m_page.examples;
}

double SheetLayout::rowHeight(int table, int row) const
{
    const std::array<QString, 7>& cells = row < 0 ? m_page.columns : rows(table)[static_cast<std::size_t>(row)];
    const QFontMetricsF metrics(sheetFont(m_tableFont));
    double tallest = metrics.height();
    for (std::size_t col = 0; col < cells.size(); ++col)
        if (!cells[col].isEmpty())
            tallest = std::max(tallest, metrics.boundingRect(QRectF(0, 0, ColumnWidths[col] - 16, 1e6), CellFlags, cells[col]).height());
    return tallest + 18;
}

double SheetLayout::bodyBottom() const
{
    const int legendLines = m_page.examples.empty() && !m_merged ? 1 : 2;
    return m_size.height() - m_margin - FooterHeight - 20 - legendLines * LegendLine - 15;
}

void SheetLayout::draw(QPainter& painter, int slot) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Block& block : m_blocks)
        if (block.slot == slot)
            drawBlock(painter, block);
    drawLegendAndFooter(painter, slot);
    painter.restore();
}

void SheetLayout::drawBlock(QPainter& painter, const Block& block) const
{
    const double inner = m_size.width() - 2 * m_margin;
    switch (block.kind) {
    case Kind::Title:
    case Kind::Continued:
        drawTitle(painter, block.y, block.kind == Kind::Continued);
        break;
    case Kind::Notice:
        painter.setPen(SampleRed);
        painter.setFont(sheetFont(36));
        painter.drawText(QRectF(m_margin, block.y, inner, 50), Qt::AlignLeft | Qt::AlignVCenter, sampleNotice());
        break;
    case Kind::KanjiHead:
        drawKanjiHead(painter, block.y);
        break;
    case Kind::Attributes:
        painter.setPen(Ink);
        painter.setFont(sheetFont(40));
        painter.drawText(QRectF(m_margin, block.y, inner, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("◆属性"));
        painter.setFont(sheetFont(30));
        painter.drawText(QRectF(m_margin, block.y, inner, 50), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("*部首(読み)の欄はあくまで参考です。"));
        drawAttributes(painter, QRectF(m_margin, block.y + 60, inner, 130));
        break;
    case Kind::Heading:
        painter.setPen(Ink);
        painter.setFont(sheetFont(40));
        painter.drawText(QRectF(m_margin, block.y, inner, 50), Qt::AlignLeft | Qt::AlignVCenter,
                         block.table == 1 ? QStringLiteral("◆用例")
                         : m_merged       ? QStringLiteral("◆教科書別・読み別 出現ページ（下に用例）")
                                          : QStringLiteral("◆教科書別・読み別 出現ページ"));
        painter.setFont(sheetFont(30));
        painter.drawText(QRectF(m_margin, block.y, inner, 50), Qt::AlignRight | Qt::AlignVCenter,
                         block.table == 1 || m_merged ? m_page.exampleNote : QString());
        break;
    case Kind::Row:
        drawRow(painter, block);
        break;
    }
}

// The title line and the edition note; a slot that goes on with a sheet names its kanji and says so.
void SheetLayout::drawTitle(QPainter& painter, double y, bool continued) const
{
    const QRectF line(m_margin, y, m_size.width() - 2 * m_margin, 80);
    painter.setPen(Ink);
    painter.setFont(sheetFont(58));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("◇教育漢字教科書別・読み別 出現ページ表◇"));
    painter.setFont(sheetFont(36));
    const QString right = continued ? m_page.kanji + QStringLiteral("（漢字番号 %1）（続き）").arg(m_page.number) : m_page.appearanceNote;
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, right);
    painter.setPen(QPen(Ink, 5));
    painter.drawLine(QPointF(m_margin, y + 95), QPointF(m_size.width() - m_margin, y + 95));
}

// The kanji large in the settings' kanji font, its number and reading count, and its stroke order.
void SheetLayout::drawKanjiHead(QPainter& painter, double y) const
{
    const QRectF kanjiBox(m_margin, y, m_kanjiBox, m_kanjiBox);
    painter.setPen(QPen(Rule, 4));
    painter.drawRect(kanjiBox);
    QFont large(m_style.kanjiFamily);
    large.setPixelSize(static_cast<int>(m_kanjiBox * 0.83));
    painter.setFont(large);
    painter.setPen(Ink);
    painter.drawText(kanjiBox, Qt::AlignCenter, m_page.kanji);
    painter.setFont(sheetFont(50));
    painter.drawText(QRectF(kanjiBox.right() + 50, y, 700, 70), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("漢字番号 ") + QString::number(m_page.number));
    painter.setFont(sheetFont(34));
    painter.drawText(QRectF(kanjiBox.right() + 50, y + 80, 700, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("読み数 ") + QString::number(m_page.readings));
    const QRectF pictureBox(m_size.width() - m_margin - m_kanjiBox, y, m_kanjiBox, m_kanjiBox);
    if (m_options.twoPerPage)
        drawAttributes(painter, QRectF(kanjiBox.right() + 50, y + 150, pictureBox.left() - kanjiBox.right() - 100, 130));
    if (!m_options.picture)
        return;
    if (const std::optional<QImage> picture = strokeOrderPicture(m_page.picture)) {
        const QSizeF fitted = QSizeF(picture->size()).scaled(pictureBox.size() - QSizeF(20, 70), Qt::KeepAspectRatio);
        const QRectF target(pictureBox.center().x() - fitted.width() / 2, pictureBox.top() + 10, fitted.width(), fitted.height());
        painter.drawImage(target, *picture);
        painter.setFont(sheetFont(30));
        painter.drawText(QRectF(pictureBox.left(), pictureBox.bottom() - 50, pictureBox.width(), 50), Qt::AlignCenter,
                         QStringLiteral("筆順"));
        painter.setPen(QPen(Rule, 4));
        painter.drawRect(pictureBox);
    }
}

// Six headings over six values.
void SheetLayout::drawAttributes(QPainter& painter, const QRectF& table) const
{
    painter.setFont(sheetFont(36));
    const double width = table.width() / 6;
    for (std::size_t col = 0; col < 6; ++col) {
        const QRectF heading(table.left() + width * static_cast<double>(col), table.top(), width, table.height() / 2);
        const QRectF value = heading.translated(0, heading.height());
        painter.fillRect(heading, HeadingFill);
        painter.setPen(QPen(Rule, 3));
        painter.drawRect(heading);
        painter.drawRect(value);
        painter.setPen(Ink);
        painter.drawText(heading, Qt::AlignCenter, m_page.attributeHeadings[col]);
        painter.drawText(value, Qt::AlignCenter, m_page.attributes[col]);
    }
}

void SheetLayout::drawRow(QPainter& painter, const Block& block) const
{
    const bool heading = block.row < 0;
    const std::array<QString, 7>& cells = heading ? m_page.columns : rows(block.table)[static_cast<std::size_t>(block.row)];
    const double height = block.height;
    // A row taller than a whole slot is cut at the body's end rather than drawn over the legend.
    painter.setClipRect(QRectF(0, 0, m_size.width(), bodyBottom()));
    painter.setFont(sheetFont(m_tableFont));
    double x = m_margin;
    for (std::size_t col = 0; col < cells.size(); ++col) {
        const QRectF cell(x, block.y, ColumnWidths[col], height);
        if (heading || col == 0)
            painter.fillRect(cell, heading ? HeadingFill : ReadingFill);
        painter.setPen(QPen(Rule, 3));
        painter.drawRect(cell);
        painter.setPen(Ink);
        painter.drawText(cell.adjusted(8, 4, -8, -4), CellFlags, cells[col]);
        x += ColumnWidths[col];
    }
    painter.setClipping(false);
}

void SheetLayout::drawLegendAndFooter(QPainter& painter, int slot) const
{
    const double inner = m_size.width() - 2 * m_margin;
    const double footerTop = m_size.height() - m_margin - FooterHeight;
    double y = bodyBottom() + 15;
    painter.setPen(Ink);
    painter.setFont(sheetFont(30));
    painter.drawText(QRectF(m_margin, y, inner, LegendLine), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("◎カタカナ…音読み，ひらがな…訓読み　　(▲)…小学校では習わない読み方"));
    if (!m_page.examples.empty() || m_merged)
        painter.drawText(QRectF(m_margin, y + LegendLine, inner, LegendLine), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("☆用例中、漢字の直前の記号「・」は同ページ後出、「*」は後出ルビ、「…」は中略、「#」は表外読み。"));
    painter.setPen(QPen(Rule, 3));
    painter.drawLine(QPointF(m_margin, footerTop), QPointF(m_size.width() - m_margin, footerTop));
    painter.setPen(Ink);
    painter.setFont(sheetFont(28));
    const QRectF footer(m_margin, footerTop + 10, inner, 50);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, m_style.date.toString(QStringLiteral("yyyy年M月d日")));
    if (m_slots > 1)
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, m_page.kanji + QStringLiteral(" %1 / %2").arg(slot + 1).arg(m_slots));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sorban v") + QString::fromLatin1(Version));
}

} // namespace sorban::sheets
