#include "search/THaitouSrch.h"

#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/StringGrid.h"
#include "search/TKakusuu.h"
#include "settings/Settings.h"

#include <QLabel>

namespace sorban::search {

using namespace platform::colors;
using platform::makeLabel;
using platform::pixelFont;
using platform::faces::PGothic;

namespace {

// The edition label a file without one leaves showing.
const QString DefaultLabel = QStringLiteral("あいうえおかきく");

} // namespace

THaitouSrch::THaitouSrch(SearchContext context, QWidget* parent)
    : SearchWindow(std::move(context), {&settings::Settings::NENLEFT, &settings::Settings::NENTOP}, parent)
{
    setObjectName(QStringLiteral("HaitouSrch"));
    setupWindow(QStringLiteral("学年検索"), 944, 783, Yellow, pixelFont(PGothic, 12));
    StringGrid1->setAccessibleName(QStringLiteral("学年検索表"));
    StringGrid1->setReading({{}, true}); // a group's later rows read under its heading
    auto* title =
        makeLabel(this, "StaticText1", QStringLiteral("配当学年別検索表"), {24, 16, 164, 23}, pixelFont(PGothic, 19, true), Navy, White);
    title->setFrameStyle(QFrame::Box | QFrame::Plain);
    makeLabel(this, "StaticText2", QStringLiteral("◆漢字をクリックするか、赤字にしてEnterしてください。"), {230, 20, 399, 20},
              pixelFont(PGothic, 16, true));
    StaticText3 =
        makeLabel(this, "StaticText3", DefaultLabel, {664, 18, 124, 18}, pixelFont(PGothic, 15, true), Blue, White, Qt::AlignCenter);
    StaticText3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setupCloseButton({820, 18, 100, 30}, pixelFont(PGothic, 12, true), Red);

    StringGrid1->setGeometry(24, 56, 900, 710);
    StringGrid1->setFont(pixelFont(PGothic, 19, true));
    StringGrid1->setColCount(GroupedColumns + 1);
    StringGrid1->setRowCount(GradeFile.gridRows);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(0);
    StringGrid1->setFixedColor(Lime);
    StringGrid1->setColWidth(0, 48);
    StringGrid1->setDefaultRowHeight(22);
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &THaitouSrch::StringGrid1DrawCell);

    for (int col = 1; col <= GroupedColumns; ++col)
        StringGrid1->setColWidth(col, 20);
    FormCreate();
}

void THaitouSrch::readTable()
{
    StaticText3->setText(DefaultLabel); // what a file without a label leaves
    NenDataRead();
    NenHyouDsp();
    StringGrid1->setCurrent(1, 0);
}

void THaitouSrch::NenDataRead()
{
    std::optional<std::string> label;
    m_entries = readGroupedList(GradeFile, m_context.dataDir, &label);
    if (label) // a label without its comma carries its line end, which a label does not show
        StaticText3->setText(QString::fromStdString(platform::sjisToUtf8(*label)).remove(QLatin1Char('\n')));
}

void THaitouSrch::NenHyouDsp()
{
    layoutGroups(*StringGrid1, m_entries, platform::utf8ToSjis("年"));
}

void THaitouSrch::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    drawGroupedCell(*StringGrid1, col, row, rect, state, canvas);
}

} // namespace sorban::search
