#include "sheets/TableDocument.h"

#include "sheets/SheetLayout.h"
#include "sheets/SheetParts.h"
#include "version/Version.h"

#include <QFontMetricsF>
#include <QPainter>

#include <numeric>

namespace sorban::sheets {
namespace {

constexpr double Margin = 150;
constexpr double Inner = PageWidth - 2 * Margin;
constexpr double TextSize = 32;
constexpr double NoteLine = 50;
constexpr double FooterTop = PageHeight - Margin - 60;
constexpr int CellFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere;

double headTop(const TableDocument& doc)
{
    return Margin + 110 + NoteLine * static_cast<double>(doc.notes.size()) + 20;
}

} // namespace

TablePages::TablePages(TableDocument document) : m_doc(std::move(document))
{
    static_assert(TextSize >= SmallestText);
    const double head = rowHeight(m_doc.headings);
    const double top = headTop(m_doc) + head;
    double y = top;
    m_firstRow.push_back(0);
    for (std::size_t row = 0; row < m_doc.rows.size(); ++row) {
        m_heights.push_back(rowHeight(m_doc.rows[row]));
        if (y + m_heights.back() > FooterTop - 20 && y > top) {
            m_firstRow.push_back(row);
            y = top;
        }
        y += m_heights.back();
    }
}

double TablePages::columnWidth(int col) const
{
    const double total = std::accumulate(m_doc.widths.begin(), m_doc.widths.end(), 0.0);
    const auto c = static_cast<std::size_t>(col);
    return c < m_doc.widths.size() && total > 0 ? Inner * m_doc.widths[c] / total : 0;
}

double TablePages::rowHeight(const QStringList& cells) const
{
    const QFontMetricsF metrics(sheetFont(TextSize));
    double tallest = metrics.height();
    for (int col = 0; col < cells.size(); ++col)
        tallest = std::max(tallest, metrics.boundingRect(QRectF(0, 0, columnWidth(col) - 16, 1e6), CellFlags, cells[col]).height());
    return std::min(tallest + 16, FooterTop - 20 - headTop(m_doc) - 200); // a row never outgrows a page
}

void TablePages::drawPage(QPainter& painter, const QRectF& page, int index) const
{
    painter.save();
    painter.translate(page.topLeft());
    const double scale = std::min(page.width() / PageWidth, page.height() / PageHeight);
    painter.scale(scale, scale);
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(52));
    painter.drawText(QRectF(Margin, Margin, Inner, 80), Qt::AlignLeft | Qt::AlignVCenter, m_doc.title);
    painter.setPen(QPen(Qt::black, 5));
    painter.drawLine(QPointF(Margin, Margin + 95), QPointF(PageWidth - Margin, Margin + 95));
    painter.setFont(sheetFont(34));
    double y = Margin + 110;
    for (const QString& note : m_doc.notes) {
        painter.setPen(note.contains(QStringLiteral("見本")) ? QColor(190, 0, 0) : QColor(Qt::black));
        painter.drawText(QRectF(Margin, y, Inner, NoteLine), Qt::AlignLeft | Qt::AlignVCenter, note);
        y += NoteLine;
    }
    y = headTop(m_doc);
    painter.setFont(sheetFont(TextSize));
    const auto drawRow = [&](const QStringList& cells, double height, bool heading) {
        double x = Margin;
        for (int col = 0; col < m_doc.headings.size(); ++col) {
            const QRectF cell(x, y, columnWidth(col), height);
            if (heading)
                painter.fillRect(cell, QColor(225, 235, 245));
            painter.setPen(QPen(QColor(90, 90, 90), 3));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.drawText(cell.adjusted(8, 4, -8, -4), CellFlags, col < cells.size() ? cells[col] : QString());
            x += cell.width();
        }
        y += height;
    };
    drawRow(m_doc.headings, rowHeight(m_doc.headings), true);
    const auto at = static_cast<std::size_t>(index);
    const std::size_t from = m_firstRow[at];
    const std::size_t to = at + 1 < m_firstRow.size() ? m_firstRow[at + 1] : m_doc.rows.size();
    painter.setClipRect(QRectF(0, 0, PageWidth, FooterTop - 10));
    for (std::size_t row = from; row < to; ++row)
        drawRow(m_doc.rows[row], m_heights[row], false);
    painter.setClipping(false);
    if (m_doc.rows.empty())
        painter.drawText(QRectF(Margin, y + 20, Inner, NoteLine), Qt::AlignLeft | Qt::AlignVCenter, m_doc.empty);
    painter.setPen(QPen(QColor(90, 90, 90), 3));
    painter.drawLine(QPointF(Margin, FooterTop), QPointF(PageWidth - Margin, FooterTop));
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(28));
    const QRectF footer(Margin, FooterTop + 10, Inner, 50);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(index + 1).arg(pages()));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sorban v") + QString::fromLatin1(Version));
    painter.restore();
}

} // namespace sorban::sheets
