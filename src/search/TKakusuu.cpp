#include "search/TKakusuu.h"

#include "platform/core/TextCodec.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Settings.h"

#include <QLabel>

namespace sorban::search {
namespace {

using namespace platform::colors;
using platform::pixelFont;
using platform::faces::PGothic;

} // namespace

void drawGroupedCell(platform::StringGrid& grid, int col, int row, const QRect& rect, const platform::CellState& state,
                     platform::Canvas& canvas)
{
    const bool tinted = col == 10 || col == 20 || col == 30 || col == 40;
    if (!state.selected && !tinted)
        return;
    canvas.setBrushColor(state.selected ? Red : QColor(240, 220, 220));
    canvas.FillRect(rect);
    canvas.DrawText(grid.cellText(col, row), rect);
}

TKakusuu::TKakusuu(SearchContext context, QWidget* parent)
    : SearchWindow(std::move(context), {&settings::Settings::KKSLEFT, &settings::Settings::KKSTOP}, parent)
{
    setObjectName(QStringLiteral("Kakusuu"));
    setupWindow(QStringLiteral("Kakusuu"), 938, 931, White, pixelFont(PGothic, 12));
    StringGrid1->setAccessibleName(QStringLiteral("画数検索表"));
    StringGrid1->setReading({{}, true}); // a group's later rows read under its heading
    auto* title = platform::makeLabel(this, "StaticText2", QStringLiteral("画数別検索表"), {24, 5, 124, 23}, pixelFont(PGothic, 19, true),
                                      Red, Yellow);
    title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    platform::makeLabel(this, "StaticText7", QStringLiteral("◆漢字をクリックするか、赤字にしてEnterしてください。"), {216, 10, 374, 19},
                        pixelFont(PGothic, 15, true));
    setupCloseButton({744, 8, 104, 24}, pixelFont(PGothic, 15, true), Blue);
    const char* marks[] = {"１", "10", "20", "30", "40"};
    const int lefts[] = {77, 265, 474, 680, 894};
    const char* names[] = {"StaticText1", "StaticText3", "StaticText4", "StaticText5", "StaticText6"};
    for (int i = 0; i < 5; ++i)
        platform::makeLabel(this, names[i], QString::fromUtf8(marks[i]), {lefts[i], 30, 24, 15}, pixelFont(PGothic, 13, true), Red);

    StringGrid1->setGeometry(20, 48, 904, 881);
    StringGrid1->setFont(pixelFont(PGothic, 19, true));
    StringGrid1->setColCount(GroupedColumns + 1);
    StringGrid1->setRowCount(StrokeCountFile.gridRows);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(0);
    StringGrid1->setFixedColor(Yellow);
    StringGrid1->setColWidth(0, 48);
    StringGrid1->setDefaultRowHeight(22);
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &TKakusuu::StringGrid1DrawCell);

    for (int col = 1; col <= GroupedColumns; ++col)
        StringGrid1->setColWidth(col, 20);
    FormCreate();
}

void TKakusuu::readTable()
{
    KksDataRead();
    KksHyouDsp();
    StringGrid1->setCurrent(1, 0);
}

void TKakusuu::KksDataRead()
{
    m_entries = readGroupedList(StrokeCountFile, m_context.dataDir, nullptr);
}

void TKakusuu::KksHyouDsp()
{
    layoutGroups(*StringGrid1, m_entries, platform::utf8ToSjis("画"));
}

void TKakusuu::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    drawGroupedCell(*StringGrid1, col, row, rect, state, canvas);
}

} // namespace sorban::search
