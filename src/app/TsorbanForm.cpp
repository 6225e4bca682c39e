#include "app/TsorbanForm.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/KanjiTexts.h"
#include "data/MainDataFiles.h"
#include "extras/THitujunF.h"
#include "handwriting/HandwritingWindow.h"
#include "jukuji/JukujiTables.h"
#include "jukuji/TJukujiForm.h"
#include "lessons/LessonWindow.h"
#include "lessons/NewReadings.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/Accessibility.h"
#include "platform/widgets/Announcer.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/LampPanel.h"
#include "platform/widgets/StringGrid.h"
#include "platform/widgets/UpDown.h"
#include "search/TBusyu.h"
#include "search/THaitouSrch.h"
#include "search/TKakusuu.h"
#include "search/TYomiSrchF.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/SheetPrinter.h"
#include "textcheck/TextCheckWindow.h"
#include "version/Version.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace sorban::app {
namespace {

using namespace platform::colors;
using platform::pixelFont;
using platform::placeControl;
using platform::sjisToUtf8;
using platform::utf8ToSjis;
using platform::faces::Mincho;
using platform::faces::PGothic;

QString q(const std::string& sjis)
{
    return QString::fromStdString(sjisToUtf8(sjis));
}

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QColor PalePink(240, 220, 220);
constexpr int KanjiSmallPoints = 44;
constexpr int KanjiLargePoints = 72;

// Font size in points of a text by its byte length, for the table's reading column.
int readingPoints(std::size_t bytes)
{
    return bytes <= 14 ? 16 : bytes <= 16 ? 14 : 13;
}

int examplePoints(std::size_t bytes)
{
    return bytes <= 10 ? 12 : bytes <= 15 ? 10 : 8;
}

int radicalReadingPoints(std::size_t bytes)
{
    if (bytes < 6)
        return 13;
    if (bytes <= 7)
        return 12;
    if (bytes <= 11)
        return 11;
    return static_cast<int>(100 / bytes);
}

QPushButton* speedButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, const QFont& font,
                         const QColor& fg = {}, const char* hint = nullptr)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    placeControl(b, geometry, font, fg);
    b->setFocusPolicy(Qt::NoFocus); // speed buttons never take the focus
    if (hint)
        b->setToolTip(u(hint));
    return b;
}

// A small emblem for the top-right corner: a red disc with 漢 in white, drawn when first shown.
class Emblem : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Red);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(1, 1, 22, 22);
        painter.setPen(White);
        painter.setFont(pixelFont(Mincho, 15, true));
        painter.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, u("漢"));
    }
};

// The readings a screen reader is told when a kanji is shown; the table has the rest.
constexpr std::int32_t SpokenReadings = 3;

// What a screen reader says when kanji `n` is shown: "愛、漢字番号 1、読み 2、アイ、いと(しい)".
QString spokenKanji(const data::KanjiStore& store, std::int32_t n)
{
    if (!data::KanjiStore::isKanjiNumber(n))
        return QStringLiteral("漢字番号 %1").arg(n);
    const std::int32_t count = store.YomiCount[static_cast<std::size_t>(n)];
    QString spoken = q(store.KanjiText[static_cast<std::size_t>(n)]) + QStringLiteral("、漢字番号 %1、読み %2").arg(n).arg(count);
    const std::int64_t first = store.FirstYomi(n);
    for (std::int64_t k = 0; k < std::min(count, SpokenReadings); ++k)
        if (data::KanjiStore::isReadingIndex(first + k))
            spoken += QStringLiteral("、") + q(store.YomiText[static_cast<std::size_t>(first + k)]);
    return spoken;
}

} // namespace

TsorbanForm::TsorbanForm(data::KanjiStore& store, settings::Selection& selection, settings::Settings& settings, FormPaths paths,
                         QWidget* parent)
    : QMainWindow(parent), m_store(store), m_selection(selection), m_settings(settings),
      m_paths(std::move(paths)), m_dialogFont{platform::faces::PGothic.toStdString(), false, false, 0x000000}
{
    setObjectName(QStringLiteral("sorbanForm"));
    setWindowTitle(u("Sorban v") + QString::fromLatin1(Version));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(854, 569);
    placeControl(m_client, QRect(0, 0, 854, 569), pixelFont(PGothic, 12), Black, Cream);
    setCentralWidget(m_client);
    setupLabels();
    setupInputs();
    setupButtons();
    setupGrids();
    setupMenus();
    setupSelection();
    // A volume's kanji come from the lesson-planning window's lists, gathered when asked for.
    const auto volumeKanji = [this](int column, std::int32_t volume, bool newReadingsToo) {
        return lessons::FirstAppearances(m_store, jukuji::JukujiTables{}).kanjiIn(column, volume, newReadingsToo);
    };
    m_sheets = std::make_unique<sheets::SheetPrinter>(
        sheets::SheetSource{m_store, m_selection, m_settings, m_paths.dataDir, m_paths.pictureDir, volumeKanji}, this);
    FormCreate();
    setFixedSize(sizeHint());
    m_announcer = new platform::Announcer(this);
    m_announcedKanji = m_selection.KanNum;
}

TsorbanForm::~TsorbanForm()
{
    // Open tool windows end with the program, without running their own close handlers.
    for (QWidget* w : std::initializer_list<QWidget*>{HandwritingWin, TextCheckWin, LessonWin, YomiSrchF, Busyu, HaitouSrch, Kakusuu,
                                                      JukujiForm, HitujunF})
        delete w;
}

void TsorbanForm::setupLabels()
{
    QWidget* c = m_client;
    Label2 =
        platform::makeLabel(c, "Label2", u("◇教育漢字教科書別・読み別 出現ページ表◇"), {250, 10, 394, 19}, pixelFont(PGothic, 19, true));
    Label4 = platform::makeLabel(c, "Label4", {}, {30, 32, 110, 110}, font(), {}, Red);
    Label5 = platform::makeLabel(c, "Label5", {}, {37, 41, 96, 96}, pixelFont(Mincho, platform::pointsToPixels(KanjiLargePoints)), Black,
                                 Aqua, Qt::AlignCenter);
    StaticText2 =
        platform::makeLabel(c, "StaticText2", u("漢字番号"), {152, 32, 88, 22}, pixelFont(PGothic, 21, true), Red, {}, Qt::AlignRight);
    StaticText2->setToolTip(u("漢字コードではないよ。"));
    StaticText3 = platform::makeLabel(c, "StaticText3", {}, {154, 51, 86, 23}, pixelFont(PGothic, 21, true), Red, {}, Qt::AlignRight);
    StaticText6 = platform::makeLabel(c, "StaticText6", {}, {30, 146, 250, 16}, pixelFont(PGothic, 13), Gray);
    StaticText1 = platform::makeLabel(c, "StaticText1", u("◆属性"), {326, 36, 60, 17}, pixelFont(PGothic, 15, true));
    StaticText11 = platform::makeLabel(c, "StaticText11", {}, {394, 40, 240, 14}, pixelFont(PGothic, 12));
    StaticText7 = platform::makeLabel(c, "StaticText7", {}, {644, 15, 132, 19}, pixelFont(Mincho, 15));
    Label7 = platform::makeLabel(c, "Label7", {}, {718, 46, 76, 6}, font(), {}, Teal);
    Label8 = platform::makeLabel(c, "Label8", {}, {718, 114, 76, 6}, font(), {}, Teal);
    Label9 = platform::makeLabel(c, "Label9", {}, {718, 46, 6, 74}, font(), {}, Teal);
    Label10 = platform::makeLabel(c, "Label10", {}, {788, 46, 6, 74}, font(), {}, Teal);
    Label3 = platform::makeLabel(c, "Label3", {}, {726, 54, 60, 59}, pixelFont(Mincho, platform::pointsToPixels(KanjiSmallPoints)), Red,
                                 Yellow, Qt::AlignCenter);
    Label11 = platform::makeLabel(c, "Label11", {}, {328, 126, 318, 30}, font(), {}, Lime);
    StaticText10 = platform::makeLabel(c, "StaticText10", u("検索"), {334, 133, 32, 16}, pixelFont(PGothic, 14, true), Black, Lime);
    Label1 = platform::makeLabel(c, "Label1", u("▼ ▼"), {800, 213, 40, 10}, pixelFont(PGothic, 9), Red);
    Label12 = platform::makeLabel(c, "Label12", u("▼ ▼"), {800, 277, 40, 10}, pixelFont(PGothic, 9), Blue);
    Label6 = platform::makeLabel(c, "Label6", u("◎カタカナ…音読み，ひらがな…訓読み　　(▲)…小学校では習わない読み方"), {32, 527, 600, 18},
                                 pixelFont(PGothic, 16));
    StaticText12 = platform::makeLabel(c, "StaticText12",
                                       u("☆用例中、漢字の直前の記号「・」は同ページ後出、「*」は後出ルビ、「…」は中略、「#」は表外読み。"),
                                       {32, 548, 610, 16}, pixelFont(PGothic, 13, true), Red);
    Image1 = new Emblem(c);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(818, 12, 24, 24);
}

void TsorbanForm::setupInputs()
{
    QWidget* c = m_client;
    StaticText8 = platform::makeLabel(c, "StaticText8", u("番号入力"), {172, 76, 60, 14}, pixelFont(PGothic, 12));
    StaticText8->setToolTip(u("調べたい漢字番号を入力してください。"));
    StaticText9 =
        platform::makeLabel(c, "StaticText9", u("⇒"), {146, 95, 22, 24}, pixelFont(PGothic, 19, true), Red, Lime, Qt::AlignCenter);
    StaticText9->setFrameStyle(QFrame::Box | QFrame::Plain);
    StaticText9->setAccessibleName(u("表示中の漢字を入力欄へ"));
    // Each box gets its font before its text, so its text is laid out once.
    Edit1 = new QLineEdit(c);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // The stand-in face's digits are 5/8 of an em wide where the designed face's are 1/2: at 80 %
    // they have the designed width, and four of them (1026) fit the 56-pixel box.
    QFont digits = pixelFont(PGothic, 24);
    digits.setStretch(80);
    placeControl(Edit1, {170, 92, 56, 30}, digits);
    Edit1->setText(u("1"));
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false); // the number box takes no IME input
    Edit1->setAccessibleName(u("漢字番号"));
    UpDown1 = new platform::UpDown(c);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(226, 92, 17, 30);
    UpDown1->setRange(1, data::MaxKanji);
    UpDown1->setPosition(1);
    UpDown1->setAccessibleName(u("漢字番号の増減"));
    UpDown1->upButton()->setAccessibleName(u("番号を増やす"));
    UpDown1->downButton()->setAccessibleName(u("番号を減らす"));
    StaticText4 = platform::makeLabel(c, "StaticText4", u("漢字入力"), {252, 76, 60, 14}, pixelFont(PGothic, 12));
    StaticText4->setToolTip(u("調べたい漢字を入力します。"));
    Edit2 = new QLineEdit(c);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    placeControl(Edit2, {250, 92, 66, 30}, pixelFont(PGothic, 24));
    Edit2->setText(u("愛"));
    Edit2->setAccessibleName(u("漢字入力"));
    Edit2->setToolTip(u("最初の文字が選択されます。表示は４字以内。"));
}

void TsorbanForm::setupButtons()
{
    QWidget* c = m_client;
    const QFont bold16 = pixelFont(PGothic, 16, true);
    const QFont bold13 = pixelFont(PGothic, 13, true);
    SpeedButton2 = speedButton(c, "SpeedButton2", u("表示(&S)"), {170, 125, 73, 23}, bold13, {}, "入力した番号の漢字を表示する");
    SpeedButton1 = speedButton(c, "SpeedButton1", u("表示(&D)"), {250, 125, 68, 23}, bold13, {}, "入力した漢字を表示する");
    SpeedButton14 = speedButton(c, "SpeedButton14", u("→筆順"), {796, 96, 48, 22}, bold13, Blue);
    SpeedButton14->setEnabled(false);
    SpeedButton3 = speedButton(c, "SpeedButton3", u("配当学年(&N)"), {370, 129, 92, 24}, bold13, Black, "学年検索表を表示する");
    SpeedButton4 = speedButton(c, "SpeedButton4", u("部首(&B)"), {466, 129, 56, 24}, bold13, Red, "部首検索表を表示する");
    SpeedButton5 = speedButton(c, "SpeedButton5", u("画数(&K)"), {526, 129, 56, 24}, bold13, Blue, "画数検索表を表示する");
    SpeedButton6 = speedButton(c, "SpeedButton6", u("読み(&Y)"), {586, 129, 56, 24}, bold13, Teal, "読み別検索表を表示する");
    gokuRandD = new QPushButton(u("出現⇔用例(&G)"), c);
    gokuRandD->setObjectName(QStringLiteral("gokuRandD"));
    placeControl(gokuRandD, {668, 134, 120, 25}, bold16, Black);
    gokuRandD->setToolTip(u("漢字の用例を表示する"));
    connect(gokuRandD, &QPushButton::clicked, this, &TsorbanForm::gokuRandDClick);
    Panel1 = new platform::LampPanel(c);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(652, 138, 18, 18);
    SpeedButton9 = speedButton(c, "SpeedButton9", u("↑前"), {796, 158, 48, 26}, bold16, Red);
    SpeedButton8 = speedButton(c, "SpeedButton8", u("↓次"), {796, 186, 48, 26}, bold16, Blue, "次番の漢字を表示する");
    SpeedButton11 = speedButton(c, "SpeedButton11", u("↑10"), {796, 224, 48, 26}, bold16, Red);
    SpeedButton10 = speedButton(c, "SpeedButton10", u("↓10"), {796, 252, 48, 26}, bold16, Blue, "10番後の漢字を表示する");
    SpeedButton12 = speedButton(c, "SpeedButton12", u("↑頭"), {796, 290, 48, 26}, bold16, Red);
    SpeedButton13 = speedButton(c, "SpeedButton13", u("↓尾"), {796, 318, 48, 26}, bold16, Blue, "最後1026番の漢字を表示する");
    Button1 = new QPushButton(u("(メモ)"), c);
    Button1->setObjectName(QStringLiteral("Button1"));
    placeControl(Button1, {794, 352, 50, 20}, bold13);
    platform::setClickFocusOnly(Button1);
    Button1->setToolTip(u("現漢字を下のListの先頭に記憶します。最後の漢字は消えます。"));
    ListBox1 = new QListWidget(c);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    placeControl(ListBox1, {804, 374, 29, 176}, pixelFont(PGothic, 16, true), Blue);
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, Yellow);
    ListBox1->setPalette(palette);
    ListBox1->setToolTip(u("【メモした文字】表示したい漢字をダブルクリック！"));
    ListBox1->setAccessibleName(u("メモ"));
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setFrameStyle(QFrame::Box | QFrame::Plain);
    SpeedButton7 = speedButton(c, "SpeedButton7", u("熟字訓を表示⇒(&J)"), {648, 528, 144, 30}, bold16, Red, "熟字訓の出現表を表示する");
}

void TsorbanForm::setupGrids()
{
    StringGrid1 = new platform::StringGrid(m_client);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(26, 168, 769, 350);
    StringGrid1->setFont(pixelFont(PGothic, 21, true));
    StringGrid1->setColCount(7);
    StringGrid1->setRowCount(11);
    StringGrid1->setFixedCols(1);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedColor(BtnFace);
    StringGrid1->setFocusPolicy(Qt::ClickFocus); // the table takes no focus by tabbing
    StringGrid1->setAccessibleName(u("出現ページ表"));
    connect(StringGrid1, &platform::StringGrid::drawCell, this, &TsorbanForm::StringGrid1DrawCell);

    StringGrid2 = new platform::StringGrid(m_client);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(320, 56, 388, 62);
    StringGrid2->setFont(pixelFont(Mincho, 16, true));
    StringGrid2->setColCount(6);
    StringGrid2->setRowCount(2);
    StringGrid2->setFixedCols(0);
    StringGrid2->setFixedRows(1);
    StringGrid2->setFixedColor(BtnFace);
    StringGrid2->setAccessibleName(u("属性"));
    StringGrid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(StringGrid2, &platform::StringGrid::drawCell, this, &TsorbanForm::StringGrid2DrawCell);
}

void TsorbanForm::FormCreate()
{
    m_settings.IniRead(m_selection);
    move(m_settings.LEFT, m_settings.TOP);
    m_parkingCell = QPoint(StringGrid1->colCount() - 1, StringGrid1->rowCount() - 1);
    StringGrid1->setColWidth(0, 146);
    for (int col = 1; col <= 6; ++col)
        StringGrid1->setColWidth(col, 100);
    StringGrid1->resize(758, StringGrid1->height());
    Label2->setAutoFillBackground(true);
    QPalette redBack = Label2->palette();
    redBack.setColor(QPalette::Window, Red);
    Label2->setPalette(redBack);
    const QString face = platform::installedFamily(q(m_settings.KanjiFont));
    for (QLabel* kanji : {Label3, Label5}) {
        QFont f = kanji->font();
        f.setFamily(face);
        kanji->setFont(f);
    }
    StringGrid1->setDefaultRowHeight(30);
    StringGrid1->resize(StringGrid1->width(), 349);
    for (int col = 0; col < 6; ++col)
        StringGrid2->setColWidth(col, std::array{66, 56, 40, 90, 60, 66}[static_cast<std::size_t>(col)]);
    StringGrid2->setRowHeight(1, 32);

    data::LoadYomiData(m_store, m_paths.dataDir);
    data::LoadAtrbtData(m_store, m_paths.dataDir);

    StringGrid1->setCell(0, 0, utf8ToSjis("【読み】"));
    for (int col = 1; col <= 6; ++col)
        StringGrid1->setCell(col, 0, m_store.ColumnLabel[static_cast<std::size_t>(col - 1)]);
    for (int col = 0; col < 6; ++col) {
        StringGrid2->setCell(col, 0, data::AttrHeading()[static_cast<std::size_t>(col)]);
        StringGrid2->setCell(col, 1, {});
    }
    Edit1->setAlignment(Qt::AlignRight);
    StaticText12->hide();
    Panel1Dsp();
    HyouDsp();
    showMemoList();
}

void TsorbanForm::HyouDsp()
{
    data::KanjiStore& s = m_store;
    const std::int32_t n = m_selection.KanNum;
    UpDown1->setPosition(n);
    Edit1->setText(QString::number(n));
    StaticText3->setText(QString::number(n));
    StaticText7->setText(q(s.AprNote));
    if (!(m_selection.GokuMode == 1 && m_selection.ReturnMode == 1)) {
        m_selection.GokuMode = 0;
        StaticText12->hide();
    }
    platform::setTextColor(gokuRandD, m_selection.GokuMode == 1 ? Blue : Black);
    const bool known = data::KanjiStore::isKanjiNumber(n);
    m_selection.KanjiNow = known ? s.KanjiText[n] : std::string();
    Label3->setText(q(m_selection.KanjiNow));
    Label5->setText(q(m_selection.KanjiNow));
    const QString kanjiName = q(m_selection.KanjiNow) + u("（漢字番号 ") + QString::number(n) + u("）");
    Label5->setAccessibleName(kanjiName);
    StaticText11->setText(u("*部首(読み)の欄はあくまで参考です。"));

    const std::int32_t f = s.FirstYomi(n);
    const std::int32_t c = known ? s.YomiCount[n] : 0;
    StaticText6->setText(q(utf8ToSjis("累計=") + std::to_string(f) + utf8ToSjis(",読み数=") + std::to_string(c)));

    const std::array<std::string, 6> attributes = data::attributeTexts(s, n);
    for (std::size_t col = 0; col < attributes.size(); ++col)
        StringGrid2->setCell(static_cast<int>(col), 1, attributes[col]);
    SpeedButton14->setEnabled(known && s.HitujunFlag[static_cast<std::size_t>(n - 1)] == 1);

    if (m_selection.GokuMode == 1)
        gokuDsp();
    m_selection.YomiRows = c;
    const int shown = data::shownReadings(s, n);
    for (int k = 0; k < shown; ++k) {
        const std::int64_t index = static_cast<std::int64_t>(f) + k;
        const bool stored = data::KanjiStore::isReadingIndex(index);
        StringGrid1->setCell(0, k + 1, stored ? s.YomiText[static_cast<std::size_t>(index)] : std::string());
        if (m_selection.GokuMode == 0) {
            const data::AprRow record = stored ? s.AprRecord[static_cast<std::size_t>(index)] : data::AprRow{};
            for (std::size_t col = 1; col <= 6; ++col)
                StringGrid1->setCell(static_cast<int>(col), k + 1, data::appearanceText(record[2 * col - 2], record[2 * col - 1]));
        }
    }
    clearRowsFromAndPark(shown + 1);
    if (m_announcer && n != m_announcedKanji) {
        m_announcedKanji = n;
        m_announcer->announce(spokenKanji(s, n));
    }
}

void TsorbanForm::clearRowsFromAndPark(int firstEmptyRow)
{
    for (int row = firstEmptyRow; row <= 10; ++row)
        for (int col = 0; col <= 6; ++col)
            StringGrid1->setCell(col, row, {});
    // No cell of the table looks chosen by the user.
    StringGrid1->setCurrent(m_parkingCell.x(), m_parkingCell.y());
    StringGrid1->viewport()->update();
}

void TsorbanForm::gokuDsp()
{
    data::KanjiStore& s = m_store;
    StaticText12->show();
    StaticText7->setText(q(s.GokuNote));
    const std::int32_t n = m_selection.KanNum;
    const std::int32_t f = s.FirstYomi(n);
    const int shown = data::shownReadings(s, n);
    for (int k = 0; k < shown; ++k) {
        const std::int64_t index = static_cast<std::int64_t>(f) + k;
        const bool stored = data::KanjiStore::isReadingIndex(index);
        for (int col = 1; col <= 6; ++col)
            StringGrid1->setCell(col, k + 1,
                                 stored ? s.GokuText[static_cast<std::size_t>(index)][static_cast<std::size_t>(col - 1)] : std::string());
    }
    clearRowsFromAndPark(shown + 1);
}

void TsorbanForm::gokuRandDClick()
{
    data::KanjiStore& s = m_store;
    if (m_selection.GokuLoaded == 0) {
        data::LoadGokuData(s, m_paths.dataDir);
        m_selection.GokuLoaded = 1;
    }
    if (m_selection.GokuMode == 0) {
        platform::setTextColor(gokuRandD, Blue);
        m_selection.GokuMode = 1;
        StaticText12->show();
        gokuDsp();
    } else {
        StaticText12->hide();
        m_selection.GokuMode = 0;
        platform::setTextColor(gokuRandD, Black);
        HyouDsp();
    }
    m_announcer->announce(spokenView(false));
}

void TsorbanForm::R1Click()
{
    m_selection.ReturnMode = 1 - m_selection.ReturnMode;
    Panel1Dsp();
    m_announcer->announce(spokenView(true));
}

QString TsorbanForm::spokenView(bool returnModeFirst) const
{
    const QString view = m_selection.GokuMode == 1 ? u("用例表示") : u("出現表示");
    const QString returnMode = m_selection.ReturnMode == 0 ? u("漢字を替えると出現表示に戻る") : u("漢字を替えても表示はそのまま");
    return returnModeFirst ? returnMode + u("、") + view : view + u("、") + returnMode;
}

void TsorbanForm::Panel1Dsp()
{
    if (m_selection.ReturnMode == 0) {
        Panel1->setColor(Red);
        Panel1->setToolTip(u("漢字を替えると,｢用例｣⇒｢出現｣表示に戻る。"));
        Panel1->setAccessibleName(u("出現表示に戻る"));
    } else {
        Panel1->setColor(Navy);
        Panel1->setToolTip(u("漢字を替えても｢用例｣or｢出現｣表示はそのまま。"));
        Panel1->setAccessibleName(u("用例表示のまま"));
    }
}

void TsorbanForm::StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas)
{
    const std::size_t bytes = StringGrid1->cell(col, row).size();
    const QString& text = StringGrid1->cellText(col, row);
    if (state.selected) {
        canvas.setBrushColor(White);
        canvas.FillRect(rect);
        canvas.setFontColor(Black);
        canvas.setFontSize(20);
        canvas.DrawText(text, rect);
    }
    if (row == 0) {
        canvas.setBrushColor(Yellow);
        canvas.FillRect(rect);
        canvas.DrawText(text, rect);
        return;
    }
    if (row > m_selection.YomiRows)
        return;
    if (col == 0) {
        canvas.setBrushColor(Fuchsia);
        canvas.FillRect(rect);
        canvas.setFontSize(readingPoints(bytes));
        canvas.DrawText(text, rect);
        return;
    }
    if (m_selection.GokuMode == 0) {
        canvas.setFontSize(16);
        canvas.setFontColor(Black);
    } else {
        canvas.setFontColor(Blue);
        canvas.setFontSize(examplePoints(bytes));
    }
    canvas.setBrushColor(White);
    canvas.FillRect(rect);
    canvas.DrawText(text, rect);
}

void TsorbanForm::StringGrid2DrawCell(int col, int row, const QRect& rect, const platform::CellState&, platform::Canvas& canvas)
{
    const QString& text = StringGrid2->cellText(col, row);
    canvas.setFontColor(Black); // the grid's font colour, also on the parked (selected) cell
    if (row == 0) {
        canvas.setBrushColor(PalePink);
        canvas.FillRect(rect);
        canvas.setFontSize(col == 0 || col == 5 ? 10 : 12);
        canvas.DrawText(text, rect);
        return;
    }
    canvas.setBrushColor(White);
    canvas.FillRect(rect);
    canvas.setFontSize(col == 3 ? radicalReadingPoints(StringGrid2->cell(col, row).size()) : 16);
    canvas.DrawText(text, rect);
}

void TsorbanForm::closeEvent(QCloseEvent* event)
{
    // The window closes even when the settings cannot be written: the box has said so.
    m_settings.IniWrite(m_selection, x(), y());
    event->accept();
    QCoreApplication::quit();
}

} // namespace sorban::app
