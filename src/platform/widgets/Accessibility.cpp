#include "platform/widgets/Accessibility.h"

#include "platform/widgets/StringGrid.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QListWidget>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <map>
#include <utility>

namespace sorban::platform {
namespace {

const char* const RoleProperty = "sorbanAccessibleRole";

bool isFixed(const StringGrid& grid, int col, int row)
{
    return col < grid.fixedCols() || row < grid.fixedRows();
}

class GridAccessible;

// One cell of a grid, at its place in the grid (fixed rows and columns counted). A cell has no
// widget of its own: the grid's interface makes it when a screen reader asks and keeps it until the
// grid's shape changes or the grid goes.
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
        return m_grid->accessibleName(m_col, m_row);
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

    // The headings of a cell are the fixed cells of its column and of its row's group.
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;

    // The table a reader is given holds the data cells: a heading has no place in it (-1).
    int columnIndex() const override { return isValid() ? m_col - m_grid->fixedCols() : -1; }
    int rowIndex() const override { return isValid() ? m_row - m_grid->fixedRows() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    int gridCol() const { return m_col; }
    int gridRow() const { return m_row; }

private:
    GridAccessible* gridInterface() const;
    // Whether some of the cell is in the grid's view, not scrolled out of it.
    bool isInView() const { return isValid() && m_grid->cellRect(m_col, m_row).intersects(m_grid->viewport()->rect()); }

    QPointer<StringGrid> m_grid;
    int m_col;
    int m_row;
};

// A grid as a table of its data cells, whose fixed rows and columns are the table's column and
// row headers, as screen readers expect (a reader asks the first data cell of a column for the
// column's header). Every cell of the grid, headings included, is a child, row by row, so that
// reading the window object by object still meets the headings where they are drawn.
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
        return gridCell(index / cols, index % cols);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        if (!cell || cell->table() != this)
            return -1;
        return cell->gridRow() * grid().colCount() + cell->gridCol();
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint at = grid().viewport()->mapFromGlobal(QPoint(x, y));
        if (!grid().viewport()->rect().contains(at))
            return nullptr;
        const QPoint cell = grid().MouseToCell(at);
        return cell.x() < 0 ? nullptr : gridCell(cell.y(), cell.x());
    }

    QAccessibleInterface* focusChild() const override { return grid().hasFocus() ? gridCell(grid().row(), grid().col()) : nullptr; }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int columnCount() const override { return std::max(0, grid().colCount() - grid().fixedCols()); }
    int rowCount() const override { return std::max(0, grid().rowCount() - grid().fixedRows()); }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        return gridCell(row + grid().fixedRows(), column + grid().fixedCols());
    }

    /// The cell at a place of the grid, headings included.
    QAccessibleInterface* gridCell(int row, int col) const
    {
        if (row < 0 || col < 0 || row >= grid().rowCount() || col >= grid().colCount())
            return nullptr;
        const auto known = m_cells.find({row, col});
        if (known != m_cells.end())
            return QAccessible::accessibleInterface(known->second);
        auto* cell = new CellAccessible(&grid(), col, row);
        m_cells.emplace(std::pair{row, col}, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    QString columnDescription(int column) const override
    {
        return grid().fixedRows() > 0 ? grid().accessibleName(column + grid().fixedCols(), 0) : QString();
    }

    QString rowDescription(int row) const override
    {
        return grid().fixedCols() > 0 ? grid().accessibleName(0, grid().headingRow(row + grid().fixedRows())) : QString();
    }

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
        return range.left() <= column && column <= range.right() && range.top() == 0 && range.bottom() == rowCount() - 1;
    }

    bool isRowSelected(int row) const override
    {
        const QRect range = selectedRange();
        return range.top() <= row && row <= range.bottom() && range.left() == 0 && range.right() == columnCount() - 1;
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

    // The grid reports changes at its own places (headings counted).
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

    // The selected data cells in the table's coordinates; headings are never selected.
    QRect selectedRange() const
    {
        const QPoint origin(grid().fixedCols(), grid().fixedRows());
        const QRect data(origin, QPoint(grid().colCount() - 1, grid().rowCount() - 1));
        return (grid().selection() & data).translated(-origin);
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

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells; // (grid row, grid col) -> cell
};

GridAccessible* CellAccessible::gridInterface() const
{
    return m_grid ? dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(m_grid.data())) : nullptr;
}

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    const GridAccessible* table = gridInterface();
    if (table && isValid() && m_row >= m_grid->fixedRows())
        for (int row = 0; row < m_grid->fixedRows(); ++row)
            headers.append(table->gridCell(row, m_col));
    return headers;
}

QList<QAccessibleInterface*> CellAccessible::rowHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    const GridAccessible* table = gridInterface();
    if (table && isValid() && m_col >= m_grid->fixedCols() && m_row >= m_grid->fixedRows()) {
        const int heading = m_grid->headingRow(m_row);
        for (int col = 0; col < m_grid->fixedCols(); ++col)
            headers.append(table->gridCell(heading, col));
    }
    return headers;
}

// One entry of a list box. Qt's own entries say "focused" for the list's current entry even
// after the focus has left the list; a reader then believes the focus is still there.
class ListItemAccessible : public QAccessibleInterface {
public:
    ListItemAccessible(QListWidget* list, int row) : m_list(list), m_row(row) {}

    bool isValid() const override { return m_list && m_row < m_list->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_list.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text kind) const override { return isValid() && kind == QAccessible::Name ? item()->text() : QString(); }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect shown = m_list->visualItemRect(item());
        return {m_list->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = m_list->focusPolicy() != Qt::NoFocus;
        state.selected = item()->isSelected();
        state.focused = m_list->hasFocus() && m_list->currentRow() == m_row;
        state.invisible = !m_list->isVisible();
        state.offscreen = !m_list->viewport()->rect().intersects(m_list->visualItemRect(item()));
        return state;
    }

    int row() const { return m_row; }

private:
    QListWidgetItem* item() const { return m_list->item(m_row); }

    QPointer<QListWidget> m_list;
    int m_row;
};

// A list box as a list of its entries, row by row (the row is what the list's focus and selection
// events name).
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QListWidget* list) : QAccessibleWidget(list, QAccessible::List) {}
    ListAccessible(const ListAccessible&) = delete;
    ListAccessible& operator=(const ListAccessible&) = delete;
    ~ListAccessible() override
    {
        for (const auto& [row, id] : m_items)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list().count(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        const auto known = m_items.find(index);
        if (known != m_items.end())
            return QAccessible::accessibleInterface(known->second);
        auto* item = new ListItemAccessible(&list(), index);
        m_items.emplace(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* item = dynamic_cast<const ListItemAccessible*>(child);
        return item && item->parent() == this ? item->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QListWidgetItem* item = list().itemAt(list().viewport()->mapFromGlobal(QPoint(x, y)));
        return item ? child(list().row(item)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override { return list().hasFocus() ? child(list().currentRow()) : nullptr; }

private:
    QListWidget& list() const { return *static_cast<QListWidget*>(widget()); }

    mutable std::map<int, QAccessible::Id> m_items; // row -> entry
};

// A button that a click focuses but Tab passes over: for a keyboard user it takes no focus, so it
// does not say it can (it is still pressed through its action).
class ClickFocusButtonAccessible : public QAccessibleWidget {
public:
    explicit ClickFocusButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && button().accessibleName().isEmpty())
            return QString(button().text()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = false;
        state.pressed = button().isDown();
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button().click();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAbstractButton& button() const { return *static_cast<QAbstractButton*>(widget()); }
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
    if (key == QLatin1String("QListWidget"))
        return new ListAccessible(static_cast<QListWidget*>(object));
    if (key == QLatin1String("QPushButton") && widget->focusPolicy() == Qt::ClickFocus)
        return new ClickFocusButtonAccessible(static_cast<QAbstractButton*>(object));
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

void setClickFocusOnly(QWidget* button)
{
    button->setFocusPolicy(Qt::ClickFocus);
    // An interface made while the button still took Tab (a reader listening from the start) is
    // dropped: the next one asked for is made for the button as it now is.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(button))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace sorban::platform
