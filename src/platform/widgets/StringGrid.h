#pragma once

#include "platform/widgets/Canvas.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorban::platform {

/// Drawing state of one cell.
struct CellState {
    bool selected = false; ///< the current cell or inside the selected range
    bool focused = false;  ///< the current cell while the grid has the focus
    bool fixed = false;    ///< a fixed (heading) row or column
};

/// A grid of Shift-JIS text cells with fixed heading rows and columns that stay in view, a
/// current cell, a rectangular selection, keyboard navigation, scrolling by whole rows and
/// columns, and an owner-draw hook that runs after the grid's own painting of each cell.
class StringGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StringGrid(QWidget* parent = nullptr);

    // Shape.
    void setColCount(int count);
    void setRowCount(int count);
    int colCount() const { return static_cast<int>(m_colWidths.size()); }
    int rowCount() const { return static_cast<int>(m_rowHeights.size()); }
    void setFixedCols(int count);
    void setFixedRows(int count);
    int fixedCols() const { return m_fixedCols; }
    int fixedRows() const { return m_fixedRows; }
    void setDefaultColWidth(int width);
    void setColWidth(int col, int width);
    /// Sets every row's height, as a grid's default row height does.
    void setDefaultRowHeight(int height);
    void setRowHeight(int row, int height);
    void setGridLineWidth(int width);
    void setRangeSelect(bool on) { m_rangeSelect = on; }
    void setFixedColor(const QColor& color);

    // Cells.
    void setCell(int col, int row, std::string sjis);
    /// Rewriting the whole grid: the cells not set between beginRefill and endRefill become empty,
    /// and a cell set to the text it had keeps what was made for drawing it. The grid's shape
    /// stays the same in between.
    void beginRefill();
    void endRefill();
    const std::string& cell(int col, int row) const;
    /// The cell's text as it is drawn: converted from Shift-JIS when the cell is first drawn or
    /// asked for, and kept until the cell changes.
    const QString& cellText(int col, int row) const;

    /// How a screen reader reads the grid: `name` names a cell where its text alone does not say
    /// what it is (a mark, a cell told apart only by its colour; empty: the text), and with
    /// `headingsCarryDown` a row whose heading cell is empty belongs to the nearest heading above
    /// it (a group laid out over several rows).
    struct Reading {
        std::function<QString(int col, int row)> name;
        bool headingsCarryDown = false;
    };
    void setReading(Reading reading) { m_reading = std::move(reading); }
    const Reading& reading() const { return m_reading; }
    /// What a screen reader is told the cell is.
    QString accessibleName(int col, int row) const;
    /// The row whose fixed cells head `row`: the row itself, or with headingsCarryDown the nearest
    /// row at or above it whose heading is not empty.
    int headingRow(int row) const;

    // Current cell and selection.
    int col() const { return m_col; }
    int row() const { return m_row; }
    /// Makes (col, row) the current cell and the whole selection, scrolling it into view.
    void setCurrent(int col, int row);
    /// The selected range: left, top, right, bottom (inclusive).
    QRect selection() const;
    bool isSelected(int col, int row) const { return selection().contains(col, row); }
    int topRow() const { return m_topRow; }
    void setTopRow(int row);

    /// The cell under a point of the viewport, or (-1, -1) outside every cell.
    QPoint MouseToCell(const QPoint& pos) const;
    /// The cell's rectangle in viewport coordinates (empty when scrolled out of view).
    QRect cellRect(int col, int row) const;

    /// Renders the grid's viewport as it would appear on screen.
    void paintCells(QPainter& painter);

signals:
    /// Owner draw: runs for each painted cell after the grid's own painting.
    void drawCell(int col, int row, const QRect& rect, const sorban::platform::CellState& state, sorban::platform::Canvas& canvas);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    /// A key pressed while the grid has the focus, before the grid's own navigation.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    /// A mouse click selected a cell.
    void clicked();
    /// Asked before a cell becomes current; clear *allow to refuse.
    void selectCell(int col, int row, bool* allow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void resizeCells();
    void updateScrollBars();
    QSize room() const;
    int visibleRows() const;
    int visibleCols() const;
    void moveTo(int col, int row, bool extend, bool scroll = true);
    void scrollIntoView(int col, int row);
    int colLeft(int col) const;
    int rowTop(int row) const;
    // What a screen reader is told: a changed cell (told once per turn of the event loop for all
    // cells changed in it), a new shape, a new current cell.
    void announceChanged(int col, int row);
    void announceChanges();
    void announceShape();
    void announceCurrent();

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    struct Cell {
        std::string sjis;
        // The text as drawn, converted on first drawing: most cells of a hidden grid never are.
        mutable std::optional<QString> shown;
        mutable LaidOutText laid; // `shown` laid out in each font it has been drawn in
        bool written = false;     // set during the refill under way
    };
    std::vector<std::vector<Cell>> m_cells; // [row][col]
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_lineWidth = 1;
    bool m_rangeSelect = false;
    QColor m_fixedColor{192, 192, 192};
    int m_col = 1;
    int m_row = 1;
    int m_anchorCol = 1;
    int m_anchorRow = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    bool m_dragging = false;
    QRect m_changed;          // cells changed since the screen reader was last told, as (col, row) points
    bool m_refilling = false; // between beginRefill and endRefill
    Reading m_reading;
};

} // namespace sorban::platform
