#include "Canvas.h"

#include "TextCodec.h"

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
    m_painter.save();
    m_painter.setClipRect(m_cell);
    m_painter.setFont(m_font);
    m_painter.setPen(m_fontColor);
    m_painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, QString::fromStdString(sjisToUtf8(sjis)));
    m_painter.restore();
}

} // namespace sorban::platform
