#include "platform/widgets/StringGrid.h"

#include "platform/core/TextCodec.h"
#include "platform/widgets/Canvas.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace sorban::platform {
namespace {

const QColor Window(255, 255, 255);
const QColor Highlight(0, 120, 215);
const QColor HighlightText(255, 255, 255);
const QColor CellLine(192, 192, 192);
const QColor FixedLine(128, 128, 128);
const std::string NoText;
const QString NoShownText;

} // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    setColCount(5);
    setRowCount(5);
    setDefaultRowHeight(24);
}

void StringGrid::resizeCells()
{
    m_cells.resize(m_rowHeights.size());
    for (auto& row : m_cells)
        row.resize(m_colWidths.size());
    m_col = std::clamp(m_col, 0, std::max(0, colCount() - 1));
    m_row = std::clamp(m_row, 0, std::max(0, rowCount() - 1));
    m_anchorCol = m_col;
    m_anchorRow = m_row;
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, colCount() - 1));
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, rowCount() - 1));
    updateScrollBars();
    viewport()->update();
    announceShape();
}

void StringGrid::setColCount(int count)
{
    m_colWidths.resize(static_cast<std::size_t>(std::max(count, 0)), m_defaultColWidth);
    resizeCells();
}

void StringGrid::setRowCount(int count)
{
    const int height = m_rowHeights.empty() ? 24 : m_rowHeights.front();
    m_rowHeights.resize(static_cast<std::size_t>(std::max(count, 0)), height);
    resizeCells();
}

void StringGrid::setFixedCols(int count)
{
    m_fixedCols = count;
    m_col = std::max(m_col, count);
    m_leftCol = std::max(m_leftCol, count);
    resizeCells();
}

void StringGrid::setFixedRows(int count)
{
    m_fixedRows = count;
    m_row = std::max(m_row, count);
    m_topRow = std::max(m_topRow, count);
    resizeCells();
}

void StringGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    resizeCells();
}

void StringGrid::setColWidth(int col, int width)
{
    m_colWidths.at(static_cast<std::size_t>(col)) = width;
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setDefaultRowHeight(int height)
{
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setRowHeight(int row, int height)
{
    m_rowHeights.at(static_cast<std::size_t>(row)) = height;
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setGridLineWidth(int width)
{
    m_lineWidth = width;
    updateScrollBars();
    viewport()->update();
}

void StringGrid::setFixedColor(const QColor& color)
{
    m_fixedColor = color;
    viewport()->update();
}

void StringGrid::setCell(int col, int row, std::string sjis)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return; // text for a cell outside the grid has nowhere to go
    auto& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    slot.written = m_refilling;
    if (slot.sjis == sjis)
        return;
    slot.shown.reset();
    slot.laid.clear();
    slot.sjis = std::move(sjis);
    announceChanged(col, row);
    if (!viewport()->isVisible())
        return; // a hidden grid is drawn whole when it is shown
    const QRect rect = cellRect(col, row);
    if (!rect.isEmpty())
        viewport()->update(rect);
}

void StringGrid::beginRefill()
{
    for (auto& row : m_cells)
        for (Cell& cell : row)
            cell.written = false;
    m_refilling = true;
}

void StringGrid::endRefill()
{
    m_refilling = false;
    for (int row = 0; row < rowCount(); ++row)
        for (int col = 0; col < colCount(); ++col)
            if (!m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].written && !cell(col, row).empty())
                setCell(col, row, {});
}

const std::string& StringGrid::cell(int col, int row) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return NoText;
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].sjis;
}

const QString& StringGrid::cellText(int col, int row) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return NoShownText;
    const Cell& slot = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (!slot.shown)
        slot.shown = QString::fromStdString(sjisToUtf8(slot.sjis));
    return *slot.shown;
}

QString StringGrid::accessibleName(int col, int row) const
{
    return m_reading.name ? m_reading.name(col, row) : cellText(col, row);
}

int StringGrid::headingRow(int row) const
{
    if (!m_reading.headingsCarryDown || m_fixedCols == 0)
        return row;
    for (int above = row; above >= m_fixedRows; --above)
        for (int col = 0; col < m_fixedCols; ++col)
            if (!cell(col, above).empty())
                return above;
    return row;
}

QRect StringGrid::selection() const
{
    return QRect(QPoint(std::min(m_col, m_anchorCol), std::min(m_row, m_anchorRow)),
                 QPoint(std::max(m_col, m_anchorCol), std::max(m_row, m_anchorRow)));
}

void StringGrid::setCurrent(int col, int row)
{
    m_col = std::clamp(col, 0, std::max(0, colCount() - 1));
    m_row = std::clamp(row, 0, std::max(0, rowCount() - 1));
    m_anchorCol = m_col;
    m_anchorRow = m_row;
    scrollIntoView(m_col, m_row);
    viewport()->update();
    announceCurrent();
}

void StringGrid::setTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

int StringGrid::colLeft(int col) const
{
    int x = 0;
    if (col < m_fixedCols) {
        for (int c = 0; c < col; ++c)
            x += m_colWidths[static_cast<std::size_t>(c)] + m_lineWidth;
        return x;
    }
    if (col < m_leftCol)
        return -1;
    for (int c = 0; c < m_fixedCols; ++c)
        x += m_colWidths[static_cast<std::size_t>(c)] + m_lineWidth;
    for (int c = m_leftCol; c < col; ++c)
        x += m_colWidths[static_cast<std::size_t>(c)] + m_lineWidth;
    return x;
}

int StringGrid::rowTop(int row) const
{
    int y = 0;
    if (row < m_fixedRows) {
        for (int r = 0; r < row; ++r)
            y += m_rowHeights[static_cast<std::size_t>(r)] + m_lineWidth;
        return y;
    }
    if (row < m_topRow)
        return -1;
    for (int r = 0; r < m_fixedRows; ++r)
        y += m_rowHeights[static_cast<std::size_t>(r)] + m_lineWidth;
    for (int r = m_topRow; r < row; ++r)
        y += m_rowHeights[static_cast<std::size_t>(r)] + m_lineWidth;
    return y;
}

QRect StringGrid::cellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return {};
    const int x = colLeft(col);
    const int y = rowTop(row);
    if (x < 0 || y < 0)
        return {};
    return QRect(x, y, m_colWidths[static_cast<std::size_t>(col)], m_rowHeights[static_cast<std::size_t>(row)]);
}

QPoint StringGrid::MouseToCell(const QPoint& pos) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return {-1, -1};
    const auto find = [this](int at, int count, int fixed, int first, const std::vector<int>& sizes) {
        int edge = 0;
        for (int i = 0; i < count; ++i) {
            if (i == fixed)
                i = first;
            if (i >= count)
                break;
            edge += sizes[static_cast<std::size_t>(i)] + m_lineWidth;
            if (at < edge)
                return i;
        }
        return -1;
    };
    const int col = find(pos.x(), colCount(), m_fixedCols, m_leftCol, m_colWidths);
    const int row = find(pos.y(), rowCount(), m_fixedRows, m_topRow, m_rowHeights);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

QSize StringGrid::room() const
{
    // The view's size once the scroll bars the content needs are in place; computed from the
    // frame, since the viewport itself is only resized when the grid is shown.
    const QSize full = contentsRect().size();
    const auto total = [this](const std::vector<int>& sizes) {
        int sum = 0;
        for (const int s : sizes)
            sum += s + m_lineWidth;
        return sum;
    };
    const int width = total(m_colWidths);
    const int height = total(m_rowHeights);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needH = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                 || (horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded && width > full.width());
    bool needV = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                 || (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded && height > full.height());
    if (needH && !needV && verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded)
        needV = height > full.height() - bar;
    if (needV && !needH && horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded)
        needH = width > full.width() - bar;
    return {full.width() - (needV ? bar : 0), full.height() - (needH ? bar : 0)};
}

int StringGrid::visibleRows() const
{
    const int height = room().height();
    int y = rowTop(m_fixedRows < rowCount() ? m_topRow : 0);
    int rows = 0;
    for (int r = m_topRow; r < rowCount(); ++r) {
        y += m_rowHeights[static_cast<std::size_t>(r)] + m_lineWidth;
        if (y > height)
            break;
        ++rows;
    }
    return std::max(rows, 1);
}

int StringGrid::visibleCols() const
{
    const int width = room().width();
    int x = colLeft(m_fixedCols < colCount() ? m_leftCol : 0);
    int cols = 0;
    for (int c = m_leftCol; c < colCount(); ++c) {
        x += m_colWidths[static_cast<std::size_t>(c)] + m_lineWidth;
        if (x > width)
            break;
        ++cols;
    }
    return std::max(cols, 1);
}

void StringGrid::updateScrollBars()
{
    // The last top row (left column) that still fills the view with the rows (columns) below it.
    const auto lastStart = [this](int count, int fixed, const std::vector<int>& sizes, int room) {
        int fixedSize = 0;
        for (int i = 0; i < fixed && i < count; ++i)
            fixedSize += sizes[static_cast<std::size_t>(i)] + m_lineWidth;
        int used = fixedSize;
        int start = count;
        while (start > fixed) {
            const int next = used + sizes[static_cast<std::size_t>(start - 1)] + m_lineWidth;
            if (next > room)
                break;
            used = next;
            --start;
        }
        return std::max(fixed, std::min(start, count - 1));
    };
    const QSize view = room();
    const int maxTop = lastStart(rowCount(), m_fixedRows, m_rowHeights, view.height());
    const int maxLeft = lastStart(colCount(), m_fixedCols, m_colWidths, view.width());
    verticalScrollBar()->setRange(m_fixedRows, std::max(m_fixedRows, maxTop));
    verticalScrollBar()->setPageStep(std::max(1, visibleRows()));
    horizontalScrollBar()->setRange(m_fixedCols, std::max(m_fixedCols, maxLeft));
    horizontalScrollBar()->setPageStep(std::max(1, visibleCols()));
    verticalScrollBar()->setValue(m_topRow);
    horizontalScrollBar()->setValue(m_leftCol);
}

void StringGrid::scrollContentsBy(int, int)
{
    m_topRow = verticalScrollBar()->value();
    m_leftCol = horizontalScrollBar()->value();
    viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StringGrid::scrollIntoView(int col, int row)
{
    if (row >= m_fixedRows) {
        if (row < m_topRow)
            verticalScrollBar()->setValue(row);
        else if (row >= m_topRow + visibleRows())
            verticalScrollBar()->setValue(row - visibleRows() + 1);
    }
    if (col >= m_fixedCols) {
        if (col < m_leftCol)
            horizontalScrollBar()->setValue(col);
        else if (col >= m_leftCol + visibleCols())
            horizontalScrollBar()->setValue(col - visibleCols() + 1);
    }
}

void StringGrid::moveTo(int col, int row, bool extend, bool scroll)
{
    if (colCount() <= m_fixedCols || rowCount() <= m_fixedRows)
        return;
    col = std::clamp(col, m_fixedCols, colCount() - 1);
    row = std::clamp(row, m_fixedRows, rowCount() - 1);
    bool allow = true;
    emit selectCell(col, row, &allow);
    if (!allow)
        return;
    m_col = col;
    m_row = row;
    if (!extend || !m_rangeSelect) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    if (scroll)
        scrollIntoView(col, row);
    viewport()->update();
    announceCurrent();
}

void StringGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    paintCells(painter);
}

void StringGrid::paintCells(QPainter& painter)
{
    painter.fillRect(viewport()->rect(), Window);
    const QRect sel = selection();
    const DevicePixels pixels(painter);
    const int lineWidth = pixels.lineWidth(m_lineWidth);
    const auto paintCell = [&](int col, int row) {
        const QRect rect = cellRect(col, row);
        const QRect device = pixels.cell(rect, m_lineWidth);
        CellState state;
        state.fixed = col < m_fixedCols || row < m_fixedRows;
        state.selected = !state.fixed && sel.contains(col, row);
        state.focused = hasFocus() && col == m_col && row == m_row;
        // The focused current cell keeps the ordinary look; other selected cells are highlighted.
        const bool highlighted = state.selected && !state.focused;
        const QColor brush = state.fixed ? m_fixedColor : highlighted ? Highlight : Window;
        const QColor text = highlighted ? HighlightText : palette().color(QPalette::WindowText);
        pixels.fill(painter, device, brush);
        if (lineWidth > 0) {
            const QColor line = state.fixed ? FixedLine : CellLine;
            pixels.fill(painter, QRect(device.right() + 1, device.top(), lineWidth, device.height() + lineWidth), line);
            pixels.fill(painter, QRect(device.left(), device.bottom() + 1, device.width() + lineWidth, lineWidth), line);
        }
        const QString& shown = cellText(col, row);
        LaidOutText& laid = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].laid;
        Canvas canvas(painter, rect, pixels, device, font(), text, brush, &shown, &laid);
        canvas.setDefaultText(rect.topLeft() + QPoint(2, 2));
        emit drawCell(col, row, rect, state, canvas);
    };
    const int width = viewport()->width();
    const int height = viewport()->height();
    for (int row = 0; row < rowCount(); ++row) {
        if (row >= m_fixedRows && row < m_topRow)
            row = m_topRow;
        if (row >= rowCount())
            break;
        const int top = rowTop(row);
        if (top >= height)
            break;
        for (int col = 0; col < colCount(); ++col) {
            if (col >= m_fixedCols && col < m_leftCol)
                col = m_leftCol;
            if (col >= colCount())
                break;
            if (colLeft(col) >= width)
                break;
            paintCell(col, row);
        }
    }
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = MouseToCell(event->position().toPoint());
    if (cell.x() < m_fixedCols || cell.y() < m_fixedRows)
        return;
    // No scrolling while the button is down: a partly shown cell stays under the pointer, so the
    // cell released on is the cell pressed and highlighted.
    moveTo(cell.x(), cell.y(), event->modifiers() & Qt::ShiftModifier, false);
    m_dragging = m_rangeSelect;
    emit clicked();
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint cell = MouseToCell(event->position().toPoint());
    if (cell.x() >= m_fixedCols && cell.y() >= m_fixedRows && (cell.x() != m_col || cell.y() != m_row))
        moveTo(cell.x(), cell.y(), true, false);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        scrollIntoView(m_col, m_row); // the picked cell comes fully into view afterwards
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(m_col, m_row - 1, shift);
        break;
    case Qt::Key_Down:
        moveTo(m_col, m_row + 1, shift);
        break;
    case Qt::Key_Left:
        moveTo(m_col - 1, m_row, shift);
        break;
    case Qt::Key_Right:
        moveTo(m_col + 1, m_row, shift);
        break;
    case Qt::Key_PageUp:
        moveTo(m_col, m_row - visibleRows(), shift);
        break;
    case Qt::Key_PageDown:
        moveTo(m_col, m_row + visibleRows(), shift);
        break;
    case Qt::Key_Home:
        moveTo(m_fixedCols, ctrl ? m_fixedRows : m_row, shift);
        break;
    case Qt::Key_End:
        moveTo(colCount() - 1, ctrl ? rowCount() - 1 : m_row, shift);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    // After the widget itself is announced as focused, which follows this handler.
    QMetaObject::invokeMethod(this, &StringGrid::announceCurrent, Qt::QueuedConnection);
}

void StringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void StringGrid::announceChanged(int col, int row)
{
    if (!QAccessible::isActive())
        return;
    if (m_changed.isNull())
        QMetaObject::invokeMethod(this, &StringGrid::announceChanges, Qt::QueuedConnection);
    m_changed |= QRect(col, row, 1, 1);
}

void StringGrid::announceChanges()
{
    if (m_changed.isNull())
        return;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(m_changed.top());
    event.setLastRow(std::min(m_changed.bottom(), rowCount() - 1));
    event.setFirstColumn(m_changed.left());
    event.setLastColumn(std::min(m_changed.right(), colCount() - 1));
    m_changed = {};
    QAccessible::updateAccessibility(&event);
}

void StringGrid::announceShape()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

void StringGrid::announceCurrent()
{
    if (!QAccessible::isActive() || m_row >= rowCount() || m_col >= colCount())
        return;
    QAccessibleEvent event(this, hasFocus() ? QAccessible::Focus : QAccessible::Selection);
    event.setChild(m_row * colCount() + m_col);
    QAccessible::updateAccessibility(&event);
}

} // namespace sorban::platform
