#include "platform/widgets/Canvas.h"
#include "platform/widgets/StringGrid.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using sorban::platform::Canvas;
using sorban::platform::CellState;
using sorban::platform::DevicePixels;
using sorban::platform::LaidOutText;
using sorban::platform::StringGrid;
using sorban::test::sjis;

namespace {

class StringGridTest : public ::testing::Test {
protected:
    // A grid like the reading search table: 33 x 116, fixed row 0 and column 0.
    void SetUp() override
    {
        grid.setColCount(33);
        grid.setRowCount(116);
        grid.setFixedCols(1);
        grid.setFixedRows(1);
        grid.setColWidth(0, 30);
        for (int c = 1; c < 33; ++c)
            grid.setColWidth(c, 26);
        grid.setDefaultRowHeight(24);
        grid.setRangeSelect(true);
        grid.resize(924, 657);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QImage render()
    {
        QImage image(grid.viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        grid.paintCells(painter);
        return image;
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&grid, key, modifiers); }
    QPoint centre(int col, int row) const { return grid.cellRect(col, row).center(); }

    StringGrid grid;
};

} // namespace

TEST_F(StringGridTest, fixedRowAndColumnStayInViewWhileScrolling)
{
    const QRect corner = grid.cellRect(0, 0);
    EXPECT_EQ(corner, QRect(0, 0, 30, 24));
    EXPECT_EQ(grid.cellRect(1, 1), QRect(31, 25, 26, 24));
    grid.setTopRow(50);
    EXPECT_EQ(grid.topRow(), 50);
    EXPECT_EQ(grid.cellRect(0, 0), corner);
    EXPECT_EQ(grid.cellRect(0, 50), QRect(0, 25, 30, 24));
    EXPECT_TRUE(grid.cellRect(1, 1).isEmpty()); // scrolled out of view
    EXPECT_EQ(grid.MouseToCell(QPoint(40, 30)), QPoint(1, 50));
    EXPECT_EQ(grid.MouseToCell(QPoint(10, 10)), QPoint(0, 0));
}

TEST_F(StringGridTest, mouseToCellAnswersMinusOneOutsideEveryCell)
{
    StringGrid small;
    small.setColCount(3);
    small.setRowCount(2);
    small.resize(400, 200);
    EXPECT_EQ(small.MouseToCell(QPoint(3 * 65 + 5, 10)), QPoint(-1, -1));
    EXPECT_EQ(small.MouseToCell(QPoint(10, 2 * 25 + 5)), QPoint(-1, -1));
    EXPECT_EQ(small.MouseToCell(QPoint(-1, 5)), QPoint(-1, -1));
    EXPECT_EQ(small.MouseToCell(QPoint(64, 24)), QPoint(0, 0)); // the grid line belongs to the cell before it
}

TEST_F(StringGridTest, keyboardMovesTheCurrentCellWithinTheNonFixedCells)
{
    grid.setCurrent(1, 1);
    press(Qt::Key_Up);
    EXPECT_EQ(grid.row(), 1);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(QPoint(grid.col(), grid.row()), QPoint(2, 2));
    press(Qt::Key_End);
    EXPECT_EQ(grid.col(), 32);
    press(Qt::Key_Home);
    EXPECT_EQ(grid.col(), 1);
    press(Qt::Key_PageDown);
    EXPECT_GT(grid.row(), 20);
    EXPECT_LT(grid.row(), 30);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(QPoint(grid.col(), grid.row()), QPoint(32, 115));
    EXPECT_FALSE(grid.cellRect(32, 115).isEmpty()); // scrolled into view
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(QPoint(grid.col(), grid.row()), QPoint(1, 1));
    EXPECT_EQ(grid.topRow(), 1);
}

TEST_F(StringGridTest, shiftArrowsAndDraggingSelectARectangle)
{
    grid.setCurrent(3, 3);
    press(Qt::Key_Right, Qt::ShiftModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.selection(), QRect(QPoint(3, 3), QPoint(4, 4)));
    press(Qt::Key_Left);
    EXPECT_EQ(grid.selection(), QRect(QPoint(3, 4), QPoint(3, 4)));

    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, centre(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(centre(5, 6)), QPointF(grid.viewport()->mapToGlobal(centre(5, 6))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, centre(5, 6));
    EXPECT_EQ(grid.selection(), QRect(QPoint(2, 2), QPoint(5, 6)));
    EXPECT_TRUE(grid.isSelected(4, 4));
    EXPECT_FALSE(grid.isSelected(6, 4));
}

TEST_F(StringGridTest, signalsReportKeysBeforeNavigationAndEveryMouseRelease)
{
    std::vector<std::string> seen;
    QObject::connect(&grid, &StringGrid::keyDown, [&](int key, Qt::KeyboardModifiers) {
        seen.push_back("key " + std::to_string(key) + " at row " + std::to_string(grid.row()));
    });
    QObject::connect(&grid, &StringGrid::mouseUp, [&](Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint& pos) {
        const QPoint cell = grid.MouseToCell(pos);
        seen.push_back("up " + std::to_string(button) + " " + std::to_string(cell.x()) + "," + std::to_string(cell.y()));
    });
    QObject::connect(&grid, &StringGrid::clicked, [&] { seen.push_back("click"); });
    grid.setCurrent(1, 1);
    press(Qt::Key_Down);
    QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, centre(4, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, centre(0, 3));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, centre(7, 3));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"key " + std::to_string(Qt::Key_Down) + " at row 1", "up 2 4,2", "up 1 0,3", "click", "up 1 7,3"}));
    EXPECT_EQ(QPoint(grid.col(), grid.row()), QPoint(7, 3)); // neither the right button nor a fixed cell moved it
}

TEST_F(StringGridTest, selectCellCanRefuseAMove)
{
    QObject::connect(&grid, &StringGrid::selectCell, [](int col, int, bool* allow) { *allow = col != 2; });
    grid.setCurrent(1, 1);
    press(Qt::Key_Right);
    EXPECT_EQ(grid.col(), 1);
}

TEST_F(StringGridTest, ownPaintingThenTheOwnerDrawHook)
{
    grid.setFixedColor(QColor(255, 255, 0));
    grid.setCell(2, 2, sjis("愛"));
    grid.setCurrent(5, 5);
    grid.clearFocus();
    std::vector<CellState> states(3);
    QObject::connect(&grid, &StringGrid::drawCell, [&](int col, int row, const QRect& rect, const CellState& state, Canvas& canvas) {
        if (col == 3 && row == 3) {
            canvas.setBrushColor(QColor(255, 0, 0));
            canvas.FillRect(rect.adjusted(-50, -50, 50, 50)); // clipped to the cell
        }
        if (col == 5 && row == 5)
            states[0] = state;
        if (col == 0 && row == 4)
            states[1] = state;
    });
    const QImage image = render();
    const auto at = [&](int col, int row, int dx, int dy) {
        return QColor(image.pixel(grid.cellRect(col, row).topLeft() + QPoint(dx, dy)));
    };
    EXPECT_EQ(at(0, 4, 10, 10), QColor(255, 255, 0));   // fixed column
    EXPECT_EQ(at(1, 4, 10, 10), QColor(255, 255, 255)); // ordinary cell
    EXPECT_EQ(at(3, 3, 10, 10), QColor(255, 0, 0));     // the hook painted over it
    EXPECT_EQ(at(3, 3, 26, 10), QColor(192, 192, 192)); // ... but not over the grid line beside it
    EXPECT_EQ(at(4, 3, 10, 10), QColor(255, 255, 255));
    EXPECT_NE(at(5, 5, 10, 10), QColor(255, 255, 255)); // selected without the focus: highlighted
    EXPECT_TRUE(states[0].selected);
    EXPECT_FALSE(states[0].focused);
    EXPECT_TRUE(states[1].fixed);
    EXPECT_FALSE(states[1].selected);

    // The text starts 2 pixels from the cell's left and top edges.
    const QRect text = grid.cellRect(2, 2);
    int darkLeft = 99, darkTop = 99;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                darkLeft = std::min(darkLeft, x - text.left());
                darkTop = std::min(darkTop, y - text.top());
            }
    EXPECT_GE(darkLeft, 2);
    EXPECT_LE(darkLeft, 5);
    EXPECT_GE(darkTop, 2);
    EXPECT_LE(darkTop, 8);
}

TEST_F(StringGridTest, canvasDrawsAccessKeysAndClipsToTheCell)
{
    QImage withPrefix(120, 30, QImage::Format_RGB32), literal(120, 30, QImage::Format_RGB32);
    const QRect cell(0, 0, 120, 30);
    for (QImage* image : {&withPrefix, &literal})
        image->fill(Qt::white);
    {
        QPainter painter(&withPrefix);
        const DevicePixels pixels(painter);
        Canvas canvas(painter, cell, pixels, pixels.map(cell), QFont(), Qt::black, Qt::white);
        canvas.DrawText(std::string("a&&b"), cell);
    }
    {
        QPainter painter(&literal);
        painter.drawText(cell, Qt::AlignCenter, QStringLiteral("a&b"));
    }
    EXPECT_EQ(withPrefix, literal);

    QImage clipped(60, 60, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    QPainter painter(&clipped);
    const DevicePixels pixels(painter);
    Canvas canvas(painter, QRect(10, 10, 20, 20), pixels, pixels.map(QRect(10, 10, 20, 20)), QFont(), Qt::black, Qt::red);
    canvas.FillRect(QRect(0, 0, 60, 60));
    EXPECT_EQ(QColor(clipped.pixel(15, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(clipped.pixel(5, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(clipped.pixel(35, 35)), QColor(Qt::white));
}

TEST_F(StringGridTest, textLaidOutOnceDrawsTheSamePixelsAsTextDrawnEachTime)
{
    const QRect cell(0, 0, 140, 34);
    for (const char* face : {"IPAPGothic", "IPAMincho"}) {
        for (const int pixels : {12, 16, 21}) {
            QFont font(QString::fromLatin1(face));
            font.setPixelSize(pixels);
            font.setBold(pixels == 16);
            for (const char* utf8 : {"愛", "いと(しい)", " ４上：109", "－－－", "12画"}) {
                const QString text = QString::fromUtf8(utf8);
                QImage laid(cell.size(), QImage::Format_RGB32), drawn(cell.size(), QImage::Format_RGB32);
                laid.fill(Qt::white);
                drawn.fill(Qt::white);
                LaidOutText layouts;
                {
                    QPainter painter(&laid);
                    const DevicePixels device(painter);
                    for (int twice = 0; twice < 2; ++twice) { // the second time from the kept layout
                        Canvas canvas(painter, cell, device, device.map(cell), font, Qt::black, Qt::white, &text, &layouts);
                        canvas.DrawText(text, cell);
                    }
                }
                {
                    QPainter painter(&drawn);
                    painter.setFont(font);
                    const QFontMetrics metrics(font);
                    const QPoint at((cell.width() - metrics.horizontalAdvance(text)) / 2,
                                    (cell.height() - metrics.height()) / 2 + metrics.ascent());
                    painter.drawText(at, text);
                    painter.drawText(at, text);
                }
                EXPECT_EQ(laid, drawn) << face << " " << pixels << " " << utf8;
            }
        }
    }
    // The grid's own text: 2 pixels in from the cell's corner, baseline at the font's ascent.
    grid.setCell(1, 1, sjis("いと(しい)"));
    const QImage once = render();
    QImage expected = once;
    {
        QPainter painter(&expected);
        const QRect rect = grid.cellRect(1, 1);
        painter.fillRect(rect, Qt::white);
        painter.setClipRect(rect);
        painter.setFont(grid.font());
        painter.drawText(rect.topLeft() + QPoint(2, 2 + painter.fontMetrics().ascent()), QStringLiteral("いと(しい)"));
    }
    grid.setCurrent(2, 2);
    EXPECT_EQ(render(), expected);
}

TEST_F(StringGridTest, theGridsOwnTextShowsUnderAHandlerUnlessTheHandlerCoversTheCell)
{
    grid.setCell(1, 1, sjis("いと(しい)"));
    const QRect rect = grid.cellRect(1, 1);
    const auto textAt = [&](const QImage& image) {
        int dark = 0;
        for (int y = rect.top(); y < rect.bottom(); ++y)
            for (int x = rect.left(); x < rect.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const int plain = textAt(render());
    ASSERT_GT(plain, 10);

    // A handler that paints over part of the cell and sets its own font: the grid's text, in the
    // grid's font, lies under what the handler draws.
    QMetaObject::Connection hook =
        QObject::connect(&grid, &StringGrid::drawCell, [&](int col, int row, const QRect& cell, const CellState&, Canvas& canvas) {
            if (col != 1 || row != 1)
                return;
            canvas.setFontSize(30);
            canvas.setBrushColor(Qt::yellow);
            canvas.FillRect(QRect(cell.left(), cell.bottom() - 1, cell.width(), 2));
        });
    const QImage partly = render();
    EXPECT_EQ(textAt(partly), plain);
    EXPECT_EQ(QColor(partly.pixel(rect.center().x(), rect.bottom())), QColor(Qt::yellow));
    QObject::disconnect(hook);

    // A handler that fills the whole cell first: nothing of the grid's text shows.
    hook = QObject::connect(&grid, &StringGrid::drawCell, [&](int col, int row, const QRect& cell, const CellState&, Canvas& canvas) {
        if (col == 1 && row == 1) {
            canvas.setBrushColor(Qt::yellow);
            canvas.FillRect(cell);
        }
    });
    EXPECT_EQ(textAt(render()), 0);
    QObject::disconnect(hook);
}

TEST_F(StringGridTest, cellsOutsideTheGridAreIgnored)
{
    grid.setCell(33, 1, "x");
    grid.setCell(1, 116, "x");
    grid.setCell(-1, 0, "x");
    EXPECT_EQ(grid.cell(33, 1), "");
    EXPECT_EQ(grid.cell(1, 116), "");
    grid.setColCount(50);
    EXPECT_EQ(grid.cell(40, 1), "");
}

TEST(HiddenStringGridTest, shownTextFollowsEveryChangeMadeWhileHidden)
{
    StringGrid hidden;
    hidden.setColCount(3);
    hidden.setRowCount(3);
    hidden.setCell(1, 1, sjis("愛"));
    EXPECT_EQ(hidden.cellText(1, 1), QString::fromUtf8("愛"));
    hidden.setCell(1, 1, sjis("悪"));
    EXPECT_EQ(hidden.cellText(1, 1), QString::fromUtf8("悪"));
    hidden.setCell(1, 1, "");
    EXPECT_TRUE(hidden.cellText(1, 1).isEmpty());
    hidden.setCell(2, 2, "\x88"); // a lead byte without its trail byte
    EXPECT_EQ(hidden.cellText(2, 2), QString(QChar(0xFFFD)));
}

TEST_F(StringGridTest, aCellChangedWhileShownIsDrawnWithItsNewText)
{
    grid.setCell(1, 1, sjis("一"));
    const QImage one = render().copy(grid.cellRect(1, 1));
    grid.setCell(1, 1, sjis("二"));
    EXPECT_EQ(grid.cellText(1, 1), QString::fromUtf8("二"));
    EXPECT_NE(render().copy(grid.cellRect(1, 1)), one);
}

TEST_F(StringGridTest, gridLinesSurviveFilledCellsAndKeepOneWidthAtFractionalScales)
{
    // Every cell of rows 1 to 3 filled by its owner, as the appearance table fills its reading rows.
    QObject::connect(&grid, &StringGrid::drawCell, &grid, [](int, int row, const QRect& rect, const CellState&, Canvas& canvas) {
        if (row >= 1 && row <= 3) {
            canvas.setBrushColor(QColor(255, 0, 255));
            canvas.FillRect(rect);
        }
    });
    const QColor line(192, 192, 192);
    for (const qreal scale : {1.0, 1.25, 1.5, 1.75}) {
        QImage image((QSizeF(grid.viewport()->size()) * scale).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::black);
        QPainter painter(&image);
        grid.paintCells(painter);
        painter.end();
        // Along a row, the run of grid-line pixels between each two cells: filled row 2, empty row 8.
        for (const int row : {2, 8}) {
            const int y = static_cast<int>((grid.cellRect(1, row).top() + 10) * scale);
            std::vector<int> widths;
            int run = 0;
            for (int x = static_cast<int>((grid.cellRect(2, row).left() + 5) * scale);
                 x <= static_cast<int>((grid.cellRect(12, row).left() + 5) * scale); ++x) {
                if (QColor(image.pixel(x, y)) == line) {
                    ++run;
                } else if (run > 0) {
                    widths.push_back(run);
                    run = 0;
                }
            }
            ASSERT_EQ(widths.size(), 10u) << "scale " << scale << " row " << row; // every line between columns 2 and 12
            for (const int w : widths)
                EXPECT_EQ(w, widths.front()) << "scale " << scale << " row " << row;
        }
    }
}

TEST_F(StringGridTest, aClickOnAPartlyShownRowReleasesOnTheCellItPressed)
{
    // The last row that shows only its top.
    int row = grid.topRow();
    while (grid.cellRect(1, row + 1).isValid() && grid.cellRect(1, row + 1).bottom() < grid.viewport()->height())
        ++row;
    ++row;
    const QRect partly = grid.cellRect(3, row);
    ASSERT_GT(partly.bottom(), grid.viewport()->height() - 1);
    const QPoint at(partly.center().x(), grid.viewport()->height() - 2);
    QPoint released(-1, -1);
    QObject::connect(&grid, &StringGrid::mouseUp, &grid,
                     [&](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& pos) { released = grid.MouseToCell(pos); });
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(QPoint(grid.col(), grid.row()), QPoint(3, row)); // highlighted
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(released, QPoint(3, row));                                  // and picked
    EXPECT_LE(grid.cellRect(3, row).bottom(), grid.viewport()->height()); // then shown whole
}
