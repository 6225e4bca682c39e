#include "textcheck/MarkedTextPages.h"

#include "sheets/SheetParts.h"
#include "textcheck/MarkStyle.h"
#include "version/Version.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextTable>

namespace sorban::textcheck {
namespace {

// tenths of a millimetre, as every sheet
constexpr double Margin = 150;
constexpr double Inner = sheets::PageWidth - 2 * Margin;
constexpr double FooterTop = sheets::PageHeight - Margin - 60;
constexpr double BodyHeight = FooterTop - 20 - Margin;
constexpr double TextSize = 40;

QTextCharFormat plain(double size, bool bold = false)
{
    QTextCharFormat f;
    f.setFont(sheets::sheetFont(size));
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

} // namespace

MarkedTextPages::MarkedTextPages(const MarkedText& marked)
{
    m_doc.setDefaultFont(sheets::sheetFont(TextSize));
    m_doc.setDocumentMargin(0);
    m_doc.setPageSize(QSizeF(Inner, BodyHeight));
    QTextCursor c(&m_doc);
    c.insertText(marked.title, plain(52, true));
    for (const QString& note : marked.notes) {
        c.insertBlock();
        c.insertText(note, plain(30));
    }
    c.insertBlock();
    c.insertText(QStringLiteral("凡例："), plain(30));
    for (const MarkKind kind : Kinds) {
        QTextCharFormat f = markFormat(kind);
        f.merge(plain(30));
        c.insertText(QStringLiteral("字"), f);
        c.insertText(QStringLiteral(" ") + legendText(kind) + QStringLiteral("　"), plain(30));
    }
    c.insertBlock();
    c.insertBlock();
    const int textStart = c.position();
    c.insertText(marked.text, plain(TextSize));
    for (const MarkedText::Span& s : marked.spans) {
        QTextCursor mark(&m_doc);
        mark.setPosition(textStart + s.from);
        mark.setPosition(textStart + s.to, QTextCursor::KeepAnchor);
        mark.mergeCharFormat(markFormat(s.kind));
    }
    addList(marked);
}

void MarkedTextPages::addList(const MarkedText& marked)
{
    QTextCursor c(&m_doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    if (marked.rows.empty()) {
        c.insertText(QStringLiteral("印の付く漢字はありません。"), plain(30));
        return;
    }
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setCellPadding(6);
    format.setCellSpacing(0);
    format.setBorder(2);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* table = c.insertTable(static_cast<int>(marked.rows.size()) + 1, static_cast<int>(marked.headings.size()), format);
    for (int col = 0; col < marked.headings.size(); ++col)
        table->cellAt(0, col).firstCursorPosition().insertText(marked.headings[col], plain(28, true));
    for (std::size_t row = 0; row < marked.rows.size(); ++row)
        for (int col = 0; col < marked.rows[row].size(); ++col)
            table->cellAt(static_cast<int>(row) + 1, col).firstCursorPosition().insertText(marked.rows[row][col], plain(28));
}

int MarkedTextPages::pages() const
{
    return m_doc.pageCount();
}

void MarkedTextPages::drawPage(QPainter& painter, const QRectF& page, int index) const
{
    painter.save();
    painter.translate(page.topLeft());
    const double scale = std::min(page.width() / sheets::PageWidth, page.height() / sheets::PageHeight);
    painter.scale(scale, scale);
    painter.save();
    painter.translate(Margin, Margin - index * BodyHeight);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, index * BodyHeight, Inner, BodyHeight);
    painter.setClipRect(context.clip);
    m_doc.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setPen(QPen(QColor(90, 90, 90), 3));
    painter.drawLine(QPointF(Margin, FooterTop), QPointF(sheets::PageWidth - Margin, FooterTop));
    painter.setPen(Qt::black);
    painter.setFont(sheets::sheetFont(28));
    const QRectF footer(Margin, FooterTop + 10, Inner, 50);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(index + 1).arg(pages()));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sorban v") + QString::fromLatin1(Version));
    painter.restore();
}

} // namespace sorban::textcheck
