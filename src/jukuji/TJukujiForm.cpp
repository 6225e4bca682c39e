#include "jukuji/TJukujiForm.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/KeyPreview.h"
#include "platform/widgets/StringGrid.h"

#include <QLabel>
#include <QPushButton>

namespace sorban::jukuji {
namespace {

using namespace platform::colors;
using platform::makeLabel;
using platform::pixelFont;
using platform::faces::Gothic;
using platform::faces::PGothic;

// Rows 1-10 and 21-30 share one colour band, rows 11-20 and 31-34 the other.
bool firstBand(int row)
{
    return ((row - 1) / 10) % 2 == 0;
}

} // namespace

TJukujiForm::TJukujiForm(const data::KanjiStore& store, std::filesystem::path dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_dataDir(std::move(dataDir))
{
    setObjectName(QStringLiteral("JukujiForm"));
    setWindowTitle(QStringLiteral("JukujiForm"));
    platform::placeControl(this, QRect(251, 118, 852, 1019), pixelFont(PGothic, 12), Black, Cream);
    setFixedSize(size()); // not resizable
    StaticText1 = makeLabel(this, "StaticText1", QStringLiteral("教育漢字 熟字訓 教科書出現ページ表"), {24, 24, 396, 25},
                            pixelFont(Gothic, 21, true), Blue, {}, Qt::AlignLeft | Qt::AlignVCenter);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SpeedButton1 = new QPushButton(QStringLiteral("閉じる(ESC/DEL)"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    platform::placeControl(SpeedButton1, {456, 16, 134, 30}, pixelFont(PGothic, 15, true), Red);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QPushButton::clicked, this, &TJukujiForm::C1Click);
    StaticText6 = makeLabel(this, "StaticText6", QStringLiteral("［平成**年度版］"), {704, 8, 121, 19}, pixelFont(PGothic, 15), Black, Aqua,
                            Qt::AlignCenter);
    SpeedButton2 = new QPushButton(QStringLiteral("出現⇔用例 (&Y)"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    platform::placeControl(SpeedButton2, {688, 38, 130, 25}, pixelFont(PGothic, 16, true), Purple);
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton2, &QPushButton::clicked, this, &TJukujiForm::JgokuRandDClick);
    makeLabel(this, "StaticText5", QStringLiteral("1"), {16, 102, 12, 15}, pixelFont(PGothic, 13, true));
    makeLabel(this, "StaticText2", QStringLiteral("１０"), {6, 333, 24, 15}, pixelFont(PGothic, 13, true), Blue);
    makeLabel(this, "StaticText3", QStringLiteral("２０"), {6, 600, 24, 15}, pixelFont(PGothic, 13, true));
    makeLabel(this, "StaticText4", QStringLiteral("３０"), {6, 855, 24, 15}, pixelFont(PGothic, 13, true));

    StringGrid3 = new platform::StringGrid(this);
    StringGrid3->setAccessibleName(QStringLiteral("熟字訓の出現表"));
    StringGrid3->setReading({{}, true}); // a stroke count heads the rows of its words
    StringGrid3->setObjectName(QStringLiteral("StringGrid3"));
    StringGrid3->setGeometry(30, 70, 793, 916);
    StringGrid3->setFont(pixelFont(PGothic, 19, true));
    StringGrid3->setColCount(8);
    StringGrid3->setRowCount(35);
    StringGrid3->setFixedCols(1);
    StringGrid3->setFixedRows(1);
    connect(StringGrid3, &platform::StringGrid::drawCell, this, &TJukujiForm::StringGrid3DrawCell);
    new platform::KeyPreview(this, [this](int key, Qt::KeyboardModifiers modifiers) { FormKeyDown(key, modifiers); });
    FormCreate(store);
}

void TJukujiForm::FormCreate(const data::KanjiStore& store)
{
    m_exampleView = false;
    StringGrid3->setColWidth(0, 120);
    StringGrid3->setColWidth(1, 120);
    for (int col = 2; col <= 7; ++col)
        StringGrid3->setColWidth(col, 90);
    StringGrid3->setDefaultRowHeight(25);
    StaticText1->setAutoFillBackground(true);
    QPalette white = StaticText1->palette();
    white.setColor(QPalette::Window, White);
    StaticText1->setPalette(white);
    JhyouRead();
    StringGrid3->setCell(0, 0, platform::utf8ToSjis("【熟字】"));
    StringGrid3->setCell(1, 0, platform::utf8ToSjis("【読み】"));
    for (int k = 0; k < 6; ++k)
        StringGrid3->setCell(k + 2, 0, store.ColumnLabel[static_cast<std::size_t>(k)]);
    JhyouDsp();
}

void TJukujiForm::showLabel(const std::string& sjis)
{
    // The label is the rest of its line; its line end is not shown.
    QString text = QString::fromStdString(platform::sjisToUtf8(sjis));
    text.remove(QLatin1Char('\n'));
    StaticText6->setText(text);
}

void TJukujiForm::JhyouRead()
{
    readAppearances(tables, m_dataDir);
    for (int n = 1; n <= Rows; ++n) {
        StringGrid3->setCell(0, n, tables.word[static_cast<std::size_t>(n - 1)]);
        StringGrid3->setCell(1, n, tables.reading[static_cast<std::size_t>(n - 1)]);
    }
    if (tables.appearanceLabelRead)
        showLabel(tables.appearanceLabel);
}

void TJukujiForm::JgokuRead()
{
    readExamples(tables, m_dataDir);
}

void TJukujiForm::JhyouDsp()
{
    for (int n = 1; n <= Rows; ++n)
        for (int k = 1; k <= Columns; ++k) {
            const Appearance& a = tables.appearance[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)];
            StringGrid3->setCell(k + 1, n, data::appearanceText(a.code, a.page));
        }
}

void TJukujiForm::JgokuRandDClick()
{
    if (!tables.examplesLoaded) {
        JgokuRead();
        tables.examplesLoaded = true;
    }
    if (!m_exampleView) {
        m_exampleView = true;
        showLabel(tables.exampleLabel);
        for (int n = 1; n <= Rows; ++n)
            for (int k = 1; k <= Columns; ++k)
                StringGrid3->setCell(k + 1, n, tables.example[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)]);
    } else {
        m_exampleView = false;
        showLabel(tables.appearanceLabel);
        JhyouDsp();
    }
}

void TJukujiForm::C1Click()
{
    close();
}

void TJukujiForm::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Delete)
        close();
}

void TJukujiForm::StringGrid3DrawCell(int col, int row, const QRect& rect, const platform::CellState&, platform::Canvas& canvas)
{
    canvas.setFontColor(Black);
    if (row == 0) {
        canvas.setBrushColor(Aqua);
    } else if (col == 0) {
        canvas.setBrushColor(Lime);
    } else if (col == 1) {
        canvas.setBrushColor(firstBand(row) ? Fuchsia : Red);
        canvas.setFontSize(16);
    } else {
        canvas.setBrushColor(Yellow);
        canvas.setFontSize(m_exampleView ? 10 : 16);
        canvas.setFontColor(firstBand(row) ? Blue : Green);
    }
    canvas.FillRect(rect);
    canvas.DrawText(StringGrid3->cellText(col, row), rect);
}

} // namespace sorban::jukuji
