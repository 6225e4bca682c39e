#include "platform/widgets/Accessibility.h"
#include "platform/widgets/StringGrid.h"
#include "support/TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using sorban::platform::StringGrid;
using sorban::test::sjis;

namespace {

// A grid like the appearance table, small: 4 columns x 5 rows, fixed row 0 and column 0, read
// through the interfaces a screen reader is given.
class GridAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sorban::platform::installAccessibility();
        grid.setColCount(4);
        grid.setRowCount(5);
        grid.setFixedCols(1);
        grid.setFixedRows(1);
        grid.setDefaultColWidth(40);
        grid.resize(180, 90); // rows 3 and 4 lie below the view
        grid.setCell(0, 0, sjis("【読み】"));
        grid.setCell(1, 0, sjis("Ａ社"));
        grid.setCell(0, 1, sjis("アイ"));
        grid.setCell(1, 1, sjis("4-2上"));
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        table = QAccessible::queryAccessibleInterface(&grid);
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
    }

    QAccessibleInterface* cell(int row, int col) const { return table->tableInterface()->cellAt(row, col); }
    QString text(int row, int col) const { return cell(row, col)->text(QAccessible::Name); }

    StringGrid grid;
    QAccessibleInterface* table = nullptr;
};

} // namespace

TEST_F(GridAccessibilityTest, isATableOfItsDataCellsHeadedByTheFixedOnes)
{
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->tableInterface()->rowCount(), 4);
    EXPECT_EQ(table->tableInterface()->columnCount(), 3);
    EXPECT_EQ(text(0, 0), QStringLiteral("4-2上"));
    EXPECT_EQ(text(1, 1), QString());
    EXPECT_EQ(cell(0, 0)->role(), QAccessible::Cell);
    EXPECT_EQ(cell(4, 0), nullptr);
    EXPECT_EQ(cell(0, 3), nullptr);

    // What a reader asks for a column's or a row's heading: the first data cell's headers.
    QAccessibleTableCellInterface* first = cell(0, 0)->tableCellInterface();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->rowIndex(), 0);
    EXPECT_EQ(first->columnIndex(), 0);
    ASSERT_EQ(first->columnHeaderCells().size(), 1);
    QAccessibleInterface* columnHeading = first->columnHeaderCells().front();
    EXPECT_EQ(columnHeading->text(QAccessible::Name), QStringLiteral("Ａ社"));
    EXPECT_EQ(columnHeading->role(), QAccessible::ColumnHeader);
    ASSERT_EQ(first->rowHeaderCells().size(), 1);
    QAccessibleInterface* rowHeading = first->rowHeaderCells().front();
    EXPECT_EQ(rowHeading->text(QAccessible::Name), QStringLiteral("アイ"));
    EXPECT_EQ(rowHeading->role(), QAccessible::RowHeader);
    EXPECT_TRUE(columnHeading->tableCellInterface()->columnHeaderCells().isEmpty());
    EXPECT_EQ(table->tableInterface()->columnDescription(0), QStringLiteral("Ａ社"));
    EXPECT_EQ(table->tableInterface()->rowDescription(0), QStringLiteral("アイ"));

    // Every cell of the grid is a child, row by row, headings included; a cell asked twice is
    // the same object, and a child's place in the table is what the data cell's indices say.
    EXPECT_EQ(table->childCount(), 20);
    EXPECT_EQ(table->child(0)->text(QAccessible::Name), QStringLiteral("【読み】"));
    EXPECT_EQ(table->child(1 * 4 + 1), cell(0, 0));
    EXPECT_EQ(table->indexOfChild(cell(2, 1)), 14);
    EXPECT_EQ(table->child(1), columnHeading);
    EXPECT_EQ(table->child(4), rowHeading);
    EXPECT_EQ(cell(0, 0)->parent(), table);

    // A cell is where it is drawn; one scrolled out of view has no place on the screen.
    const QRect onScreen(grid.viewport()->mapToGlobal(grid.cellRect(2, 1).topLeft()), grid.cellRect(2, 1).size());
    EXPECT_EQ(cell(0, 1)->rect(), onScreen);
    EXPECT_EQ(table->childAt(onScreen.center().x(), onScreen.center().y()), cell(0, 1));
    EXPECT_TRUE(cell(3, 0)->rect().isEmpty());
    EXPECT_TRUE(cell(3, 0)->state().offscreen);
}

TEST_F(GridAccessibilityTest, aGroupsLaterRowsTakeItsHeadingAndMarksAreNamedByWhatTheyAre)
{
    grid.setCell(0, 2, sjis("2画"));
    // Without carrying down, a row with an empty heading has that empty heading.
    EXPECT_EQ(cell(2, 0)->tableCellInterface()->rowHeaderCells().front()->text(QAccessible::Name), QString());

    grid.setReading(
        {[this](int col, int row) { return grid.cell(col, row) == sjis("≫") ? QStringLiteral("この部首の漢字") : grid.cellText(col, row); },
         true});
    grid.setCell(2, 3, sjis("≫"));
    EXPECT_EQ(cell(2, 0)->tableCellInterface()->rowHeaderCells().front()->text(QAccessible::Name), QStringLiteral("2画"));
    EXPECT_EQ(table->tableInterface()->rowDescription(2), QStringLiteral("2画"));
    EXPECT_EQ(cell(1, 0)->tableCellInterface()->rowHeaderCells().front()->text(QAccessible::Name), QStringLiteral("2画"));
    EXPECT_EQ(cell(0, 2)->tableCellInterface()->rowHeaderCells().front()->text(QAccessible::Name), QStringLiteral("アイ"));
    EXPECT_EQ(text(2, 1), QStringLiteral("この部首の漢字"));
}

TEST_F(GridAccessibilityTest, currentCellIsSelectedAndFocusedWhileTheGridHasTheFocus)
{
    grid.clearFocus();
    grid.setCurrent(2, 1);
    EXPECT_TRUE(cell(0, 1)->state().selected);
    EXPECT_FALSE(cell(0, 0)->state().selected);
    EXPECT_FALSE(cell(0, 1)->state().focused);
    EXPECT_EQ(table->focusChild(), nullptr);
    ASSERT_EQ(table->tableInterface()->selectedCellCount(), 1);
    EXPECT_EQ(table->tableInterface()->selectedCells().front(), cell(0, 1));
    EXPECT_FALSE(table->child(2)->state().selectable); // a heading is never chosen

    QApplication::setActiveWindow(&grid);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(table->focusChild(), cell(1, 1));
    EXPECT_TRUE(cell(1, 1)->state().focused);
    EXPECT_FALSE(cell(0, 1)->state().selected);

    // A range of whole rows reads as selected rows.
    grid.setRangeSelect(true);
    grid.setCurrent(1, 1);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(table->tableInterface()->selectedRows(), QList<int>{0});
    EXPECT_TRUE(table->tableInterface()->selectedColumns().isEmpty());
    EXPECT_EQ(table->tableInterface()->selectedCellCount(), 3);
}

TEST_F(GridAccessibilityTest, cellsFollowTheGridsContentsAndShape)
{
    QAccessibleInterface* known = cell(0, 0); // a cell a screen reader has read
    grid.setCell(1, 1, sjis("5-1下"));
    EXPECT_EQ(known->text(QAccessible::Name), QStringLiteral("5-1下"));

    QAccessibleInterface* lost = cell(3, 2);
    const QAccessible::Id lostId = QAccessible::uniqueId(lost);
    grid.setRowCount(3);
    EXPECT_FALSE(lost->isValid());
    EXPECT_EQ(table->tableInterface()->rowCount(), 2);
    EXPECT_EQ(cell(3, 2), nullptr);
    // The change of shape the grid announces makes the table let go of every cell it made.
    QAccessibleTableModelChangeEvent reset(&grid, QAccessibleTableModelChangeEvent::ModelReset);
    table->tableInterface()->modelChange(&reset);
    EXPECT_EQ(QAccessible::accessibleInterface(lostId), nullptr);
    EXPECT_EQ(text(0, 0), QStringLiteral("5-1下"));
}

TEST(AccessibilityTest, toolWindowsAreWindowsAndPlainWidgetsTakeTheRoleGiven)
{
    sorban::platform::installAccessibility();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kakusuu"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(iface->role(), QAccessible::Window);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Kakusuu"));

    auto* picture = new QWidget(&window);
    sorban::platform::setAccessibleRole(picture, QAccessible::Graphic);
    picture->setAccessibleName(QStringLiteral("愛の筆順"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->role(), QAccessible::Graphic);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name), QStringLiteral("愛の筆順"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(new QWidget(&window))->role(), QAccessible::Client);
}
