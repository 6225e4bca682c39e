#include "search/TYomiSrchF.h"

#include "platform/core/TextCodec.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"
#include "search/SearchTableFiles.h"
#include "settings/Settings.h"

#include <QKeyEvent>
#include <QLabel>

namespace sorban::search {

using namespace platform::colors;
using platform::makeLabel;
using platform::pixelFont;
using platform::faces::PGothic;

TYomiSrchF::TYomiSrchF(SearchContext context, QWidget* parent)
    : SearchWindow(std::move(context), {&settings::Settings::YMILEFT, &settings::Settings::YMITOP}, parent)
{
    setObjectName(QStringLiteral("YomiSrchF"));
    setupWindow(QStringLiteral("読み別検索表"), 944, 746, Cream, pixelFont(PGothic, 12));
    StringGrid1->setAccessibleName(QStringLiteral("読み別検索表"));
    StringGrid1->setReading({{}, true}); // a group's later rows read under its heading
    auto* title =
        makeLabel(this, "StaticText1", QStringLiteral("教育漢字読み別検索表"), {40, 24, 224, 25}, pixelFont(PGothic, 21, true), Blue);
    title->setFrameStyle(QFrame::Box | QFrame::Plain);
    makeLabel(this, "StaticText2", QStringLiteral("＊教育漢字の音・訓読みの先頭で分類しています。完全なものではありません。"),
              {312, 48, 442, 16}, pixelFont(PGothic, 12, true));
    setupCloseButton({800, 24, 112, 22}, pixelFont(PGothic, 16, true), Red);

    StringGrid1->setGeometry(10, 72, 924, 657);
    StringGrid1->setFont(pixelFont(PGothic, 12, true));
    StringGrid1->setColCount(ReadingTableColumns + 1);
    StringGrid1->setRowCount(ReadingTableRows + 1);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedColor(BtnFace);
    StringGrid1->setDefaultRowHeight(24);
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &TYomiSrchF::StringGrid1DrawCell);

    StringGrid1->setColWidth(0, 30);
    for (int col = 1; col <= ReadingTableColumns; ++col)
        StringGrid1->setColWidth(col, 26);
    FormCreate();
}

void TYomiSrchF::readTable()
{
    for (int col = 1; col <= ReadingTableColumns; ++col)
        StringGrid1->setCell(col, 0, std::to_string(col));
    YmiDataRead();
    StringGrid1->setCurrent(1, 1);
}

void TYomiSrchF::YmiDataRead()
{
    // Past column 32 or row 115 a character has no cell; the grid drops it.
    for (const auto& cell : readReadingTable(m_context.dataDir))
        StringGrid1->setCell(cell.col, cell.row, cell.text);
}

void TYomiSrchF::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    static const std::string star = platform::utf8ToSjis("＊");
    const QString& text = StringGrid1->cellText(col, row);
    const bool isStar = StringGrid1->cell(col, row) == star;
    canvas.setFontSize(isStar ? 20 : 16);
    canvas.setFontColor(isStar ? Red : Black);
    canvas.DrawText(text, rect);
    if (state.selected) {
        canvas.setBrushColor(Blue);
        canvas.FillRect(rect);
        canvas.setFontColor(White);
        canvas.setFontSize(20);
        canvas.DrawText(text, rect);
    }
    if (col == 0) {
        canvas.setBrushColor(Lime);
        canvas.FillRect(rect);
        canvas.setBold(true);
        canvas.DrawText(text, rect);
    }
    if (row == 0) {
        canvas.setBrushColor(White);
        canvas.FillRect(rect);
        canvas.setFontColor(Lime);
        canvas.setBold(true);
        canvas.DrawText(text, rect);
    }
}

void TYomiSrchF::pick(int col, int row, bool)
{
    pickText(StringGrid1->cell(col, row), false, NotEducationKanji, "ご報告!!");
}

void TYomiSrchF::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        SpeedButton1Click();
    else
        SearchWindow::keyPressEvent(event);
}

} // namespace sorban::search
