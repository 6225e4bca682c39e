#pragma once

#include "data/PictureFile.h"
#include "platform/core/Dialogs.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::settings {
class Settings;
struct Selection;
} // namespace sorban::settings
namespace sorban::platform {
class Announcer;
class Canvas;
class LampPanel;
class StringGrid;
class UpDown;
struct CellState;
} // namespace sorban::platform

namespace sorban::search {
class TBusyu;
class THaitouSrch;
class TKakusuu;
class TYomiSrchF;
struct SearchContext;
} // namespace sorban::search

namespace sorban::jukuji {
class TJukujiForm;
}
namespace sorban::extras {
class THitujunF;
}
namespace sorban::sheets {
class SheetPrinter;
}
namespace sorban::handwriting {
class HandwritingWindow;
}
namespace sorban::textcheck {
class TextCheckWindow;
}
namespace sorban::lessons {
class LessonWindow;
}

namespace sorban::app {

/// Where the main window finds its files: the data folder (normally "kdata" under the working
/// directory), the pictures and the manual. sorban.ini lies beside the executable (Selection::ExeDir).
struct FormPaths {
    std::filesystem::path dataDir;
    std::filesystem::path pictureDir = data::PictureFolder;
    /// The folder of the manual Sorban_Man.chm and its pages manual/*.html; empty for the
    /// executable's folder.
    std::filesystem::path manualDir = {};
};

/// The main window: the appearance table of the current kanji, its attributes, the usage-example
/// view, and the controls that choose a kanji.
class TsorbanForm : public QMainWindow {
    Q_OBJECT

public:
    TsorbanForm(data::KanjiStore& store, settings::Selection& selection, settings::Settings& settings, FormPaths paths,
                QWidget* parent = nullptr);
    ~TsorbanForm() override;

    /// Shows the current kanji KanNum in every display of the window.
    void HyouDsp();
    /// Writes the usage examples of the current kanji into the table.
    void gokuDsp();
    void gokuRandDClick();
    void R1Click();
    void Panel1Dsp();

    // Choosing a kanji.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void UpDown1Click();
    void StaticText9Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton13Click();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Edit1KeyDown();
    void StringGrid1Click();
    void focus_set0();

    // The memo list.
    void MemoAdd();
    void ListBox1Click();
    void ListBox1DblClick();
    /// Shows the memo entries of the settings in ListBox1.
    void showMemoList();

    // Menus and the windows they open.
    void F1Click();
    void Exit2Click();
    void J1Click();
    void K2Click();
    void H1Click();
    void B1Click();
    void SpeedButton6Click();
    void SpeedButton14Click();
    /// Opens the lesson-planning window (教科書別 新出一覧), made at its first opening.
    void LessonsClick();
    void TextCheckClick();
    /// Opens handwriting search (手書き検索), made at its first opening.
    void HandwritingClick();
    void About1Click();
    void HowtoUseHelp1Click();

    // Taking a kanji's page out of the program: sheets on paper or in a PDF, the table as text.
    void PrintClick();
    void PdfClick();
    void CopyClick();
    /// 練習プリント: practice sheets of the chosen kanji.
    void PracticeClick();
    /// The printed sheets of this window.
    sheets::SheetPrinter& sheets() { return *m_sheets; }
    /// Creates the tool windows of start-up in their order, so that each reads its files now.
    void createStartupWindows();

    void StringGrid1DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);
    void StringGrid2DrawCell(int col, int row, const QRect& rect, const platform::CellState& state, platform::Canvas& canvas);

    /// The four kinds of search window.
    enum class Search { StrokeCount, Grade, Radical, Reading };
    /// The search window of `kind` made last, while it exists (for tests and benchmarks).
    QWidget* searchWindow(Search kind) const;
    /// Whether a search window of `kind` is open: its open flag.
    bool isSearchOpen(Search kind) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void setupLabels();
    void setupInputs();
    void setupButtons();
    void setupGrids();
    void setupMenus();
    void setupPopupMenu();
    /// Empties rows firstEmptyRow..10 of the table and parks its selection on the bottom-right cell.
    void clearRowsFromAndPark(int firstEmptyRow);
    void setupSelection();
    /// Whether an edit box of the window acts on `key`: the editing keys of a Windows edit box
    /// (Ctrl with A, C, V, X, Z and every key without Ctrl), none of Qt's Unix extras.
    static bool editKeyOfWindows(const QKeyEvent& key);
    /// The button whose Alt accelerator `key` is, when a menu title underlines the same letter;
    /// such a key presses the button (eventFilter).
    QPushButton* contestedAccelerator(const QKeyEvent& key) const;
    void selectKanji(std::int32_t n);
    void reportNotEducationKanji();
    /// What a screen reader is told of the view: the table's contents and what a change of kanji does to them.
    QString spokenView(bool returnModeFirst) const;
    search::SearchContext searchContext();
    template <typename Window>
    void makeSearchWindow(QPointer<Window>& window, bool& openFlag);
    template <typename Window>
    void openSearchWindow(QPointer<Window>& window, bool& openFlag);

    // The search windows and their open flags (set while a window of that kind is open).
    QPointer<search::TYomiSrchF> YomiSrchF;
    QPointer<search::TBusyu> Busyu;
    QPointer<search::THaitouSrch> HaitouSrch;
    QPointer<search::TKakusuu> Kakusuu;
    bool YomiSrchOpen = false, BusyuOpen = false, HaitouSrchOpen = false, KakusuuOpen = false;
    // Made once at start-up; closing only hides them.
    QPointer<jukuji::TJukujiForm> JukujiForm;
    QPointer<extras::THitujunF> HitujunF;
    QPointer<lessons::LessonWindow> LessonWin;               // made at its first opening
    QPointer<textcheck::TextCheckWindow> TextCheckWin;       // made at its first opening
    QPointer<handwriting::HandwritingWindow> HandwritingWin; // made at its first opening

    // Controls, under the names of the window's definition.
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr;
    QLabel *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr;
    QLabel *Label1 = nullptr, *Label12 = nullptr;
    QLabel *StaticText1 = nullptr, *StaticText2 = nullptr, *StaticText3 = nullptr, *StaticText4 = nullptr;
    QLabel *StaticText6 = nullptr, *StaticText7 = nullptr, *StaticText8 = nullptr, *StaticText9 = nullptr;
    QLabel *StaticText10 = nullptr, *StaticText11 = nullptr, *StaticText12 = nullptr;
    QWidget* Image1 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr;
    platform::UpDown* UpDown1 = nullptr;
    QPushButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr, *SpeedButton4 = nullptr;
    QPushButton *SpeedButton5 = nullptr, *SpeedButton6 = nullptr, *SpeedButton7 = nullptr, *SpeedButton8 = nullptr;
    QPushButton *SpeedButton9 = nullptr, *SpeedButton10 = nullptr, *SpeedButton11 = nullptr, *SpeedButton12 = nullptr;
    QPushButton *SpeedButton13 = nullptr, *SpeedButton14 = nullptr;
    QPushButton* gokuRandD = nullptr;
    QPushButton* Button1 = nullptr;
    platform::LampPanel* Panel1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    platform::StringGrid *StringGrid1 = nullptr, *StringGrid2 = nullptr;
    QAction* R1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    data::KanjiStore& m_store;
    settings::Selection& m_selection;
    settings::Settings& m_settings;
    FormPaths m_paths;
    QWidget* m_client = nullptr;
    QPoint m_parkingCell;
    bool m_edit1DigitsOnly = false;
    bool m_shown = false;
    std::unique_ptr<sheets::SheetPrinter> m_sheets;
    platform::Announcer* m_announcer = nullptr; // made after the first kanji is shown: the start is not announced
    std::int32_t m_announcedKanji = 0;
    platform::FontChoice m_dialogFont; // the font dialog starts from its last confirmed font
};

} // namespace sorban::app
