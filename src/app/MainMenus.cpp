// TsorbanForm: the menus, the font choice, and the commands that open the other windows.
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "data/KanjiTexts.h"
#include "data/PictureFile.h"
#include "extras/THitujunF.h"
#include "extras/ThelpW.h"
#include "handwriting/HandwritingWindow.h"
#include "jukuji/TJukujiForm.h"
#include "lessons/LessonWindow.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/Canvas.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/IdleWarmUp.h"
#include "search/TBusyu.h"
#include "search/THaitouSrch.h"
#include "search/TKakusuu.h"
#include "search/TYomiSrchF.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/SheetPrinter.h"
#include "textcheck/TextCheckWindow.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace sorban::app {
namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void TsorbanForm::setupMenus()
{
    QMenu* file = menuBar()->addMenu(u("ファイル(&F)"));
    file->addAction(u("フォント(&F)"), this, &TsorbanForm::F1Click);
    // Taking the kanji's page out of the program.
    file->addAction(u("印刷(&P)..."), this, &TsorbanForm::PrintClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addAction(u("PDFに保存(&E)..."), this, &TsorbanForm::PdfClick);
    file->addAction(u("コピー(&C)"), this, &TsorbanForm::CopyClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    file->addAction(u("練習プリント(&R)..."), this, &TsorbanForm::PracticeClick);
    file->addSeparator();
    file->addAction(u("終了(&X)"), this, &TsorbanForm::Exit2Click);
    QMenu* operate = menuBar()->addMenu(u("操作(&M)"));
    operate->addAction(u("漢字入力決定(&D)"), this, &TsorbanForm::SpeedButton1Click);
    operate->addAction(u("番号入力決定(&S)"), this, &TsorbanForm::SpeedButton2Click);
    operate->addSeparator();
    operate->addAction(u("熟字訓を表示(&J)"), this, &TsorbanForm::J1Click);
    operate->addSeparator();
    R1 = operate->addAction(u("用例からの戻り方（&R）"), this, &TsorbanForm::R1Click);
    R1->setObjectName(QStringLiteral("R1"));
    R1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    // The two mouse-only controls, "(メモ)" (never focused by Tab) and the arrow label, by keyboard.
    operate->addSeparator();
    operate->addAction(u("現漢字をメモ(&E)"), this, &TsorbanForm::MemoAdd);
    operate->addAction(u("表示中の漢字を入力欄へ(&I)"), this, &TsorbanForm::StaticText9Click);
    QMenu* search = menuBar()->addMenu(u("検索(&D)"));
    search->addAction(u("画数検索(&K)"), this, &TsorbanForm::K2Click);
    search->addAction(u("配当検索(&N)"), this, &TsorbanForm::H1Click);
    search->addAction(u("部首検索(&B)"), this, &TsorbanForm::B1Click);
    search->addSeparator();
    search->addAction(u("教科書別 新出一覧(&L)..."), this, &TsorbanForm::LessonsClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    search->addAction(u("未習チェック(&T)..."), this, &TsorbanForm::TextCheckClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    search->addAction(u("手書き検索(&W)..."), this, &TsorbanForm::HandwritingClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    QMenu* help = menuBar()->addMenu(u("ヘルプ(&H)"));
    help->addAction(u("Sorbanの使い方(&H)"), this, &TsorbanForm::HowtoUseHelp1Click)->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(u("バージョン情報(&A)"), this, &TsorbanForm::About1Click);
    // F10 opens the menu bar from the keyboard, as desktops do.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    addAction(menuKey);
    setupPopupMenu();
}

void TsorbanForm::setupPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(u("番号入力決定(&N)"), this, &TsorbanForm::SpeedButton2Click);
    PopupMenu1->addAction(u("漢字入力決定(&K)"), this, &TsorbanForm::SpeedButton1Click);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(u("熟字訓を表示(&J)"), this, &TsorbanForm::J1Click);
    PopupMenu1->addSeparator();
    // Like its twin in the main menu, so that every search item of the popup opens its window.
    PopupMenu1->addAction(u("画数検索(&S)"), this, &TsorbanForm::K2Click);
    PopupMenu1->addAction(u("配当検索(&H)"), this, &TsorbanForm::H1Click);
    PopupMenu1->addAction(u("部首検索(&B)"), this, &TsorbanForm::B1Click);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(u("印刷(&P)..."), this, &TsorbanForm::PrintClick);
    PopupMenu1->addAction(u("PDFに保存(&E)..."), this, &TsorbanForm::PdfClick);
    PopupMenu1->addAction(u("コピー(&C)"), this, &TsorbanForm::CopyClick);
    PopupMenu1->addAction(u("練習プリント(&R)..."), this, &TsorbanForm::PracticeClick);

    connect(SpeedButton3, &QPushButton::clicked, this, &TsorbanForm::H1Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TsorbanForm::B1Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TsorbanForm::K2Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TsorbanForm::SpeedButton6Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &TsorbanForm::J1Click);
    connect(SpeedButton14, &QPushButton::clicked, this, &TsorbanForm::SpeedButton14Click);
}

void TsorbanForm::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TsorbanForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        focus_set0();
    }
}

void TsorbanForm::F1Click()
{
    const auto chosen = platform::dialogs().chooseFont(m_dialogFont);
    if (chosen) {
        m_dialogFont = *chosen;
        for (QLabel* kanji : {Label3, Label5}) {
            QFont font = kanji->font();
            font.setFamily(platform::installedFamily(QString::fromStdString(chosen->family)));
            font.setUnderline(chosen->underline);
            font.setStrikeOut(chosen->strikeOut);
            kanji->setFont(font);
            platform::setTextColor(kanji, QColor::fromRgb(chosen->rgb));
        }
        m_settings.KanjiFont = platform::utf8ToSjis(chosen->family);
    }
    for (auto [kanji, points] : {std::pair{Label3, 44}, std::pair{Label5, 72}}) {
        QFont font = kanji->font();
        font.setPixelSize(platform::pointsToPixels(points));
        kanji->setFont(font);
    }
}

void TsorbanForm::PrintClick()
{
    m_sheets->print();
}

void TsorbanForm::PdfClick()
{
    m_sheets->savePdf();
}

void TsorbanForm::CopyClick()
{
    m_sheets->copyTable();
}

void TsorbanForm::PracticeClick()
{
    m_sheets->practice();
}

void TsorbanForm::Exit2Click()
{
    close();
}

search::SearchContext TsorbanForm::searchContext()
{
    return {m_store, m_selection, m_settings, m_paths.dataDir, [this] { HyouDsp(); }};
}

template <typename Window>
void TsorbanForm::makeSearchWindow(QPointer<Window>& window, bool& openFlag)
{
    window = new Window(searchContext(), this); // an ordinary window of its own, owned by the main window
    connect(window, &search::SearchWindow::closed, this, [&openFlag] { openFlag = false; });
}

// An open search window only comes to the front. Otherwise the window is made anew, as a new
// window would be: it reads its file again and stands where it was last closed. The window object
// itself is kept from start-up on, so that its controls, its drawing surface and its laid-out
// text are not built again at each opening.
template <typename Window>
void TsorbanForm::openSearchWindow(QPointer<Window>& window, bool& openFlag)
{
    if (openFlag && window) {
        window->raise();
        window->activateWindow();
        return;
    }
    if (window)
        window->FormCreate();
    else
        makeSearchWindow(window, openFlag);
    window->setWindowState(Qt::WindowNoState);
    openFlag = true;
    window->show();
}

QWidget* TsorbanForm::searchWindow(Search kind) const
{
    switch (kind) {
    case Search::StrokeCount:
        return Kakusuu;
    case Search::Grade:
        return HaitouSrch;
    case Search::Radical:
        return Busyu;
    case Search::Reading:
        return YomiSrchF;
    }
    return nullptr;
}

bool TsorbanForm::isSearchOpen(Search kind) const
{
    switch (kind) {
    case Search::StrokeCount:
        return KakusuuOpen;
    case Search::Grade:
        return HaitouSrchOpen;
    case Search::Radical:
        return BusyuOpen;
    case Search::Reading:
        return YomiSrchOpen;
    }
    return false;
}

void TsorbanForm::K2Click()
{
    openSearchWindow(Kakusuu, KakusuuOpen);
}

void TsorbanForm::H1Click()
{
    openSearchWindow(HaitouSrch, HaitouSrchOpen);
}

void TsorbanForm::B1Click()
{
    openSearchWindow(Busyu, BusyuOpen);
}

void TsorbanForm::SpeedButton6Click()
{
    openSearchWindow(YomiSrchF, YomiSrchOpen);
}

void TsorbanForm::createStartupWindows()
{
    HitujunF = new extras::THitujunF(this);
    HitujunF->FormCreate(*this);
    // Made and read now, as every start does; each opening makes them anew (FormCreate).
    makeSearchWindow(YomiSrchF, YomiSrchOpen);
    makeSearchWindow(Busyu, BusyuOpen);
    makeSearchWindow(HaitouSrch, HaitouSrchOpen);
    makeSearchWindow(Kakusuu, KakusuuOpen);
    JukujiForm = new jukuji::TJukujiForm(m_store, m_paths.dataDir, this);
    // Their first opening then finds their text laid out and their glyphs drawn once.
    new platform::IdleWarmUp(this, {Kakusuu.data(), HaitouSrch.data(), Busyu.data(), YomiSrchF.data(), JukujiForm.data()});
}

void TsorbanForm::J1Click()
{
    if (!JukujiForm) {
        JukujiForm = new jukuji::TJukujiForm(m_store, m_paths.dataDir, this);
        JukujiForm->setWindowState(Qt::WindowNoState);
    }
    JukujiForm->show();
    JukujiForm->raise();
    JukujiForm->activateWindow();
}

void TsorbanForm::LessonsClick()
{
    if (!LessonWin) {
        if (!JukujiForm) // the window lists the jukujikun words of the jukujikun window's tables
            JukujiForm = new jukuji::TJukujiForm(m_store, m_paths.dataDir, this);
        lessons::LessonContext context{
            m_store, m_selection, m_settings, JukujiForm->jukujiTables(), m_paths.dataDir, *m_sheets, [this](std::int32_t n) {
                m_selection.KanNum = n;
                HyouDsp();
                activateWindow();
            }};
        LessonWin = new lessons::LessonWindow(std::move(context), this);
    }
    LessonWin->open();
}

void TsorbanForm::TextCheckClick()
{
    if (!TextCheckWin) {
        if (!JukujiForm) // the jukujikun words are read as whole words, from the jukujikun window's tables
            JukujiForm = new jukuji::TJukujiForm(m_store, m_paths.dataDir, this);
        textcheck::TextCheckContext context{m_store,
                                            m_settings,
                                            JukujiForm->jukujiTables(),
                                            *m_sheets,
                                            [this](std::int32_t n) {
                                                m_selection.KanNum = n;
                                                HyouDsp();
                                                activateWindow();
                                            },
                                            {}};
        TextCheckWin = new textcheck::TextCheckWindow(std::move(context), this);
    }
    TextCheckWin->open();
}

void TsorbanForm::HandwritingClick()
{
    if (!HandwritingWin) {
        handwriting::HandwritingContext context{m_store,
                                                m_settings,
                                                [this](std::int32_t n) {
                                                    m_selection.KanNum = n;
                                                    HyouDsp();
                                                },
                                                {}};
        HandwritingWin = new handwriting::HandwritingWindow(std::move(context), this);
    }
    HandwritingWin->open();
}

void TsorbanForm::SpeedButton14Click()
{
    const std::string name = data::pictureFileName(m_selection.KanNum, m_selection.KanjiNow);
    const std::filesystem::path path = m_paths.pictureDir / name;
    if (!HitujunF) {
        HitujunF = new extras::THitujunF(this);
        HitujunF->FormCreate(*this);
        HitujunF->setWindowState(Qt::WindowNoState);
    }
    HitujunF->setPicturePath(path.string());
    HitujunF->setPictureName(QString::fromStdString(platform::sjisToUtf8(m_selection.KanjiNow)) + u("の筆順"),
                             QString::fromStdString(platform::sjisToUtf8(data::attributeTexts(m_store, m_selection.KanNum)[1])));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        platform::dialogs().messageBox("<hitudata>フォルダーに\n筆順ファイル< " + name + " >がありません。", "ご注意！");
        return;
    }
    platform::dialogs().runModal(*HitujunF);
}

void TsorbanForm::About1Click()
{
    auto* about = new extras::ThelpW(this);
    about->setWindowState(Qt::WindowNoState);
    about->show();
}

void TsorbanForm::HowtoUseHelp1Click()
{
    // Full paths as one argument each, so a folder with blanks in its name still works.
    const std::filesystem::path dir = m_paths.manualDir.empty() ? std::filesystem::path(m_selection.ExeDir) : m_paths.manualDir;
    const std::string chm = (dir / "Sorban_Man.chm").string();
    const std::string html = (dir / "manual" / "index.html").string();
    std::error_code error;
    const bool chmThere = std::filesystem::is_regular_file(chm, error);
    const bool htmlThere = std::filesystem::is_regular_file(html, error);
    if (!chmThere && !htmlThere) {
        platform::dialogs().messageBox("Sorban_Man.chm が見あたりません。", "お知らせ");
        return;
    }
    QPointer<TsorbanForm> self(this);
    const auto noViewer = [chm, html] {
        platform::dialogs().messageBox("マニュアルを表示するプログラムが見つかりません。\nマニュアルは " + chm + " にあります（ページは "
                                           + html + "）。\nCHM の表示ソフト xchm（パッケージ xchm）を入れると、F1 で開けます。",
                                       "お知らせ");
    };
    const auto openPages = [self, html, htmlThere, noViewer] {
        if (!htmlThere) {
            noViewer();
            return;
        }
        platform::dialogs().launch("xdg-open", {html}, [self, noViewer](bool shown) {
            if (!shown && self)
                noViewer();
        });
    };
    // An opener in its generic mode hands any file to a browser, which shows a CHM as an empty page
    // and still succeeds: the CHM goes to xdg-open only where a program for its type is registered.
    platform::dialogs().launch("sh", {"-c", "test -n \"$(xdg-mime query default application/vnd.ms-htmlhelp 2>/dev/null)\""},
                               [self, chm, chmThere, openPages](bool viewer) {
                                   if (!self)
                                       return;
                                   if (!viewer || !chmThere) {
                                       openPages();
                                       return;
                                   }
                                   platform::dialogs().launch("xdg-open", {chm}, [self, openPages](bool opened) {
                                       if (!opened && self)
                                           openPages();
                                   });
                               });
}

} // namespace sorban::app
