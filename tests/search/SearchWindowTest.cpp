#include "data/KanjiStore.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/StringGrid.h"
#include "search/TBusyu.h"
#include "search/THaitouSrch.h"
#include "search/TKakusuu.h"
#include "search/TYomiSrchF.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "support/Controls.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace sorban;
using Box = platform::RecordingDialogs;

namespace {

class SearchWindowTest : public ::testing::Test {
protected:
    SearchWindowTest()
    {
        // A master list of the kanji the tests use.
        int n = 1;
        for (const char* k : {"一", "七", "丁", "中", "木", "本", "日", "月", "火", "水", "上", "下", "愛", "悪", "安"})
            store->KanjiText[n++] = platform::utf8ToSjis(k);
    }

    search::SearchContext context()
    {
        return {*store, selection, settings, dir / "kdata", [this] { ++shown; }};
    }
    void write(const std::string& name, std::string_view utf8) { test::writeSjis(dir / "kdata" / name, utf8); }
    static std::string text(platform::StringGrid* grid, int col, int row) { return platform::sjisToUtf8(grid->cell(col, row)); }

    template <typename Window>
    std::unique_ptr<Window> open()
    {
        auto window = std::make_unique<Window>(context());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static QImage render(platform::StringGrid* grid)
    {
        QImage image(grid->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        grid->paintCells(painter);
        return image;
    }
    static QColor at(const QImage& image, platform::StringGrid* grid, int col, int row, QPoint offset = {1, 1})
    {
        return image.pixel(grid->cellRect(col, row).topLeft() + offset);
    }
    // A window used, closed and made again over a changed file shows all that a new window over
    // that file shows: cells, current cell, scrolling, labels, place.
    template <typename Window>
    void expectMadeAgainAsNew(const std::string& name, std::string_view before, std::string_view after)
    {
        write(name, before);
        const auto used = open<Window>();
        auto* g = test::child<platform::StringGrid>(*used, "StringGrid1");
        g->setCurrent(g->colCount() - 1, g->rowCount() - 1); // scrolled to the far corner
        used->move(used->pos() + QPoint(17, 9));
        used->close();
        write(name, after);
        used->FormCreate();
        used->show();
        const auto fresh = open<Window>();
        auto* f = test::child<platform::StringGrid>(*fresh, "StringGrid1");
        for (int row = 0; row < g->rowCount(); ++row)
            for (int col = 0; col < g->colCount(); ++col)
                ASSERT_EQ(g->cell(col, row), f->cell(col, row)) << name << " " << col << "," << row;
        EXPECT_EQ(QPoint(g->col(), g->row()), QPoint(f->col(), f->row())) << name;
        EXPECT_EQ(g->selection(), f->selection()) << name;
        EXPECT_EQ(g->topRow(), f->topRow()) << name;
        QApplication::setActiveWindow(fresh.get());
        const QImage freshLook = render(f);
        QApplication::setActiveWindow(used.get()); // each looks as it does in front, with the focus
        EXPECT_EQ(render(g), freshLook) << name;
        EXPECT_EQ(used->pos(), fresh->pos()) << name;
        const auto labels = used->template findChildren<QLabel*>();
        for (QLabel* label : labels)
            EXPECT_EQ(label->text(), test::child<QLabel>(*fresh, label->objectName().toLatin1().constData())->text()) << name;
    }

    void release(platform::StringGrid* grid, int col, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(grid->viewport(), button, Qt::NoModifier, grid->cellRect(col, row).center());
    }

    test::TempDir dir;
    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    settings::Selection selection;
    settings::Settings settings;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
    int shown = 0;
};

// n lines of one stroke count each, kanji number k, all kanji 一.
std::string groupLines(int count, int value)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "1,一," + std::to_string(value) + ",\n";
    return out;
}

} // namespace

TEST_F(SearchWindowTest, groupsStartOnTheirOwnRowFortyKanjiToARow)
{
    write("Kaksu_srch.csv", "# comment\n" + groupLines(1, 1) + groupLines(41, 2) + groupLines(40, 3) + groupLines(2, 5));
    const auto w = open<search::TKakusuu>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    EXPECT_EQ(text(g, 0, 0), "1画");
    EXPECT_EQ(text(g, 1, 0), "一");
    EXPECT_EQ(text(g, 2, 0), "");
    EXPECT_EQ(text(g, 0, 1), "2画");
    EXPECT_EQ(text(g, 40, 1), "一");
    EXPECT_EQ(text(g, 0, 2), ""); // the 41st kanji of the group goes on in a row of its own
    EXPECT_EQ(text(g, 1, 2), "一");
    EXPECT_EQ(text(g, 2, 2), "");
    EXPECT_EQ(text(g, 0, 3), "3画");
    EXPECT_EQ(text(g, 40, 3), "一");
    EXPECT_EQ(text(g, 1, 4), ""); // after a group of exactly 40: one empty row
    EXPECT_EQ(text(g, 0, 5), "5画");
    EXPECT_EQ(QPoint(g->col(), g->row()), QPoint(1, 0));
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(SearchWindowTest, gradeTableWithEightyKanjiLeavesAnEmptyRowAndShowsTheLabel)
{
    write("HaiNen_srch.csv", "#x\n$令和版,ignored\n" + groupLines(80, 1) + groupLines(3, 2));
    const auto w = open<search::THaitouSrch>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    EXPECT_EQ(text(g, 0, 0), "1年");
    EXPECT_EQ(text(g, 40, 1), "一");
    EXPECT_EQ(text(g, 1, 2), "");
    EXPECT_EQ(text(g, 0, 3), "2年");
    EXPECT_EQ(test::child<QLabel>(*w, "StaticText3")->text(), QStringLiteral("令和版"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("学年検索"));

    write("HaiNen_srch.csv", "$ラベル全部\n");
    const auto other = open<search::THaitouSrch>();
    EXPECT_EQ(test::child<QLabel>(*other, "StaticText3")->text(), QStringLiteral("ラベル全部"));
}

TEST_F(SearchWindowTest, readersReportTheirErrorsAndKeepWhatCameBefore)
{
    write("Kaksu_srch.csv", groupLines(2, 1) + "-1,一,2,\n" + groupLines(1, 3));
    auto w = open<search::TKakusuu>();
    EXPECT_EQ(recorder.events, std::vector{Box::box("漢字番号::エラー発生", "ご報告")});
    EXPECT_EQ(w->entries().size(), 2u);
    EXPECT_EQ(text(test::child<platform::StringGrid>(*w, "StringGrid1"), 2, 0), "一");

    recorder.events.clear();
    write("Kaksu_srch.csv", groupLines(1, 1) + "2,七,3\n");
    w = open<search::TKakusuu>();
    EXPECT_EQ(recorder.events, std::vector{Box::box("画数::エラー発生", "ご報告")});

    recorder.events.clear();
    write("HaiNen_srch.csv", "1,一,x,\n");
    open<search::THaitouSrch>();
    EXPECT_EQ(recorder.events, std::vector{Box::box("学年::エラー発生", "ご報告")});

    recorder.events.clear();
    std::filesystem::remove_all(dir / "kdata");
    open<search::TKakusuu>();
    open<search::THaitouSrch>();
    open<search::TBusyu>();
    open<search::TYomiSrchF>();
    EXPECT_EQ(recorder.events, (std::vector{Box::box("ご注意！", "Kaksu_srch.csv のファイルがありません。"),
                                            Box::box("ご注意！", "HaiNen_srch.csv のファイルがありません。"),
                                            Box::box("ご注意！", "Bs_srch.csv のファイルがありません。"),
                                            Box::box("Yomi_srch.csv のファイルがありません。", "ご注意！")}));
}

TEST_F(SearchWindowTest, picksByAnyMouseButtonAndByEnter)
{
    write("Kaksu_srch.csv", "1,一,1,\n2,七,2,\n3,猫,2,\n");
    const auto w = open<search::TKakusuu>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    release(g, 1, 1, Qt::RightButton);
    EXPECT_EQ(selection.KanNum, 2);
    EXPECT_EQ(shown, 1);
    g->setCurrent(1, 0);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(selection.KanNum, 1);
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(w->isVisible()); // it stays open for the next pick

    release(g, 5, 5); // an empty cell
    EXPECT_EQ(recorder.events, std::vector{Box::beepEvent()});
    release(g, 0, 0); // the heading
    release(g, 2, 1); // a kanji that is no education kanji
    EXPECT_EQ(recorder.events, (std::vector{Box::beepEvent(), Box::box("選択した文字は教育漢字ではありません。", "ご報告!!"),
                                            Box::box("選択した文字は教育漢字ではありません。", "ご報告!!")}));
    EXPECT_EQ(selection.KanNum, 1);
}

TEST_F(SearchWindowTest, radicalRowsLayOutHeadingRadicalsMarksAndKanji)
{
    write("Bs_srch.csv", "#c\n0,１画○一≫一丁七・丨≫中\n1,○○○木≫木本\n");
    const auto w = open<search::TBusyu>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    const std::vector<std::string> expected = {"１画", "一", "≫", "一", "丁", "七", "", "丨", "≫", "中", ""};
    for (int col = 0; col < static_cast<int>(expected.size()); ++col)
        EXPECT_EQ(text(g, col, 0), expected[static_cast<std::size_t>(col)]) << col;
    EXPECT_EQ(text(g, 0, 1), "");
    EXPECT_EQ(text(g, 1, 1), "木");
    EXPECT_EQ(w->radicalCells(), (std::vector<QPoint>{{1, 0}, {7, 0}, {1, 1}}));
    EXPECT_TRUE(w->bsPosCheck(7, 0));
    EXPECT_TRUE(w->bsPosCheck(1, 40)); // column 1 of every row
    EXPECT_FALSE(w->bsPosCheck(3, 0));

    const QImage image = render(g);
    EXPECT_EQ(at(image, g, 7, 0), QColor(255, 0, 0));  // radical cell red
    EXPECT_EQ(at(image, g, 1, 20), QColor(255, 0, 0)); // column 1 below the last row, too
    EXPECT_EQ(at(image, g, 0, 1), QColor(0, 255, 0));  // heading column lime
    EXPECT_EQ(at(image, g, 3, 0), QColor(255, 255, 255));
}

TEST_F(SearchWindowTest, radicalPicksIgnoreMarksGapsAndTheLastColumnByMouse)
{
    std::string wide = "0,１画○一≫";
    for (int i = 0; i < 46; ++i)
        wide += "本";
    write("Bs_srch.csv", "0,１画○一≫一丁・木≫木\n" + wide + "\n");
    const auto w = open<search::TBusyu>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    release(g, 2, 0); // ≫
    release(g, 5, 0); // the gap
    EXPECT_TRUE(recorder.events.empty());
    release(g, 6, 0, Qt::RightButton); // the radical 木, an education kanji
    EXPECT_EQ(selection.KanNum, 5);
    release(g, 0, 0);
    EXPECT_EQ(recorder.events, std::vector{Box::box("選択した文字は教育漢字ではありません。", "ご報告BSM!!")});
    g->setCurrent(0, 0);
    w->StringGrid1KeyDown(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(recorder.events.back(), Box::box("□選択した文字は教育漢字ではありません。", "ご報告BS!!"));

    ASSERT_EQ(text(g, 48, 1), "本");
    selection.KanNum = 1;
    w->StringGrid1MouseUp(Qt::LeftButton, Qt::NoModifier, g->cellRect(48, 1).center());
    EXPECT_EQ(selection.KanNum, 1); // column 48 by mouse: nothing
    g->setCurrent(48, 1);
    w->StringGrid1KeyDown(Qt::Key_Enter, Qt::NoModifier);
    EXPECT_EQ(selection.KanNum, 6); // ... but Enter picks it
}

TEST_F(SearchWindowTest, readingRowsTakeKanaAndKanjiWithOrWithoutCommas)
{
    write("Yomi_srch.csv", "# c\nあ,愛,悪,安\nい愛上\n\nう\nか中,＊\n木本\n");
    const auto w = open<search::TYomiSrchF>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    EXPECT_EQ(text(g, 5, 0), "5");
    EXPECT_EQ(text(g, 0, 1), "あ");
    EXPECT_EQ(text(g, 3, 1), "安");
    EXPECT_EQ(text(g, 0, 2), "い");
    EXPECT_EQ(text(g, 2, 2), "上");
    EXPECT_EQ(text(g, 0, 3), "か"); // う alone stayed open and か replaced it
    EXPECT_EQ(text(g, 2, 3), "＊");
    EXPECT_EQ(text(g, 3, 4), "木"); // a line without a kana goes on from the previous column
    EXPECT_EQ(QPoint(g->col(), g->row()), QPoint(1, 1));

    release(g, 1, 1);
    EXPECT_EQ(selection.KanNum, 13);
    release(g, 10, 10); // empty: nothing, not even a beep
    EXPECT_TRUE(recorder.events.empty());
    release(g, 2, 3);
    release(g, 0, 1);
    release(g, 3, 0);
    EXPECT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[0], Box::box("選択した文字は教育漢字ではありません。", "ご報告!!"));
}

TEST_F(SearchWindowTest, readingTableDrawsItsMarksAndKeepsHeadingsInViewWhileScrolling)
{
    std::string lines;
    for (int i = 0; i < 120; ++i) // more rows than the grid has: the rest are dropped
        lines += "あ愛＊\n";
    write("Yomi_srch.csv", lines);
    const auto w = open<search::TYomiSrchF>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    EXPECT_EQ(text(g, 0, 115), "あ");
    const QImage image = render(g);
    EXPECT_EQ(at(image, g, 0, 5), QColor(0, 255, 0));
    EXPECT_EQ(at(image, g, 7, 0), QColor(255, 255, 255));
    g->clearFocus();
    g->setCurrent(1, 1);
    const QImage selected = render(g);
    EXPECT_EQ(at(selected, g, 1, 1), QColor(0, 0, 255));
    int red = 0;
    const QRect star = g->cellRect(2, 3);
    for (int y = star.top(); y <= star.bottom(); ++y)
        for (int x = star.left(); x <= star.right(); ++x)
            red += QColor(image.pixel(x, y)) == QColor(255, 0, 0);
    EXPECT_GT(red, 10);

    g->setTopRow(80);
    EXPECT_EQ(g->cellRect(3, 0).top(), 0);
    EXPECT_EQ(g->cellRect(0, 80).left(), 0);
    EXPECT_EQ(g->MouseToCell(g->cellRect(0, 80).center()), QPoint(0, 80));
}

TEST_F(SearchWindowTest, strokeTableDrawsSelectionRedAndTintsEveryTenthColumn)
{
    write("Kaksu_srch.csv", groupLines(1, 1));
    const auto w = open<search::TKakusuu>();
    auto* g = test::child<platform::StringGrid>(*w, "StringGrid1");
    g->setCurrent(3, 2);
    const QImage image = render(g);
    EXPECT_EQ(at(image, g, 3, 2), QColor(255, 0, 0));
    EXPECT_EQ(at(image, g, 10, 5), QColor(240, 220, 220));
    EXPECT_EQ(at(image, g, 40, 0), QColor(240, 220, 220));
    EXPECT_EQ(at(image, g, 11, 5), QColor(255, 255, 255));
    EXPECT_EQ(at(image, g, 0, 5), QColor(255, 255, 0));
}

TEST_F(SearchWindowTest, closingByAnyWayClearsTheFlagAndStoresThePosition)
{
    write("Kaksu_srch.csv", groupLines(1, 1));
    for (int way = 0; way < 4; ++way) {
        auto w = open<search::TKakusuu>();
        int flag = 1;
        QObject::connect(w.get(), &search::SearchWindow::closed, [&] { flag = 0; });
        w->move(210 + way, 95);
        if (way == 0)
            test::child<QPushButton>(*w, "SpeedButton1")->click();
        else if (way == 1)
            QTest::keyClick(test::child<platform::StringGrid>(*w, "StringGrid1"), Qt::Key_Escape);
        else if (way == 2)
            QTest::keyClick(test::child<platform::StringGrid>(*w, "StringGrid1"), Qt::Key_Delete);
        else
            w->close();
        EXPECT_FALSE(w->isVisible()) << way;
        EXPECT_EQ(flag, 0) << way;
        EXPECT_EQ(settings.KKSLEFT, 210 + way);
        EXPECT_EQ(settings.KKSTOP, 95);
    }
    const auto again = open<search::TKakusuu>();
    EXPECT_EQ(again->pos(), QPoint(213, 95));
}

TEST_F(SearchWindowTest, aWindowMadeAgainShowsWhatANewWindowShows)
{
    expectMadeAgainAsNew<search::TKakusuu>("Kaksu_srch.csv", groupLines(60, 1) + groupLines(3, 2), groupLines(2, 4));
    expectMadeAgainAsNew<search::THaitouSrch>("HaiNen_srch.csv", "$令和版,\n" + groupLines(50, 1), groupLines(3, 2));
    expectMadeAgainAsNew<search::TBusyu>("Bs_srch.csv", "0,４画○心≫愛悪\n1,５画○木≫本\n", "0,１画○一≫一\n");
    expectMadeAgainAsNew<search::TYomiSrchF>("Yomi_srch.csv", "あ愛悪\nい一\nう上\n", "か下\n");
    EXPECT_TRUE(recorder.events.empty());
}
