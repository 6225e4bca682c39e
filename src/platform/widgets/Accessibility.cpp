#include "platform/widgets/Accessibility.h"

#include "platform/widgets/StringGrid.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <map>
#include <utility>

namespace sorban::platform {
namespace {

const char* const RoleProperty = "sorbanAccessibleRole";

bool isFixed(const StringGrid& grid, int col, int row)
{
    return col < grid.fixedCols() || row < grid.fixedRows();
}

// One cell of a grid. A cell has no widget of its own: the grid's interface makes it when a screen
// reader asks and keeps it until the grid's shape changes or the grid goes.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(StringGrid* grid, int col, int row) : m_grid(grid), m_col(col), m_row(row) {}

    bool isValid() const override { return m_grid && m_col < m_grid->colCount() && m_row < m_grid->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || kind != QAccessible::Name)
            return {};
        return m_grid->cellText(m_col, m_row); // what every window's drawing shows for the cell
    }

    QRect rect() const override
    {
        if (!isInView())
            return {};
        const QRect cell = m_grid->cellRect(m_col, m_row);
        return {m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
    }

    QAccessible::Role role() const override
    {
        if (isValid() && m_row < m_grid->fixedRows())
            return QAccessible::ColumnHeader;
        if (isValid() && m_col < m_grid->fixedCols())
            return QAccessible::RowHeader;
        return QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool fixed = isFixed(*m_grid, m_col, m_row);
        state.readOnly = true;
        state.selectable = !fixed;
        state.selected = isSelected();
        state.focusable = !fixed && m_grid->focusPolicy() != Qt::NoFocus;
        state.focused = m_grid->hasFocus() && m_col == m_grid->col() && m_row == m_grid->row();
        state.invisible = !m_grid->isVisible();
        state.offscreen = !isInView();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return isValid() && !isFixed(*m_grid, m_col, m_row) && m_grid->isSelected(m_col, m_row); }

    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QList<QAccessibleInterface*> headers;
        if (isValid() && m_row >= m_grid->fixedRows())
            for (int row = 0; row < m_grid->fixedRows(); ++row)
                headers.append(table()->tableInterface()->cellAt(row, m_col));
        return headers;
    }

    QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        QList<QAccessibleInterface*> headers;
        if (isValid() && m_col >= m_grid->fixedCols())
            for (int col = 0; col < m_grid->fixedCols(); ++col)
                headers.append(table()->tableInterface()->cellAt(m_row, col));
        return headers;
    }

    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    // Whether some of the cell is in the grid's view, not scrolled out of it.
    bool isInView() const { return isValid() && m_grid->cellRect(m_col, m_row).intersects(m_grid->viewport()->rect()); }

    QPointer<StringGrid> m_grid;
    int m_col;
    int m_row;
};

// A grid as a table: every cell is a child, row by row, the fixed rows and columns included as
// column and row headers.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(StringGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    GridAccessible(const GridAccessible&) = delete;
    GridAccessible& operator=(const GridAccessible&) = delete;
    ~GridAccessible() override { forgetCells(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return grid().rowCount() * grid().colCount(); }

    QAccessibleInterface* child(int index) const override
    {
        const int cols = grid().colCount();
        if (index < 0 || index >= childCount())
            return nullptr;
        return cellAt(index / cols, index % cols);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        if (!cell || cell->table() != this)
            return -1;
        return cell->rowIndex() * grid().colCount() + cell->columnIndex();
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = grid().viewport()->mapFromGlobal(QPoint(x, y));
        if (!grid().viewport()->rect().contains(at))
            return nullptr;
        const QPoint cell = grid().MouseToCell(at);
        return cell.x() < 0 ? nullptr : cellAt(cell.y(), cell.x());
    }

    QAccessibleInterface* focusChild() const override { return grid().hasFocus() ? cellAt(grid().row(), grid().col()) : nullptr; }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int columnCount() const override { return grid().colCount(); }
    int rowCount() const override { return grid().rowCount(); }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        const auto known = m_cells.find({row, column});
        if (known != m_cells.end())
            return QAccessible::accessibleInterface(known->second);
        auto* cell = new CellAccessible(&grid(), column, row);
        m_cells.emplace(std::pair{row, column}, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    QString columnDescription(int column) const override { return grid().fixedRows() > 0 ? grid().cellText(column, 0) : QString(); }

    QString rowDescription(int row) const override { return grid().fixedCols() > 0 ? grid().cellText(0, row) : QString(); }

    int selectedCellCount() const override
    {
        const QRect cells = selectedRange();
        return cells.isEmpty() ? 0 : cells.width() * cells.height();
    }

    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        const QRect range = selectedRange();
        for (int row = range.top(); row <= range.bottom(); ++row)
            for (int col = range.left(); col <= range.right(); ++col)
                cells.append(cellAt(row, col));
        return cells;
    }

    bool isColumnSelected(int column) const override
    {
        const QRect range = selectedRange();
        return range.left() <= column && column <= range.right() && range.top() == grid().fixedRows() && range.bottom() == rowCount() - 1;
    }

    bool isRowSelected(int row) const override
    {
        const QRect range = selectedRange();
        return range.top() <= row && row <= range.bottom() && range.left() == grid().fixedCols() && range.right() == columnCount() - 1;
    }

    QList<int> selectedColumns() const override { return selectedIn(columnCount(), &GridAccessible::isColumnSelected); }
    QList<int> selectedRows() const override { return selectedIn(rowCount(), &GridAccessible::isRowSelected); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }

    // The grid's selection is the user's: a screen reader reads it but does not set it.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) {
            forgetCells(); // the cells' places have changed
            return;
        }
        // Each known cell whose text changed says so, so that a reader's copy of it is renewed.
        for (const auto& [place, id] : m_cells) {
            const auto [row, col] = place;
            if (row < event->firstRow() || row > event->lastRow() || col < event->firstColumn() || col > event->lastColumn())
                continue;
            QAccessibleEvent renamed(QAccessible::accessibleInterface(id), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }

private:
    StringGrid& grid() const { return *static_cast<StringGrid*>(widget()); }

    // The selected cells, without the fixed ones, which are never selected.
    QRect selectedRange() const
    {
        return grid().selection() & QRect(QPoint(grid().fixedCols(), grid().fixedRows()), QPoint(columnCount() - 1, rowCount() - 1));
    }

    QList<int> selectedIn(int count, bool (GridAccessible::*isSelected)(int) const) const
    {
        QList<int> selected;
        for (int i = 0; i < count; ++i)
            if ((this->*isSelected)(i))
                selected.append(i);
        return selected;
    }

    void forgetCells()
    {
        for (const auto& [place, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells; // (row, col) -> cell
};

QAccessibleInterface* accessibleFor(const QString& key, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // A role given is asked for first, under the widget's own class name.
    const QVariant role = widget->property(RoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    if (key == QLatin1String(StringGrid::staticMetaObject.className()))
        return new GridAccessible(static_cast<StringGrid*>(object));
    // Asked last, when no class between the widget's own and QWidget has an interface.
    if (key == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window); // a tool window, named by its caption
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleFor);
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

} // namespace sorban::platform
