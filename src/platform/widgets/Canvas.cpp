#include "platform/widgets/Canvas.h"

#include "platform/core/TextCodec.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace sorban::platform {

int pointsToPixels(int points)
{
    return (points * 96 + 36) / 72;
}

DevicePixels::DevicePixels(const QPainter& painter)
    : m_toDevice(painter.deviceTransform()), m_world(painter.worldTransform()),
      m_devicePixels(painter.deviceTransform().inverted() * painter.worldTransform())
{}

int DevicePixels::x(int logical) const
{
    return qRound(logical * m_toDevice.m11() + m_toDevice.dx());
}

int DevicePixels::y(int logical) const
{
    return qRound(logical * m_toDevice.m22() + m_toDevice.dy());
}

int DevicePixels::lineWidth(int logical) const
{
    return logical > 0 ? std::max(1, qRound(logical * m_toDevice.m11())) : 0;
}

QRect DevicePixels::cell(const QRect& rect, int lineWidth) const
{
    // The cell ends where the next one begins, less one line's width.
    const int lines = this->lineWidth(lineWidth);
    const int left = x(rect.x());
    const int top = y(rect.y());
    return QRect(left, top, x(rect.x() + rect.width() + lineWidth) - lines - left, y(rect.y() + rect.height() + lineWidth) - lines - top);
}

QRect DevicePixels::map(const QRect& rect) const
{
    const int left = x(rect.x());
    const int top = y(rect.y());
    return QRect(left, top, x(rect.x() + rect.width()) - left, y(rect.y() + rect.height()) - top);
}

void DevicePixels::fill(QPainter& painter, const QRect& device, const QColor& color) const
{
    painter.setWorldTransform(m_devicePixels);
    painter.fillRect(device, color);
    painter.setWorldTransform(m_world);
}

void DevicePixels::clip(QPainter& painter, const QRect& device) const
{
    painter.setWorldTransform(m_devicePixels);
    painter.setClipRect(device);
    painter.setWorldTransform(m_world);
}

Canvas::Canvas(QPainter& painter, const QRect& cell, const DevicePixels& pixels, const QRect& deviceCell, const QFont& font,
               const QColor& fontColor, const QColor& brushColor)
    : m_painter(painter), m_cell(cell), m_pixels(pixels), m_deviceCell(deviceCell), m_font(font), m_fontColor(fontColor),
      m_brush(brushColor)
{}

void Canvas::setFontSize(int points)
{
    m_font.setPixelSize(std::max(1, pointsToPixels(points)));
}

void Canvas::FillRect(const QRect& rect)
{
    const QRect device = rect == m_cell ? m_deviceCell : m_pixels.map(rect).intersected(m_deviceCell);
    m_pixels.fill(m_painter, device, m_brush);
}

void Canvas::DrawText(const std::string& sjis, const QRect& rect)
{
    DrawText(QString::fromStdString(sjisToUtf8(sjis)), rect);
}

void Canvas::DrawText(const QString& text, const QRect& rect)
{
    if (text.isEmpty())
        return;
    m_pixels.clip(m_painter, m_deviceCell);
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
