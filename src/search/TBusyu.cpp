#include "search/TBusyu.h"

#include "data/KanjiStore.h"
#include "platform/core/Dialogs.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Settings.h"

#include <QLabel>

#include <algorithm>

namespace sorban::search {
namespace {

using namespace platform::colors;
using platform::makeLabel;
using platform::pixelFont;
using platform::faces::PGothic;

} // namespace

TBusyu::TBusyu(SearchContext context, QWidget* parent)
    : SearchWindow(std::move(context), {&settings::Settings::BSULEFT, &settings::Settings::BSUTOP}, parent)
{
    setObjectName(QStringLiteral("Busyu"));
    setupWindow(QStringLiteral("部首検索"), 999, 736, Aqua, pixelFont(PGothic, 16, true));
    StringGrid1->setAccessibleName(QStringLiteral("部首検索表"));
    // A radical and the mark after it are told apart by colour on screen, by their names for a reader.
    StringGrid1->setReading({[this](int col, int row) {
                                 const QString& text = StringGrid1->cellText(col, row);
                                 if (StringGrid1->cell(col, row) == radicalMark())
                                     return QStringLiteral("≫ この部首の漢字");
                                 if (col > 0 && !text.isEmpty() && bsPosCheck(col, row))
                                     return QStringLiteral("部首 ") + text;
                                 return text;
                             },
                             true});
    auto* title = makeLabel(this, "StaticText1", QStringLiteral("部首別検索表"), {24, 16, 154, 28}, pixelFont(PGothic, 24, true), Green,
                            QColor(255, 255, 128));
    title->setFrameStyle(QFrame::Box | QFrame::Plain);
    makeLabel(this, "StaticText6", QStringLiteral("◆漢字をClickするか、青バックにしてEnterしてください。"), {218, 16, 409, 20},
              pixelFont(PGothic, 16, true), Black, Yellow);
    setupCloseButton({866, 19, 96, 24}, pixelFont(PGothic, 13, true), Red);
    const char* marks[] = {"10", "20", "30", "40"};
    const int lefts[] = {222, 411, 599, 790};
    const char* names[] = {"StaticText2", "StaticText3", "StaticText4", "StaticText5"};
    for (int i = 0; i < 4; ++i)
        makeLabel(this, names[i], QString::fromLatin1(marks[i]), {lefts[i], 45, 24, 17}, pixelFont(PGothic, 16, true), Red);
    makeLabel(this, "StaticText7", QStringLiteral("　◎部首は変形して画数が変わることがあります。"), {72, 706, 340, 19},
              pixelFont(PGothic, 15, true), Black, Cream);

    StringGrid1->setGeometry(8, 64, 982, 633);
    StringGrid1->setFont(pixelFont(PGothic, 16, true));
    StringGrid1->setColCount(RadicalTableColumns + 1);
    StringGrid1->setRowCount(RadicalTableRows + 1);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(0);
    StringGrid1->setFixedColor(BtnFace);
    StringGrid1->setDefaultRowHeight(24);
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &TBusyu::StringGrid1DrawCell);

    StringGrid1->setColWidth(0, 38);
    for (int col = 1; col <= RadicalTableColumns; ++col)
        StringGrid1->setColWidth(col, 18);
    FormCreate();
}

void TBusyu::readTable()
{
    m_radicalCells.clear();
    BsDataRead();
    BsHyouDsp();
    bsPosFind();
    StringGrid1->setCurrent(1, 0);
    StringGrid1->viewport()->update();
}

void TBusyu::BsDataRead()
{
    m_table = readRadicalTable(m_context.dataDir);
}

void TBusyu::BsHyouDsp()
{
    for (const auto& cell : m_table.cells)
        StringGrid1->setCell(cell.col, cell.row, cell.text); // past column 48: not in the grid
}

void TBusyu::bsPosFind()
{
    for (const auto& [col, row] : m_table.radicalCells)
        m_radicalCells.emplace_back(col, row);
}

bool TBusyu::bsPosCheck(int col, int row) const
{
    return col == 1 || std::find(m_radicalCells.begin(), m_radicalCells.end(), QPoint(col, row)) != m_radicalCells.end();
}

void TBusyu::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    const QString& text = StringGrid1->cellText(col, row);
    if (StringGrid1->cell(col, row) == radicalMark()) {
        canvas.setFontSize(14);
        canvas.setFontColor(Red);
        canvas.DrawText(text, rect);
    }
    if (bsPosCheck(col, row)) {
        canvas.setBrushColor(Red);
        canvas.FillRect(rect);
        canvas.setFontColor(White);
        canvas.DrawText(text, rect);
    }
    if (state.selected) {
        canvas.setBrushColor(Blue);
        canvas.FillRect(rect);
        canvas.setFontColor(White);
        canvas.DrawText(text, rect);
    } else if (col == 0) {
        canvas.setBrushColor(Lime);
        canvas.FillRect(rect);
        canvas.DrawText(text, rect);
    }
}

void TBusyu::pick(int col, int row, bool byMouse)
{
    if (byMouse && col >= RadicalTableColumns)
        return;
    const std::string& text = StringGrid1->cell(col, row);
    if (text.empty() || text == radicalMark())
        return;
    const auto n = m_context.store.FindKanji(text);
    if (!n) {
        if (byMouse)
            platform::dialogs().messageBox(NotEducationKanji, "ご報告BSM!!");
        else
            platform::dialogs().messageBox(std::string("□") + NotEducationKanji, "ご報告BS!!");
        return;
    }
    StringGrid1->viewport()->repaint();
    showKanji(*n);
}

} // namespace sorban::search
