#include "search/TBusyu.h"

#include "platform/widgets/Canvas.h"
#include "platform/core/DataFields.h"
#include "platform/core/Dialogs.h"
#include "data/KanjiStore.h"
#include "platform/widgets/FormStyle.h"
#include "platform/core/LineReader.h"
#include "settings/Settings.h"
#include "platform/widgets/StringGrid.h"
#include "platform/core/TextCodec.h"

#include <QLabel>

#include <algorithm>

namespace sorban::search {
namespace {

using namespace platform::colors;
using platform::faces::PGothic;
using platform::findSjis;
using platform::makeLabel;
using platform::pixelFont;

constexpr int RowLines = 50;
constexpr std::size_t RadicalCells = 200;

// The marks of the file and the table, in Shift-JIS.
const std::string& Mark()
{
    static const std::string mark = platform::utf8ToSjis("≫");
    return mark;
}

} // namespace

TBusyu::TBusyu(SearchContext context, QWidget* parent)
    : SearchWindow(std::move(context), {&settings::Settings::BSULEFT, &settings::Settings::BSUTOP}, parent)
{
    setObjectName(QStringLiteral("Busyu"));
    setupWindow(QStringLiteral("部首検索"), 999, 736, Aqua, pixelFont(PGothic, 16, true));
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
    StringGrid1->setColCount(49);
    StringGrid1->setRowCount(51);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(0);
    StringGrid1->setFixedColor(BtnFace);
    StringGrid1->setDefaultRowHeight(24);
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &TBusyu::StringGrid1DrawCell);

    // FormCreate
    m_radicalCells.clear();
    StringGrid1->setColWidth(0, 38);
    for (int col = 1; col <= 48; ++col)
        StringGrid1->setColWidth(col, 18);
    BsDataRead();
    BsHyouDsp();
    bsPosFind();
    StringGrid1->setCurrent(1, 0);
    StringGrid1->viewport()->update();
}

void TBusyu::BsDataRead()
{
    platform::LineReader in(m_context.dataDir / "Bs_srch.csv", 150);
    if (!in.isOpen()) {
        reportMissingFile("Bs_srch.csv のファイルがありません。");
        return;
    }
    std::string_view line;
    while (static_cast<int>(m_rowLines.size()) < RowLines && in.next(line))
        if (!platform::firstByteIs(line, '#'))
            m_rowLines.emplace_back(line);
}

void TBusyu::BsHyouDsp()
{
    static const std::string ring = platform::utf8ToSjis("○");
    static const std::string dot = platform::utf8ToSjis("・");
    const std::string& mark = Mark();
    for (int r = 0; r < RowLines; ++r) {
        std::string line = r < static_cast<int>(m_rowLines.size()) ? m_rowLines[static_cast<std::size_t>(r)] : std::string();
        const std::size_t comma = line.find(',');
        line = comma == std::string::npos ? std::string() : line.substr(comma + 1);
        line += dot;
        if (const std::size_t heading = findSjis(line, ring); heading != std::string::npos)
            StringGrid1->setCell(0, r, line.substr(0, heading));
        line.erase(0, std::min<std::size_t>(6, line.size()));
        line.erase(std::remove(line.begin(), line.end(), ','), line.end());
        int col = 1;
        bool first = true;
        for (std::size_t end; (end = findSjis(line, dot)) != std::string::npos;) {
            const std::string group = line.substr(0, end);
            line.erase(0, end + dot.size());
            if (!first)
                ++col; // the empty cell between two groups
            first = false;
            StringGrid1->setCell(col++, r, group.substr(0, 2));
            StringGrid1->setCell(col++, r, mark);
            for (std::size_t k = 4; k + 1 < group.size(); k += 2)
                StringGrid1->setCell(col++, r, group.substr(k, 2)); // past column 48: not in the grid
        }
    }
}

void TBusyu::bsPosFind()
{
    static const std::string kakuRing = platform::utf8ToSjis("画○");
    static const std::string rings = platform::utf8ToSjis("○○○");
    const std::string& mark = Mark();
    for (int r = 0; r < static_cast<int>(m_rowLines.size()); ++r) {
        std::string line = m_rowLines[static_cast<std::size_t>(r)];
        if (const std::size_t at = findSjis(line, kakuRing); at != std::string::npos)
            line.erase(0, at + kakuRing.size());
        else if (const std::size_t three = findSjis(line, rings); three != std::string::npos)
            line.erase(0, three + rings.size());
        for (std::size_t k = 0; 2 * k + 1 < line.size(); ++k) {
            if (line.compare(2 * k, 2, mark) == 0 && m_radicalCells.size() < RadicalCells)
                m_radicalCells.emplace_back(static_cast<int>(k), r);
        }
    }
}

bool TBusyu::bsPosCheck(int col, int row) const
{
    return col == 1 || std::find(m_radicalCells.begin(), m_radicalCells.end(), QPoint(col, row)) != m_radicalCells.end();
}

void TBusyu::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    const QString& text = StringGrid1->cellText(col, row);
    if (StringGrid1->cell(col, row) == Mark()) {
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
    if (byMouse && col > 47)
        return;
    const std::string& text = StringGrid1->cell(col, row);
    if (text.empty() || text == Mark())
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
