#include "app/MainWindowFixture.h"
#include "platform/widgets/Accessibility.h"
#include "platform/widgets/Announcer.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/LampPanel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <fstream>

using namespace sorban;
using platform::sjisToUtf8;
using test::Box;
using test::MainWindowTest;
using test::u;

TEST_F(MainWindowTest, startShowsTheSettingsKanjiWithItsReadingsAppearancesAndAttributes)
{
    writeData();
    test::writeSjis(dir / "sorban.ini", "[FORM]\nLEFT=-500\nTOP=30\n[DATA]\nKANNUM=1\n");
    auto& f = open();
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(f.pos(), QPoint(-500, 30));
    EXPECT_EQ(f.windowTitle(), u("Sorban v2.05"));
    EXPECT_EQ(cell(StringGrid1(), 0, 0), "【読み】");
    EXPECT_EQ(cell(StringGrid1(), 1, 0), "Ａ社");
    EXPECT_EQ(cell(StringGrid1(), 6, 0), "Ｆ社");
    EXPECT_EQ(cell(StringGrid1(), 0, 1), "アイ");
    EXPECT_EQ(cell(StringGrid1(), 1, 1), " ３上：45");
    EXPECT_EQ(cell(StringGrid1(), 2, 1), " ４年：8");
    for (int col = 3; col <= 6; ++col)
        EXPECT_EQ(cell(StringGrid1(), col, 1), "－－－") << col; // codes 0, 9, 13, 63
    EXPECT_EQ(cell(StringGrid1(), 1, 2), " １年：0");
    EXPECT_EQ(cell(StringGrid1(), 2, 2), " ６下：120");
    EXPECT_EQ(cell(StringGrid1(), 0, 3), "");
    EXPECT_EQ(StaticText6()->text(), u("累計=0,読み数=2"));
    EXPECT_EQ(StaticText3()->text(), u("1"));
    EXPECT_EQ(Edit1()->text(), u("1"));
    EXPECT_EQ(Label3()->text(), u("愛"));
    EXPECT_EQ(Label5()->text(), u("愛"));
    EXPECT_EQ(StaticText7()->text(), u("令和版"));
    EXPECT_EQ(sjisToUtf8(selection.KanjiNow), "愛");
    const std::vector<std::string> attributes = {"4年", "13画", "心", "こころ", "7級", "形声"};
    for (int col = 0; col < 6; ++col)
        EXPECT_EQ(cell(StringGrid2(), col, 1), attributes[static_cast<std::size_t>(col)]);
    EXPECT_EQ(cell(StringGrid2(), 3, 0), "[部首読み]");
    EXPECT_TRUE(SpeedButton14()->isEnabled());
    EXPECT_EQ(QPoint(StringGrid1()->col(), StringGrid1()->row()), QPoint(6, 10)); // parked
}

TEST_F(MainWindowTest, emblemIsARedDiscWithAWhiteKanjiOnTheWindowColour)
{
    writeData();
    open();
    const QImage emblem = Image1()->grab().toImage();
    ASSERT_EQ(emblem.size(), QSize(24, 24));
    EXPECT_EQ(QColor(emblem.pixel(0, 0)), platform::colors::Cream);
    EXPECT_EQ(QColor(emblem.pixel(3, 12)), platform::colors::Red);
    int white = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 20; ++x)
            white += QColor(emblem.pixel(x, y)).lightness() > 200;
    EXPECT_GT(white, 12); // the strokes of 漢
}

TEST_F(MainWindowTest, changingKanjiRewritesRowsAttributesAndClearsWhatIsLeft)
{
    writeData();
    auto& f = open();
    selection.KanNum = 2;
    f.HyouDsp();
    EXPECT_EQ(StaticText6()->text(), u("累計=2,読み数=12"));
    EXPECT_EQ(cell(StringGrid1(), 0, 10), "ｅ"); // the tenth reading; the eleventh and twelfth are not shown
    EXPECT_EQ(selection.YomiRows, 12);
    EXPECT_EQ(cell(StringGrid2(), 0, 1), "☆☆");
    EXPECT_EQ(cell(StringGrid2(), 4, 1), "11級");
    EXPECT_EQ(cell(StringGrid2(), 5, 1), "－－"); // formation type 9
    EXPECT_FALSE(SpeedButton14()->isEnabled());

    selection.KanNum = 3;
    f.HyouDsp();
    EXPECT_EQ(cell(StringGrid1(), 0, 1), "あいうえおかきく");
    for (int row = 2; row <= 10; ++row)
        for (int col = 0; col <= 6; ++col)
            ASSERT_EQ(cell(StringGrid1(), col, row), "") << col << "," << row;
    EXPECT_EQ(cell(StringGrid2(), 0, 1), "☆☆");
    EXPECT_EQ(cell(StringGrid2(), 4, 1), "4級"); // grade 7
    EXPECT_EQ(cell(StringGrid2(), 2, 1), "");    // radical 250 has no entry
    EXPECT_EQ(cell(StringGrid2(), 5, 1), "国字");
}

TEST_F(MainWindowTest, withoutDataTheWindowStillOpensWithPlaceholders)
{
    open();
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0], Box::box("ご注意！", "knj_yomi.csv のファイルがありません。"));
    EXPECT_EQ(recorder.events[1], Box::box("ご注意！", "knj_atrbt.csvのファイルがありません。"));
    EXPECT_EQ(cell(StringGrid1(), 1, 0), "光村");
    EXPECT_EQ(cell(StringGrid1(), 6, 0), "････");
    const std::vector<std::string> placeholders = {"☆☆", "0画", "", "", "11級", "－－"};
    for (int col = 0; col < 6; ++col)
        EXPECT_EQ(cell(StringGrid2(), col, 1), placeholders[static_cast<std::size_t>(col)]);
    EXPECT_EQ(StaticText6()->text(), u("累計=0,読み数=0"));
}

TEST_F(MainWindowTest, tableDrawingMarksOnlyTheRowsInUse)
{
    writeData();
    auto& f = open();
    const QImage image = render(StringGrid1());
    const auto colour = [&](int col, int row) { return QColor(image.pixel(StringGrid1()->cellRect(col, row).topLeft() + QPoint(3, 3))); };
    EXPECT_EQ(colour(0, 0), QColor(255, 255, 0)); // heading row yellow
    EXPECT_EQ(colour(3, 0), QColor(255, 255, 0));
    EXPECT_EQ(colour(0, 1), QColor(255, 0, 255)); // readings fuchsia
    EXPECT_EQ(colour(0, 2), QColor(255, 0, 255));
    EXPECT_EQ(colour(0, 3), QColor(240, 240, 240)); // a row not in use keeps the grid's look
    EXPECT_EQ(colour(3, 1), QColor(255, 255, 255));
    EXPECT_EQ(colour(6, 10), QColor(255, 255, 255)); // the parked cell is drawn white, not highlighted

    // Reading sizes by byte length: 16 points up to 14 bytes, 13 points from 17.
    selection.KanNum = 3; // a reading of 16 bytes: 14 points
    f.HyouDsp();
    const int fourteen = inkHeight(render(StringGrid1()), StringGrid1()->cellRect(0, 1));
    test::writeSjis(dir / "kdata" / "knj_yomi.csv", "1,愛,1,1,あいうえおかきくけ,\n");
    store = std::make_unique<data::KanjiStore>();
    open();
    const int thirteen = inkHeight(render(StringGrid1()), StringGrid1()->cellRect(0, 1));
    EXPECT_GT(fourteen, thirteen);
}

TEST_F(MainWindowTest, attributeGridDrawsPinkHeadingsAndScalesTheRadicalReading)
{
    writeData();
    auto& f = open();
    const QImage image = render(StringGrid2());
    EXPECT_EQ(QColor(image.pixel(StringGrid2()->cellRect(2, 0).topLeft() + QPoint(2, 2))), QColor(240, 220, 220));
    EXPECT_EQ(QColor(image.pixel(StringGrid2()->cellRect(2, 1).topLeft() + QPoint(2, 2))), QColor(255, 255, 255));
    const int short6 = inkHeight(image, StringGrid2()->cellRect(3, 1)); // こころ: 6 bytes, 12 points
    selection.KanNum = 3;                                               // radical 250: no reading
    f.HyouDsp();
    store->BushuNo[2] = 2; // つちへん（１２バイト）: 22 bytes, 100 / 22 = 4 points
    f.HyouDsp();
    const int tiny = inkHeight(render(StringGrid2()), StringGrid2()->cellRect(3, 1));
    EXPECT_GT(short6, 2 * tiny);
}

TEST_F(MainWindowTest, exampleToggleSwitchesViewsAndLoadsTheFileOnce)
{
    writeData();
    open();
    gokuRandD()->click();
    EXPECT_EQ(selection.GokuMode, 1);
    EXPECT_EQ(selection.GokuLoaded, 1);
    EXPECT_FALSE(StaticText12()->isHidden());
    EXPECT_EQ(gokuRandD()->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
    EXPECT_EQ(cell(StringGrid1(), 0, 1), "アイ"); // readings stay
    EXPECT_EQ(cell(StringGrid1(), 1, 1), "愛情");
    EXPECT_EQ(cell(StringGrid1(), 4, 1), "…愛");
    EXPECT_EQ(cell(StringGrid1(), 6, 1), "");
    EXPECT_EQ(StaticText7()->text(), u("用例の注"));
    const QImage image = render(StringGrid1());
    EXPECT_GT(inkHeight(image, StringGrid1()->cellRect(1, 1), true), 5); // examples in blue

    gokuRandD()->click();
    EXPECT_EQ(selection.GokuMode, 0);
    EXPECT_TRUE(StaticText12()->isHidden());
    EXPECT_EQ(gokuRandD()->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    EXPECT_EQ(cell(StringGrid1(), 1, 1), " ３上：45");
    EXPECT_EQ(StaticText7()->text(), u("令和版"));
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(MainWindowTest, returnModeDecidesWhetherTheExampleViewSurvivesAChangeOfKanji)
{
    writeData();
    auto& f = open();
    gokuRandD()->click();
    selection.KanNum = 2;
    f.HyouDsp(); // return mode 0: back to appearances
    EXPECT_EQ(selection.GokuMode, 0);
    EXPECT_TRUE(StaticText12()->isHidden());
    EXPECT_EQ(cell(StringGrid1(), 1, 1), " ４上：1");
    EXPECT_EQ(Panel1()->color(), QColor(255, 0, 0));

    f.R1Click();
    EXPECT_EQ(Panel1()->color(), QColor(0, 0, 128));
    gokuRandD()->click();
    selection.KanNum = 1;
    f.HyouDsp(); // return mode 1: the examples of the new kanji
    EXPECT_EQ(selection.GokuMode, 1);
    EXPECT_EQ(cell(StringGrid1(), 1, 1), "愛情");
    EXPECT_EQ(cell(StringGrid1(), 0, 2), "いと(しい)");
    EXPECT_EQ(StaticText7()->text(), u("用例の注"));

    selection.ReturnMode = 2; // as a hand-edited settings file may give it
    f.Panel1Dsp();
    EXPECT_EQ(Panel1()->color(), QColor(0, 0, 128));
    selection.KanNum = 2;
    f.HyouDsp();
    EXPECT_EQ(selection.GokuMode, 0); // only 1 keeps the view
    f.R1Click();
    EXPECT_EQ(selection.ReturnMode, -1);
    EXPECT_EQ(Panel1()->color(), QColor(0, 0, 128));
}

TEST_F(MainWindowTest, aMissingExampleFileIsReportedOnceAndTheViewShowsEmptyCells)
{
    writeData();
    std::filesystem::remove(dir / "kdata" / "knj_goku.csv");
    open();
    gokuRandD()->click();
    ASSERT_EQ(recorder.events, std::vector{Box::box("ご注意！", "knj_goku.csv のファイルがありません。")});
    EXPECT_EQ(cell(StringGrid1(), 1, 1), "");
    gokuRandD()->click();
    gokuRandD()->click();
    EXPECT_EQ(recorder.events.size(), 1u);
}

TEST_F(MainWindowTest, closingWritesTheSettingsWithTheLastKanji)
{
    writeData();
    auto& f = open();
    selection.KanNum = 3;
    f.HyouDsp();
    f.move(120, 80);
    f.close();
    std::ifstream in(dir / "sorban.ini", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("KANNUM=3\r\n"), std::string::npos);
    EXPECT_NE(all.find("LEFT=120\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, windowClosesEvenWhenTheSettingsCannotBeWritten)
{
    writeData();
    auto& f = open();
    f.show();
    std::filesystem::create_directory(dir / "sorban.ini.new");
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_NE(recorder.events[0].text.find("sorban.ini"), std::string::npos);
}

TEST_F(MainWindowTest, strokeOrderButtonLooksDisabledWithoutAPicture)
{
    writeData();
    auto& f = open();
    const auto bluePixels = [&] {
        const QImage image = SpeedButton14()->grab().toImage();
        int blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixel(x, y);
                blue += c.blue() > 180 && c.red() < 90 && c.green() < 90;
            }
        return blue;
    };
    ASSERT_TRUE(SpeedButton14()->isEnabled()); // 愛 has a picture: a blue caption
    EXPECT_GT(bluePixels(), 20);
    selection.KanNum = 2;
    f.HyouDsp();
    ASSERT_FALSE(SpeedButton14()->isEnabled());
    EXPECT_EQ(bluePixels(), 0); // the platform's grey
}

TEST_F(MainWindowTest, numberBoxShowsAllFourDigitsOfTheLastKanji)
{
    writeData();
    open();
    // The leftmost ink of a number: with every digit in view, 1026 starts a digit's width left of 026.
    const auto firstInk = [&](const char* number) {
        Edit1()->setText(u(number));
        const QImage image = Edit1()->grab().toImage();
        for (int x = 3; x < image.width(); ++x)
            for (int y = 4; y < image.height() - 4; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    return x;
        return -1;
    };
    const int four = firstInk("1026");
    const int three = firstInk("026");
    EXPECT_GT(four, 2);
    EXPECT_GE(three - four, 8);
    EXPECT_GE(firstInk("026") - firstInk("1000"), 8);
}

TEST_F(MainWindowTest, aScreenReaderHearsEveryControlTheShownKanjiAndItsTables)
{
    platform::installAccessibility();
    writeData();
    auto& f = open();
    const auto name = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    for (QWidget* field : f.findChildren<QWidget*>()) {
        if (field->isVisible()
            && (qobject_cast<QAbstractButton*>(field) || qobject_cast<QLineEdit*>(field) || qobject_cast<QAbstractItemView*>(field)
                || qobject_cast<platform::StringGrid*>(field))) {
            EXPECT_FALSE(name(field).isEmpty()) << field->objectName().toStdString();
        }
    }
    EXPECT_EQ(name(Edit1()), u("漢字番号"));
    EXPECT_EQ(name(Edit2()), u("漢字入力"));
    EXPECT_EQ(name(Label5()), u("愛（漢字番号 1）"));
    EXPECT_EQ(name(Panel1()), u("出現表示に戻る"));
    f.R1Click();
    EXPECT_EQ(name(Panel1()), u("用例表示のまま"));

    // The tables hold the data cells, headed by the readings and the column labels.
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(StringGrid1())->tableInterface();
    ASSERT_NE(table, nullptr);
    const auto rowHeading = [&table](int row) {
        return table->cellAt(row, 0)->tableCellInterface()->rowHeaderCells().front()->text(QAccessible::Name);
    };
    EXPECT_EQ(rowHeading(0), u("アイ"));
    QAccessibleTableInterface* attributes = QAccessible::queryAccessibleInterface(StringGrid2())->tableInterface();
    EXPECT_EQ(attributes->cellAt(0, 0)->text(QAccessible::Name), u("4年"));
    EXPECT_EQ(attributes->cellAt(0, 4)->tableCellInterface()->columnHeaderCells().front()->text(QAccessible::Name), u("漢検級"));
    f.SpeedButton8Click();
    EXPECT_EQ(name(Label5()), u("悪（漢字番号 2）"));
    EXPECT_EQ(name(Label3()), u("悪")); // one name says the number: the other large kanji is only the kanji
    EXPECT_EQ(rowHeading(0), u("アク"));
}

TEST_F(MainWindowTest, aScreenReaderIsToldOnceOfEachNewKanjiAndOfTheViewTheKeysLeave)
{
    platform::installAccessibility();
    writeData();
    auto& f = open();
    auto* announcer = f.findChild<platform::Announcer*>(QStringLiteral("Announcer"));
    ASSERT_NE(announcer, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
    std::vector<QString> heard;
    QObject::connect(announcer, &platform::Announcer::spoken, &f, [&heard](const QString& text) { heard.push_back(text); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(heard.empty()) << "the first kanji shows with the window, unannounced";

    f.SpeedButton8Click();
    f.SpeedButton9Click(); // two steps in one turn: only where they end is heard
    f.SpeedButton8Click();
    QCoreApplication::processEvents();
    ASSERT_EQ(heard.size(), 1U);
    EXPECT_EQ(heard.back(), u("悪、漢字番号 2、読み 12、アク、オ、わる(い)"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name), heard.back());

    f.gokuRandDClick();
    QCoreApplication::processEvents();
    ASSERT_EQ(heard.size(), 2U);
    EXPECT_EQ(heard.back(), u("用例表示、漢字を替えると出現表示に戻る"));
    f.R1Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(heard.back(), u("漢字を替えても表示はそのまま、用例表示"));
    f.gokuRandDClick(); // back to the pages: the kanji stays, so only the view is told
    QCoreApplication::processEvents();
    ASSERT_EQ(heard.size(), 4U);
    EXPECT_EQ(heard.back(), u("出現表示、漢字を替えても表示はそのまま"));
}
