#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStaticText>
#include <QTransform>

#include <string>
#include <utility>
#include <vector>

class QPainter;

namespace sorban::platform {

/// Whole device pixels for a painter's logical pixels. At a fractional scale factor (1.25, 1.5)
/// a logical pixel covers a pixel and a part; cells and grid lines placed by rounding each edge
/// once meet edge to edge, so that no fill covers a grid line and every line has one width.
class DevicePixels {
public:
    explicit DevicePixels(const QPainter& painter);

    /// The device pixels of a cell at `rect` whose grid lines, `lineWidth` logical pixels wide,
    /// follow right of it and below it; the lines begin at the rectangle's right and bottom.
    QRect cell(const QRect& rect, int lineWidth) const;
    /// The device pixels of any logical rectangle.
    QRect map(const QRect& rect) const;
    /// A grid line's width in device pixels: the same for every line.
    int lineWidth(int logical) const;
    /// Fills device pixels; the painter keeps its logical coordinates.
    void fill(QPainter& painter, const QRect& device, const QColor& color) const;
    /// Clips the painter to device pixels.
    void clip(QPainter& painter, const QRect& device) const;

private:
    int x(int logical) const;
    int y(int logical) const;

    QTransform m_toDevice;     // logical to device pixels: a scale and a move
    QTransform m_world;        // the painter's own transform
    QTransform m_devicePixels; // the painter's transform under which coordinates are device pixels
    bool m_sameTransform;      // at scale 1 logical pixels are device pixels: no transform to swap
};

/// One text laid out once for each font it is drawn in. Drawing a laid-out text skips the text
/// shaping that is most of the cost of painting a table; a grid keeps one for each cell's text.
class LaidOutText {
public:
    struct Layout {
        QStaticText text;
        int width;  ///< the text's advance, as QFontMetrics::horizontalAdvance gives it
        int height; ///< the font's line height
    };

    /// `text` laid out in `font`, made at the first asking; `text` must be the same at each asking.
    const Layout& in(const QFont& font, const QString& text);
    void clear() { m_layouts.clear(); }

private:
    std::vector<std::pair<QFont, Layout>> m_layouts;
};

/// The drawing surface an owner-draw handler gets for one cell: a brush colour, the grid's font
/// with a size in points, boldness and a colour of its own, FillRect and a centred one-line
/// DrawText. All drawing stays inside the cell, short of its grid lines.
class Canvas {
public:
    /// `deviceCell` is the cell's place in device pixels, short of its grid lines. `cellText` and
    /// `layouts`, when given, are the cell's text and the layouts kept for it.
    Canvas(QPainter& painter, const QRect& cell, const DevicePixels& pixels, const QRect& deviceCell, const QFont& font,
           const QColor& fontColor, const QColor& brushColor, const QString* cellText = nullptr, LaidOutText* layouts = nullptr);
    /// Draws the pending default text if the handler left it uncovered.
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    /// The grid's own drawing of the cell's text, which comes before the handler's: it is drawn
    /// before the handler's first drawing, or never when that drawing is a fill of the whole cell.
    /// The text is the cell's text, at `at` in the grid's font and colour.
    void setDefaultText(const QPoint& at)
    {
        m_defaultPending = m_cellText && !m_cellText->isEmpty();
        m_defaultAt = at;
    }

    void setBrushColor(const QColor& color) { m_brush = color; }
    /// Size in points, as 96-dpi pixels: pt * 96 / 72.
    void setFontSize(int points);
    void setBold(bool bold) { m_font.setBold(bold); }
    void setFontColor(const QColor& color) { m_fontColor = color; }

    /// Fills `rect` (clipped to the cell, never its grid lines) with the brush colour.
    void FillRect(const QRect& rect);
    /// Draws `sjis` centred horizontally and vertically on one line in `rect`; "&x" underlines x
    /// and "&&" draws one "&", as access keys are written.
    void DrawText(const std::string& sjis, const QRect& rect);
    /// DrawText of a text already converted for display (a grid's cellText).
    void DrawText(const QString& text, const QRect& rect);

private:
    void drawDefaultText();

    QPainter& m_painter;
    QRect m_cell;
    const DevicePixels& m_pixels;
    QRect m_deviceCell;
    QFont m_font;
    QColor m_fontColor;
    QColor m_brush;
    const QString* m_cellText;
    LaidOutText* m_layouts;
    bool m_defaultPending = false; // until the handler draws
    QPoint m_defaultAt;
    QFont m_defaultFont; // the grid's font and text colour, whatever the handler sets
    QColor m_defaultColor;
};

/// Pixels of a size in points on the 96-dpi screens the layout was drawn for.
int pointsToPixels(int points);

} // namespace sorban::platform
