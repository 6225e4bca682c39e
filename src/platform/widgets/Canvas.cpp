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
      m_devicePixels(painter.deviceTransform().inverted() * painter.worldTransform()), m_sameTransform(m_devicePixels == m_world)
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
    if (m_sameTransform) {
        painter.fillRect(device, color);
        return;
    }
    painter.setWorldTransform(m_devicePixels);
    painter.fillRect(device, color);
    painter.setWorldTransform(m_world);
}

void DevicePixels::clip(QPainter& painter, const QRect& device) const
{
    if (m_sameTransform) {
        painter.setClipRect(device);
        return;
    }
    painter.setWorldTransform(m_devicePixels);
    painter.setClipRect(device);
    painter.setWorldTransform(m_world);
}

const LaidOutText::Layout& LaidOutText::in(const QFont& font, const QString& text)
{
    for (const auto& [laidFont, layout] : m_layouts)
        if (laidFont == font)
            return layout;
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
    const QFontMetrics metrics(font);
    m_layouts.emplace_back(font, Layout{laid, qRound(laid.size().width()), metrics.height()});
    return m_layouts.back().second;
}

Canvas::Canvas(QPainter& painter, const QRect& cell, const DevicePixels& pixels, const QRect& deviceCell, const QFont& font,
               const QColor& fontColor, const QColor& brushColor, const QString* cellText, LaidOutText* layouts)
    : m_painter(painter), m_cell(cell), m_pixels(pixels), m_deviceCell(deviceCell), m_font(font), m_fontColor(fontColor),
      m_brush(brushColor), m_cellText(cellText), m_layouts(layouts), m_defaultFont(font), m_defaultColor(fontColor)
{}

Canvas::~Canvas()
{
    drawDefaultText();
}

void Canvas::drawDefaultText()
{
    if (!m_defaultPending)
        return;
    m_defaultPending = false;
    LaidOutText once;
    const QStaticText& text = (m_layouts ? *m_layouts : once).in(m_defaultFont, *m_cellText).text;
    m_pixels.clip(m_painter, m_deviceCell);
    m_painter.setFont(m_defaultFont);
    m_painter.setPen(m_defaultColor);
    m_painter.drawStaticText(m_defaultAt, text);
    m_painter.setClipping(false);
}

void Canvas::setFontSize(int points)
{
    m_font.setPixelSize(std::max(1, pointsToPixels(points)));
}

void Canvas::FillRect(const QRect& rect)
{
    const QRect device = rect == m_cell ? m_deviceCell : m_pixels.map(rect).intersected(m_deviceCell);
    if (device == m_deviceCell)
        m_defaultPending = false; // covered before it was drawn
    drawDefaultText();
    m_pixels.fill(m_painter, device, m_brush);
}

void Canvas::DrawText(const std::string& sjis, const QRect& rect)
{
    DrawText(QString::fromStdString(sjisToUtf8(sjis)), rect);
}

void Canvas::DrawText(const QString& text, const QRect& rect)
{
    drawDefaultText();
    if (text.isEmpty())
        return;
    m_pixels.clip(m_painter, m_deviceCell);
    m_painter.setFont(m_font);
    m_painter.setPen(m_fontColor);
    if (text.contains(u'&')) {
        m_painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
    } else {
        // Most cells have no access key: the line is placed by hand, laid out once for the cell.
        LaidOutText once;
        LaidOutText& layouts = m_layouts && m_cellText && *m_cellText == text ? *m_layouts : once;
        const LaidOutText::Layout& laid = layouts.in(m_font, text);
        const int x = rect.left() + (rect.width() - laid.width) / 2;
        const int y = rect.top() + (rect.height() - laid.height) / 2;
        m_painter.drawStaticText(QPoint(x, y), laid.text);
    }
    m_painter.setClipping(false);
}

} // namespace sorban::platform
