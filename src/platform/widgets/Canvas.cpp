#include "Canvas.h"

#include "TextCodec.h"

#include <QFontMetrics>
#include <QPainter>

namespace sorban::platform {

int pointsToPixels(int points)
{
    return (points * 96 + 36) / 72;
}

Canvas::Canvas(QPainter& painter, const QRect& cell, const QFont& font, const QColor& fontColor, const QColor& brushColor)
    : m_painter(painter), m_cell(cell), m_font(font), m_fontColor(fontColor), m_brush(brushColor)
{
}

void Canvas::setFontSize(int points)
{
    m_font.setPixelSize(std::max(1, pointsToPixels(points)));
}

void Canvas::FillRect(const QRect& rect)
{
    m_painter.fillRect(rect.intersected(m_cell), m_brush);
}

void Canvas::DrawText(const std::string& sjis, const QRect& rect)
{
    DrawText(QString::fromStdString(sjisToUtf8(sjis)), rect);
}

void Canvas::DrawText(const QString& text, const QRect& rect)
{
    if (text.isEmpty())
        return;
    m_painter.setClipRect(m_cell);
    m_painter.setFont(m_font);
    m_painter.setPen(m_fontColor);
    if (text.contains(u'&')) {
        m_painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
    } else {
        // Most cells have no access key: placing the line by hand skips the text layout.
        const QFontMetrics metrics(m_font);
        const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
        const int y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
        m_painter.drawText(QPoint(x, y), text);
    }
    m_painter.setClipping(false);
}

} // namespace sorban::platform
