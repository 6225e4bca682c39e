#include "app/MainWindowFixture.h"
#include "jukuji/TJukujiForm.h"
#include "search/TBusyu.h"
#include "search/THaitouSrch.h"
#include "search/TKakusuu.h"
#include "search/TYomiSrchF.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace sorban;
using test::Box;

namespace {

class OpenWindowsTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        writeData();
        write("Kaksu_srch.csv", "1,愛,13,\n2,悪,11,\n");
        write("HaiNen_srch.csv", "1,愛,4,\n");
        write("Bs_srch.csv", "0,４画○心≫愛悪\n");
        write("Yomi_srch.csv", "あ愛悪\n");
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(OpenWindowsTest, eachCommandOpensOneWindowAndBringsItForwardWhileOpen)
{
    auto& f = open();
    SpeedButton5()->click();
    QPointer<search::TKakusuu> first = window<search::TKakusuu>(Search::StrokeCount);
    ASSERT_TRUE(first);
    EXPECT_EQ(f.isSearchOpen(Search::StrokeCount), 1);
    EXPECT_TRUE(first->isVisible());
    write("Kaksu_srch.csv", "1,悪,1,\n");
    f.K2Click();
    EXPECT_EQ(window<search::TKakusuu>(Search::StrokeCount), first); // not made again, and its file not read again
    EXPECT_EQ(platform::sjisToUtf8(grid(first)->cell(1, 0)), "愛");

    f.H1Click();
    f.B1Click();
    f.SpeedButton6Click();
    EXPECT_EQ(f.isSearchOpen(Search::Grade) + f.isSearchOpen(Search::Radical) + f.isSearchOpen(Search::Reading), 3);
    for (QPushButton* b : {SpeedButton3(), SpeedButton4(), SpeedButton6()})
        b->click();
    EXPECT_TRUE(f.searchWindow(Search::Grade) && f.searchWindow(Search::Radical) && f.searchWindow(Search::Reading));
}

TEST_F(OpenWindowsTest, theNextOpeningReadsTheFileAgainAndStandsWhereTheWindowWasClosed)
{
    auto& f = open();
    f.K2Click();
    QPointer<QWidget> kept = f.searchWindow(Search::StrokeCount);
    kept->move(333, 44);
    kept->findChild<QPushButton*>(QStringLiteral("SpeedButton1"))->click();
    settle();
    EXPECT_EQ(f.isSearchOpen(Search::StrokeCount), 0);
    EXPECT_FALSE(kept->isVisible());
    EXPECT_EQ(settings.KKSLEFT, 333);
    write("Kaksu_srch.csv", "1,悪,1,\n");
    settings.KKSTOP = 55;
    f.K2Click();
    EXPECT_EQ(f.searchWindow(Search::StrokeCount), kept); // the same window, made again
    EXPECT_TRUE(kept->isVisible());
    EXPECT_EQ(kept->pos(), QPoint(333, 55));
    EXPECT_EQ(platform::sjisToUtf8(grid(kept)->cell(1, 0)), "悪"); // the file is read again
    EXPECT_EQ(grid(kept)->cell(1, 1), "");                         // and what it no longer holds is gone

    std::filesystem::remove(dir / "kdata" / "Kaksu_srch.csv");
    kept->close();
    recorder.events.clear();
    f.K2Click();
    EXPECT_EQ(recorder.events, std::vector{Box::box("ご注意！", "Kaksu_srch.csv のファイルがありません。")});
}

TEST_F(OpenWindowsTest, aPickShowsTheKanjiInTheMainWindow)
{
    auto& f = open();
    f.SpeedButton6Click();
    auto* table = grid(f.searchWindow(Search::Reading));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, table->cellRect(2, 1).center());
    EXPECT_EQ(selection.KanNum, 2);
    EXPECT_EQ(Label5()->text(), test::u("悪"));
}

TEST_F(OpenWindowsTest, keysAndMenuItemsOpenTheirWindows)
{
    auto& f = open();
    QApplication::setActiveWindow(&f);
    Edit1()->setFocus();
    for (const auto key : {Qt::Key_K, Qt::Key_N, Qt::Key_B, Qt::Key_Y})
        QTest::keyClick(Edit1(), key);
    EXPECT_EQ(openCount(), 4);
    EXPECT_EQ(Edit1()->text(), test::u("1")); // the letters were not typed into the number box
    f.searchWindow(Search::StrokeCount)->close();
    PopupMenu1()->actions().at(5)->trigger(); // 画数検索(&S)
    EXPECT_EQ(f.isSearchOpen(Search::StrokeCount), 1);
}

TEST_F(OpenWindowsTest, startUpReadsEveryTableOnceInOrderWithoutShowingAWindow)
{
    std::filesystem::remove_all(dir / "kdata");
    auto& f = open();
    recorder.events.clear();
    f.createStartupWindows();
    EXPECT_EQ(recorder.events, (std::vector{Box::box("Yomi_srch.csv のファイルがありません。", "ご注意！"),
                                            Box::box("ご注意！", "Bs_srch.csv のファイルがありません。"),
                                            Box::box("ご注意！", "HaiNen_srch.csv のファイルがありません。"),
                                            Box::box("ご注意！", "Kaksu_srch.csv のファイルがありません。"),
                                            Box::box("ご注意！", "juk_jho.csv のファイルがありません。")}));
    settle();
    EXPECT_EQ(openCount(), 0);
    EXPECT_EQ(f.findChildren<search::SearchWindow*>().size(), 4); // one kept of each kind, none shown
    for (auto* w : f.findChildren<search::SearchWindow*>())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(OpenWindowsTest, jukujikunWindowIsMadeOnceAndShownAgainByEveryCommand)
{
    auto& f = open();
    f.createStartupWindows();
    QPointer<jukuji::TJukujiForm> made = f.findChild<jukuji::TJukujiForm*>();
    ASSERT_TRUE(made);
    EXPECT_FALSE(made->isVisible());
    QApplication::setActiveWindow(&f);
    Edit1()->setFocus();
    QTest::keyClick(Edit1(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_TRUE(made->isVisible());
    made->close();
    SpeedButton7()->click();
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(f.findChild<jukuji::TJukujiForm*>(), made);
    EXPECT_TRUE(f.isEnabled()); // not modal: the main window stays usable
}

TEST_F(OpenWindowsTest, strokeOrderButtonOpensTheViewerOrNamesTheMissingPicture)
{
    open();
    form->createStartupWindows();
    ASSERT_TRUE(SpeedButton14()->isEnabled()); // kanji 1 has its flag set
    SpeedButton14()->click();
    EXPECT_EQ(recorder.events.back(), Box::box("<hitudata>フォルダーに\n筆順ファイル< h1愛.jpg >がありません。", "ご注意！"));

    std::filesystem::create_directories(dir / "hitudata");
    test::writeBytes(dir / "hitudata" / "h1愛.jpg", "not even a picture");
    form.reset();
    store = std::make_unique<data::KanjiStore>();
    form = std::make_unique<app::TsorbanForm>(*store, selection, settings, app::FormPaths{dir / "kdata", dir / "hitudata"});
    form->createStartupWindows();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::setActiveWindow(form.get());
    StringGrid2()->setFocus();
    recorder.events.clear();
    QTest::keyClick(StringGrid2(), Qt::Key_Right);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].kind, Box::Event::Kind::Modal);
    const auto* picture = form->findChild<QWidget*>(QStringLiteral("HitujunF"))->findChild<QWidget*>(QStringLiteral("Image1"));
    EXPECT_EQ(picture->accessibleName(), QStringLiteral("愛の筆順")); // what a screen reader says for it

    selection.KanNum = 2; // no picture flag: the button and the Right key do nothing
    form->HyouDsp();
    recorder.events.clear();
    QTest::keyClick(StringGrid2(), Qt::Key_Right);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(OpenWindowsTest, helpKeyOpensTheManualWhereAViewerIsRegisteredElseItsPagesElseSaysWhereItIs)
{
    auto& f = open();
    const std::string chm = dir.path().string() + "/Sorban_Man.chm";
    const std::string html = dir.path().string() + "/manual/index.html";
    using Kind = Box::Event::Kind;
    // No manual at all: the box names the manual's file.
    f.HowtoUseHelp1Click();
    EXPECT_EQ(recorder.events, (std::vector<Box::Event>{Box::box("Sorban_Man.chm が見あたりません。", "お知らせ")}));

    test::writeBytes(chm, "ITSF");
    std::filesystem::create_directories(dir / "manual");
    test::writeBytes(html, "<html></html>");
    const Box::Event asked{Kind::Launch, "sh", "-c"};
    const auto help = [&](std::vector<bool> answers) {
        recorder.events.clear();
        recorder.launches = 0;
        recorder.launchAnswers = std::move(answers);
        f.HowtoUseHelp1Click();
        return recorder.events;
    };
    // A CHM viewer registered: the CHM.
    EXPECT_EQ(help({true, true}), (std::vector<Box::Event>{asked, {Kind::Launch, "xdg-open", chm}}));
    // None registered (a generic opener would hand the CHM to a browser): the pages.
    EXPECT_EQ(help({false, true}), (std::vector<Box::Event>{asked, {Kind::Launch, "xdg-open", html}}));
    // A viewer registered that fails: the pages.
    EXPECT_EQ(help({true, false, true}),
              (std::vector<Box::Event>{asked, {Kind::Launch, "xdg-open", chm}, {Kind::Launch, "xdg-open", html}}));
    // Nothing shows them: the box says so, where the manual is and which package shows it.
    const auto events = help({false, false});
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[1], (Box::Event{Kind::Launch, "xdg-open", html}));
    EXPECT_EQ(events[2].caption, "お知らせ");
    EXPECT_NE(events[2].text.find("マニュアルを表示するプログラムが見つかりません。"), std::string::npos);
    EXPECT_NE(events[2].text.find(chm), std::string::npos);
    EXPECT_NE(events[2].text.find("xchm"), std::string::npos);
}

TEST_F(OpenWindowsTest, everyAboutChoiceOpensAnotherWindow)
{
    auto& f = open();
    const auto count = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == QStringLiteral("helpW") && w->isVisible();
        return n;
    };
    f.About1Click();
    f.About1Click();
    EXPECT_EQ(count(), 2);
}

TEST_F(OpenWindowsTest, openingAndClosingAThousandTimesLeavesNothingBehind)
{
    auto& f = open();
    f.createStartupWindows();
    const auto before = QApplication::allWidgets().size();
    for (int i = 0; i < 1000; ++i) {
        f.B1Click();
        f.searchWindow(Search::Radical)->close();
        settle();
    }
    EXPECT_EQ(QApplication::allWidgets().size(), before);
}
