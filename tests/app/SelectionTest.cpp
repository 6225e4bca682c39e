#include "app/MainWindowFixture.h"
#include "platform/widgets/UpDown.h"
#include "support/FullSizeData.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

using namespace sorban;
using test::Box;
using test::u;

namespace {

// Types `text` into `w` one character at a time, as a keyboard (or an input method) would.
void type(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A') : 0, Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// The main window over a full-size data set: 1026 kanji in the order of the Shift-JIS table.
class SelectionTest : public test::MainWindowTest {
protected:
    app::TsorbanForm& openFull()
    {
        data = test::FullSizeData::write(dir / "kdata");
        return open();
    }
    std::string kanji(int n) const { return platform::sjisToUtf8(data.kanji.at(static_cast<std::size_t>(n - 1))); }
    void show(int n)
    {
        selection.KanNum = n;
        form->HyouDsp();
    }
    std::string memo() const
    {
        std::string all;
        for (int row = 0; row < ListBox1()->count(); ++row)
            all += ListBox1()->item(row)->text().toStdString();
        return all;
    }

    test::FullSizeData data;
};

} // namespace

TEST_F(SelectionTest, stepButtonsWrapOrStopAtTheEnds)
{
    openFull();
    struct Case {
        QPushButton* button;
        int from, to;
    };
    for (const Case c :
         {Case{SpeedButton8(), 1026, 1}, Case{SpeedButton8(), 5, 6}, Case{SpeedButton9(), 1, 1026}, Case{SpeedButton9(), 6, 5},
          Case{SpeedButton10(), 1016, 1026}, Case{SpeedButton10(), 1017, 1026}, Case{SpeedButton10(), 1026, 1026},
          Case{SpeedButton10(), 3, 13}, Case{SpeedButton11(), 11, 1}, Case{SpeedButton11(), 5, 1}, Case{SpeedButton11(), 30, 20},
          Case{SpeedButton12(), 1, 1}, Case{SpeedButton12(), 500, 1}, Case{SpeedButton13(), 1026, 1026}, Case{SpeedButton13(), 2, 1026}}) {
        show(c.from);
        c.button->click();
        EXPECT_EQ(selection.KanNum, c.to) << c.button->text().toStdString() << " from " << c.from;
        EXPECT_EQ(Label5()->text().toStdString(), kanji(c.to));
        EXPECT_EQ(Edit1()->text(), QString::number(c.to));
    }
}

TEST_F(SelectionTest, spinnerStopsAtItsEndsAndShowsItsPosition)
{
    openFull();
    show(1026);
    UpDown1()->upButton()->click();
    EXPECT_EQ(selection.KanNum, 1026);
    show(1);
    UpDown1()->downButton()->click();
    EXPECT_EQ(selection.KanNum, 1);
    UpDown1()->upButton()->click();
    EXPECT_EQ(selection.KanNum, 2);
    EXPECT_EQ(Edit1()->text(), u("2"));
}

TEST_F(SelectionTest, numberInputAcceptsOnly1To1026)
{
    openFull();
    show(7);
    for (const char* bad : {"0", "1027", "", "abc", "-1"}) {
        recorder.events.clear();
        Edit1()->setText(QString::fromUtf8(bad));
        SpeedButton2()->click();
        ASSERT_EQ(recorder.events.size(), 1u) << bad;
        EXPECT_EQ(recorder.events[0].caption, "ご報告!!");
        EXPECT_NE(recorder.events[0].text.find("1～1026"), std::string::npos);
        EXPECT_EQ(selection.KanNum, 7);
        EXPECT_EQ(Edit1()->text(), QString::fromUtf8(bad)); // the box keeps what was typed
    }
    Edit1()->setText(u("0012"));
    SpeedButton2()->click();
    EXPECT_EQ(selection.KanNum, 12);
}

TEST_F(SelectionTest, kanjiInputTakesTheFirstCharacterOfTheBox)
{
    openFull();
    Edit2()->setText({});
    SpeedButton1()->click();
    EXPECT_EQ(recorder.events, std::vector{Box::beepEvent()});

    recorder.events.clear();
    Edit2()->setText(QString::fromStdString(kanji(9) + kanji(3)));
    SpeedButton1()->click();
    EXPECT_EQ(selection.KanNum, 9);
    EXPECT_EQ(Edit2()->text().toStdString(), kanji(9) + kanji(3));
    EXPECT_TRUE(recorder.events.empty());

    for (const char* bad : {"a", "猫", "😀"}) {
        recorder.events.clear();
        Edit2()->setText(QString::fromUtf8(bad));
        SpeedButton1()->click();
        EXPECT_EQ(recorder.events, std::vector{Box::box("選択した文字は教育漢字ではありません。", "ご報告!!")}) << bad;
        EXPECT_EQ(selection.KanNum, 9);
    }
}

TEST_F(SelectionTest, kanjiBoxHoldsAtMostEightShiftJisBytes)
{
    openFull();
    Edit2()->clear();
    Edit2()->setFocus();
    type(Edit2(), u("愛愛愛愛愛"));
    EXPECT_EQ(Edit2()->text(), u("愛愛愛愛"));
    Edit2()->clear();
    type(Edit2(), u("愛abcdefg"));
    EXPECT_EQ(Edit2()->text(), u("愛abcdef"));
}

TEST_F(SelectionTest, keysStepWithOrWithoutModifiersWhereverTheFocusIs)
{
    openFull();
    show(100);
    Edit1()->setFocus();
    QTest::keyClick(Edit1(), Qt::Key_Down); // one kanji, not one more for the spinner
    EXPECT_EQ(selection.KanNum, 101);
    QTest::keyClick(Edit1(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selection.KanNum, 102);
    QTest::keyClick(Edit1(), Qt::Key_PageDown);
    EXPECT_EQ(selection.KanNum, 112);
    QTest::keyClick(Edit1(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(selection.KanNum, 102);
    StringGrid2()->setFocus();
    QTest::keyClick(StringGrid2(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(selection.KanNum, 101);
    Edit2()->setFocus();
    QTest::keyClick(Edit2(), Qt::Key_Down);
    EXPECT_EQ(selection.KanNum, 102);
}

TEST_F(SelectionTest, numberBoxTakesOnlyDigitsFromTheKeyboardButPastesAsTheyCome)
{
    openFull();
    Edit1()->clear();
    Edit1()->setFocus();
    type(Edit1(), u("1k2b"));
    EXPECT_EQ(Edit1()->text(), u("12")); // k and b opened their search windows instead
    recorder.events.clear();
    Edit1()->setText(u("9a")); // pasted text is not filtered; the number input refuses it
    SpeedButton2()->click();
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].caption, "ご報告!!");
}

TEST_F(SelectionTest, copyBackFillsBothBoxesWithoutShowingAnything)
{
    openFull();
    show(44);
    Edit1()->setText(u("3"));
    Edit2()->setText(u("x"));
    QTest::mouseClick(StaticText9(), Qt::LeftButton);
    EXPECT_EQ(Edit1()->text(), u("44"));
    EXPECT_EQ(Edit2()->text().toStdString(), kanji(44));
    EXPECT_EQ(UpDown1()->position(), 44);
    EXPECT_EQ(selection.KanNum, 44);
}

TEST_F(SelectionTest, windowStartsWithTheFocusParkedInTheAttributeGrid)
{
    auto& f = openFull();
    QApplication::setActiveWindow(&f);
    EXPECT_EQ(QApplication::focusWidget(), StringGrid2());
    EXPECT_EQ(QPoint(StringGrid2()->col(), StringGrid2()->row()), QPoint(5, 1));
    QTest::mouseClick(StringGrid1()->viewport(), Qt::LeftButton, Qt::NoModifier, StringGrid1()->cellRect(2, 2).center());
    EXPECT_EQ(QApplication::focusWidget(), Edit1());
}

TEST_F(SelectionTest, memoPutsTheShownKanjiAtTheHeadOnce)
{
    openFull();
    ASSERT_EQ(memo(), "愛上尾夏期句毛個医右");
    show(data.kanji.size() > 0 ? static_cast<int>(*store->FindKanji(test::sjis("海"))) : 1);
    Button1()->click();
    EXPECT_EQ(memo(), "海愛上尾夏期句毛個医");
    Button1()->click();
    EXPECT_EQ(memo(), "海愛上尾夏期句毛個医");
    show(*store->FindKanji(test::sjis("個")));
    Button1()->click();
    EXPECT_EQ(memo(), "海愛上尾夏期句毛個医"); // already in the list: it does not move

    // The memo entries go to the settings and come back at the next start.
    ASSERT_TRUE(settings.IniWrite(selection, 0, 0));
    settings::Settings next;
    next.IniRead(selection);
    EXPECT_EQ(platform::sjisToUtf8(next.Memo[0]), "海");
    EXPECT_EQ(platform::sjisToUtf8(next.Memo[9]), "医");
}

TEST_F(SelectionTest, doubleClickingAMemoEntryShowsIt)
{
    auto& f = openFull();
    ListBox1()->setCurrentRow(3); // 夏
    f.ListBox1DblClick();
    EXPECT_EQ(platform::sjisToUtf8(selection.KanjiNow), "夏");
    EXPECT_EQ(QApplication::focusWidget(), Edit1());

    ListBox1()->setCurrentRow(6); // 毛 is not in this master list
    const int before = selection.KanNum;
    f.ListBox1DblClick();
    EXPECT_EQ(recorder.events, std::vector{Box::box("選択した文字は教育漢字ではありません。", "ご報告!!")});
    EXPECT_EQ(selection.KanNum, before);
}

TEST_F(SelectionTest, theMemoAndTheCopyBackAreReachedByKeyboardToo)
{
    auto& f = openFull();
    const auto item = [&](const char* text) {
        for (QAction* a : f.menuBar()->actions().at(1)->menu()->actions())
            if (a->text() == u(text))
                return a;
        return static_cast<QAction*>(nullptr);
    };
    show(*store->FindKanji(test::sjis("海")));
    item("現漢字をメモ(&E)")->trigger();
    EXPECT_EQ(memo(), "海愛上尾夏期句毛個医");
    Edit2()->setText(u("x"));
    item("表示中の漢字を入力欄へ(&I)")->trigger();
    EXPECT_EQ(Edit2()->text(), u("海"));

    // Enter on a memo entry shows it, as a double click does.
    QApplication::setActiveWindow(&f);
    ListBox1()->setFocus();
    ListBox1()->setCurrentRow(4); // 夏
    QTest::keyClick(ListBox1(), Qt::Key_Return);
    EXPECT_EQ(platform::sjisToUtf8(selection.KanjiNow), "夏");
    EXPECT_EQ(QApplication::focusWidget(), Edit1());
}

TEST_F(SelectionTest, fontDialogGivesBothKanjiTheWholeFontAndTheSettingsItsFace)
{
    auto& f = openFull();
    recorder.fontAnswer = platform::FontChoice{"IPAGothic", true, false, 0x008000};
    f.F1Click();
    ASSERT_EQ(recorder.fontStarts.size(), 1u);
    EXPECT_EQ(recorder.fontStarts[0].family, "ＭＳ Ｐゴシック"); // the dialog's own first font
    for (QLabel* label : {Label3(), Label5()}) {
        EXPECT_EQ(label->font().family(), u("IPAGothic"));
        EXPECT_TRUE(label->font().underline());
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    }
    EXPECT_EQ(Label3()->font().pixelSize(), 59);
    EXPECT_EQ(Label5()->font().pixelSize(), 96);
    EXPECT_EQ(settings.KanjiFont, "IPAGothic");

    recorder.fontAnswer.reset(); // cancelled: the faces stay, the sizes are set again
    QFont shrunk = Label5()->font();
    shrunk.setPixelSize(10);
    Label5()->setFont(shrunk);
    f.F1Click();
    EXPECT_EQ(recorder.fontStarts[1], (platform::FontChoice{"IPAGothic", true, false, 0x008000}));
    EXPECT_EQ(Label5()->font().family(), u("IPAGothic"));
    EXPECT_EQ(Label5()->font().pixelSize(), 96);
    EXPECT_EQ(settings.KanjiFont, "IPAGothic");
}

TEST_F(SelectionTest, menusHoldEveryItemAndRunTheirHandlers)
{
    auto& f = openFull();
    std::vector<std::string> items;
    for (QAction* menu : f.menuBar()->actions()) {
        items.push_back((u'[' + menu->text() + u']').toStdString());
        for (QAction* item : menu->menu()->actions()) {
            const QString shortcut = item->shortcut().isEmpty() ? QString() : u' ' + item->shortcut().toString();
            items.push_back(item->isSeparator() ? "-" : (item->text() + shortcut).toStdString());
        }
    }
    EXPECT_EQ(items, (std::vector<std::string>{"[ファイル(&F)]",
                                               "フォント(&F)",
                                               "印刷(&P)... Ctrl+P",
                                               "PDFに保存(&E)...",
                                               "コピー(&C) Ctrl+C",
                                               "練習プリント(&R)...",
                                               "-",
                                               "終了(&X)",
                                               "[操作(&M)]",
                                               "漢字入力決定(&D)",
                                               "番号入力決定(&S)",
                                               "-",
                                               "熟字訓を表示(&J)",
                                               "-",
                                               "用例からの戻り方（&R） Ctrl+R",
                                               "-",
                                               "現漢字をメモ(&E)",
                                               "表示中の漢字を入力欄へ(&I)",
                                               "[検索(&D)]",
                                               "画数検索(&K)",
                                               "配当検索(&N)",
                                               "部首検索(&B)",
                                               "-",
                                               "教科書別 新出一覧(&L)... Ctrl+L",
                                               "未習チェック(&T)... Ctrl+T",
                                               "手書き検索(&W)... Ctrl+H",
                                               "[ヘルプ(&H)]",
                                               "Sorbanの使い方(&H) F1",
                                               "バージョン情報(&A)"}));
    std::vector<std::string> popup;
    for (QAction* item : PopupMenu1()->actions())
        popup.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    EXPECT_EQ(popup, (std::vector<std::string>{"番号入力決定(&N)", "漢字入力決定(&K)", "-", "熟字訓を表示(&J)", "-", "画数検索(&S)",
                                               "配当検索(&H)", "部首検索(&B)", "-", "印刷(&P)...", "PDFに保存(&E)...", "コピー(&C)",
                                               "練習プリント(&R)..."}));

    const auto action = [](QMenu* menu, const char* text) {
        for (QAction* a : menu->actions())
            if (a->text() == QString::fromUtf8(text))
                return a;
        return static_cast<QAction*>(nullptr);
    };
    const auto menu = [&](int i) { return f.menuBar()->actions().at(i)->menu(); };
    Edit1()->setText(u("300"));
    action(menu(1), "番号入力決定(&S)")->trigger();
    EXPECT_EQ(selection.KanNum, 300);
    Edit1()->setText(u("301"));
    action(PopupMenu1(), "番号入力決定(&N)")->trigger();
    EXPECT_EQ(selection.KanNum, 301);
    Edit2()->setText(QString::fromStdString(kanji(5)));
    action(menu(1), "漢字入力決定(&D)")->trigger();
    EXPECT_EQ(selection.KanNum, 5);
    Edit2()->setText(QString::fromStdString(kanji(6)));
    action(PopupMenu1(), "漢字入力決定(&K)")->trigger();
    EXPECT_EQ(selection.KanNum, 6);
    action(menu(1), "用例からの戻り方（&R）")->trigger();
    EXPECT_EQ(selection.ReturnMode, 1);
    action(menu(0), "フォント(&F)")->trigger();
    EXPECT_EQ(recorder.fontStarts.size(), 1u);
    action(menu(0), "終了(&X)")->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(std::filesystem::exists(dir / "sorban.ini")); // closing wrote the settings
}

TEST_F(SelectionTest, altDPressesTheKanjiButtonAndTheSearchMenuStaysOnTheKeyboard)
{
    auto& f = openFull();
    QApplication::setActiveWindow(&f);
    Edit2()->setText(QString::fromStdString(kanji(5)));
    Edit2()->setFocus();
    QTest::keyClick(Edit2(), Qt::Key_D, Qt::AltModifier); // 表示(&D), though 検索(&D) shares the letter
    EXPECT_EQ(selection.KanNum, 5);
    StringGrid2()->setFocus();
    Edit2()->setText(QString::fromStdString(kanji(9)));
    QTest::keyClick(StringGrid2(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(selection.KanNum, 9);
    QTest::keyClick(StringGrid2(), Qt::Key_S, Qt::AltModifier); // 表示(&S) is nobody else's
    EXPECT_EQ(selection.KanNum, 9);

    // Alt pressed and released, then D: the search menu opens.
    QMenu* search = f.menuBar()->actions().at(2)->menu();
    QTest::keyPress(StringGrid2(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(StringGrid2(), Qt::Key_Alt);
    QTest::keyClick(f.menuBar(), Qt::Key_D);
    EXPECT_TRUE(search->isVisible());
    search->close();
    QTest::keyClick(StringGrid2(), Qt::Key_F10);
    EXPECT_TRUE(f.menuBar()->actions().at(0)->menu()->isVisible());
    f.menuBar()->actions().at(0)->menu()->close();
}

TEST_F(SelectionTest, rightClickOnABoxShowsTheWindowsPopupMenu)
{
    openFull();
    for (QLineEdit* box : {Edit1(), Edit2()}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &click);
        EXPECT_TRUE(PopupMenu1()->isVisible()) << box->objectName().toStdString();
        PopupMenu1()->close();
    }
}

TEST_F(SelectionTest, boxesKeepTheEditingKeysOfWindowsAndNoneOfTheUnixOnes)
{
    auto& f = openFull();
    QApplication::setActiveWindow(&f);
    show(123);
    for (QLineEdit* box : {Edit1(), Edit2()}) {
        const QString before = box == Edit1() ? u("123") : QString::fromStdString(kanji(3) + kanji(4));
        box->setText(before);
        box->setFocus();
        box->setCursorPosition(1);
        // Every Ctrl+letter of the window's keys, and Qt's Unix extras: the text stays.
        for (const Qt::Key key :
             {Qt::Key_J, Qt::Key_B, Qt::Key_N, Qt::Key_Y, Qt::Key_K, Qt::Key_U, Qt::Key_W, Qt::Key_E, Qt::Key_D, Qt::Key_H}) {
            QTest::keyClick(box, key, Qt::ControlModifier);
            EXPECT_EQ(box->text(), before) << box->objectName().toStdString() << " Ctrl+" << char('A' + (key - Qt::Key_A));
            EXPECT_EQ(selection.KanNum, 123);
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &f && w->isVisible())
                w->close(); // the windows Ctrl+J, B, N, Y and K opened
        QApplication::setActiveWindow(&f);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(box->selectedText(), before);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QString());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), before);
    }
    EXPECT_EQ(f.isSearchOpen(app::TsorbanForm::Search::StrokeCount),
              0); // Ctrl+K opened the stroke-count window as K does, and it was closed
}

TEST_F(SelectionTest, pastingIntoTheKanjiBoxKeepsWhatFitsAndTheNumberBoxTakesAsciiDigitsOnly)
{
    auto& f = openFull();
    QApplication::setActiveWindow(&f);
    Edit2()->setText(u("愛"));
    Edit2()->setFocus();
    Edit2()->end(false);
    QApplication::clipboard()->setText(u("上下左右中"));
    Edit2()->paste();
    EXPECT_EQ(Edit2()->text(), u("愛上下左")); // 8 bytes: what fits of the paste
    Edit2()->setText(u("ab"));
    Edit2()->setCursorPosition(1);
    QApplication::clipboard()->setText(u("漢字漢字"));
    Edit2()->paste();
    EXPECT_EQ(Edit2()->text(), u("a漢字漢b")); // the text after the cursor stays
    EXPECT_EQ(Edit2()->cursorPosition(), 4);

    Edit1()->clear();
    Edit1()->setFocus();
    type(Edit1(), u("1２3"));
    EXPECT_EQ(Edit1()->text(), u("13"));
}
