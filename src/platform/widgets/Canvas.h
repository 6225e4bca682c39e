#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include <string>

class QPainter;

namespace sorban::platform {

/// The drawing surface an owner-draw handler gets for one cell: a brush colour, a font (face,
/// size in points or pixel height, bold, colour), FillRect and a centred one-line DrawText. All
/// drawing is clipped to the cell. Texts are Shift-JIS.
class Canvas {
public:
    Canvas(QPainter& painter, const QRect& cell, const QFont& font, const QColor& fontColor, const QColor& brushColor);

    void setBrushColor(const QColor& color) { m_brush = color; }
    QColor brushColor() const { return m_brush; }

    void setFontName(const QString& family) { m_font.setFamily(family); }
    /// Size in points, as 96-dpi pixels: pt * 96 / 72.
    void setFontSize(int points);
    void setFontHeight(int pixels) { m_font.setPixelSize(pixels); }
    void setBold(bool bold) { m_font.setBold(bold); }
    void setFontColor(const QColor& color) { m_fontColor = color; }
    const QFont& font() const { return m_font; }
    QColor fontColor() const { return m_fontColor; }

    /// Fills `rect` (clipped to the cell) with the brush colour.
    void FillRect(const QRect& rect);
    /// Draws `sjis` centred horizontally and vertically on one line in `rect`; "&x" underlines x
    /// and "&&" draws one "&", as access keys are written.
    void DrawText(const std::string& sjis, const QRect& rect);
    /// DrawText of a text already converted for display (a grid's cellText).
    void DrawText(const QString& text, const QRect& rect);

private:
    QPainter& m_painter;
    QRect m_cell;
    QFont m_font;
    QColor m_fontColor;
    QColor m_brush;
};

/// Pixels of a size in points on the 96-dpi screens the layout was drawn for.
int pointsToPixels(int points);

} // namespace sorban::platform
