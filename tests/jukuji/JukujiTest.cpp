#include "data/KanjiStore.h"
#include "jukuji/TJukujiForm.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/StringGrid.h"
#include "support/Controls.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <unistd.h>

using namespace sorban;
using Box = platform::RecordingDialogs;

namespace {

class JukujiTest : public ::testing::Test {
protected:
    void write(const std::string& name, std::string_view utf8) { test::writeSjis(dir / "kdata" / name, utf8); }
    std::unique_ptr<jukuji::TJukujiForm> open()
    {
        auto form = std::make_unique<jukuji::TJukujiForm>(*store, dir / "kdata");
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static std::string text(platform::StringGrid* grid, int col, int row) { return platform::sjisToUtf8(grid->cell(col, row)); }

    test::TempDir dir;
    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

} // namespace

TEST_F(JukujiTest, appearanceFileFillsWordsReadingsAndAppearanceTexts)
{
    write("juk_jho.csv", "# c\n1,今日,きょう,13,1,60,0,62,7,63,2,9,3,11,,\n\n$初版\n2,明日,あす,21,45,,5,x,,10,1,20,2,30,7\n"
                         "$［令和版］\nx,end\n3,後,あと,11,1,\n");
    const auto f = open();
    auto* g = test::child<platform::StringGrid>(*f, "StringGrid3");
    EXPECT_EQ(text(g, 0, 1), "今日");
    EXPECT_EQ(text(g, 1, 1), "きょう");
    const std::vector<std::string> first = {"－－－", " ６年：0", " ６下：7", "－－－", "－－－", " １上：0"};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(text(g, k + 2, 1), first[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(text(g, 0, 2), ""); // the empty line is a row of its own
    EXPECT_EQ(text(g, 3, 2), "－－－");
    EXPECT_EQ(text(g, 0, 3), "明日");
    EXPECT_EQ(text(g, 2, 3), " ２上：45");
    EXPECT_EQ(text(g, 3, 3), "－－－"); // missing code: 16
    EXPECT_EQ(text(g, 4, 3), "－－－");
    EXPECT_EQ(text(g, 7, 3), " ３年：0"); // the last page without its comma: 0
    EXPECT_EQ(text(g, 0, 4), "");         // reading stopped at the x line
    EXPECT_EQ(test::child<QLabel>(*f, "StaticText6")->text(), QStringLiteral("［令和版］"));
    EXPECT_EQ(text(g, 0, 0), "【熟字】");
    EXPECT_EQ(text(g, 2, 0), "光村");
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(JukujiTest, onlyThirtyFourRowsAreRead)
{
    std::string rows, examples;
    for (int n = 1; n <= 35; ++n) {
        rows += std::to_string(n) + ",w" + std::to_string(n) + ",r,11,1,\n";
        examples += std::to_string(n) + ",,,e" + std::to_string(n) + ",\n";
    }
    write("juk_jho.csv", rows);
    write("juk_goku.csv", "x,,,first,\n" + examples);
    const auto f = open();
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 0, 34), "w34");
    f->JgokuRandDClick();
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 2, 1), "first"); // "x" is a data row in the example file
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 2, 34), "e33");
}

TEST_F(JukujiTest, viewSwitchShowsExamplesAndTheirLabelAndBack)
{
    write("juk_jho.csv", "1,今日,きょう,11,3,\n");
    write("juk_goku.csv", "$用例版\n1,今日,きょう,今日&は,A&&B,\n");
    const auto f = open();
    EXPECT_EQ(test::child<QLabel>(*f, "StaticText6")->text(), QStringLiteral("［平成**年度版］"));
    test::child<QPushButton>(*f, "SpeedButton2")->click();
    EXPECT_TRUE(f->exampleView());
    EXPECT_EQ(test::child<QLabel>(*f, "StaticText6")->text(), QStringLiteral("用例版"));
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 2, 1), "今日&は");
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 0, 1), "今日");
    test::child<QPushButton>(*f, "SpeedButton2")->click();
    EXPECT_FALSE(f->exampleView());
    EXPECT_EQ(test::child<QLabel>(*f, "StaticText6")->text(), QString()); // no "$" line in juk_jho.csv
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 2, 1), " １上：3");
}

TEST_F(JukujiTest, missingFilesAreReportedOnceEach)
{
    const auto f = open();
    EXPECT_EQ(recorder.events, std::vector{Box::box("ご注意！", "juk_jho.csv のファイルがありません。")});
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 4, 20), "－－－");
    f->JgokuRandDClick();
    f->JgokuRandDClick();
    f->JgokuRandDClick();
    EXPECT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[1], Box::box("ご注意！", "juk_goku.csv のファイルがありません。"));
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 4, 20), "");
    EXPECT_EQ(test::child<QLabel>(*f, "StaticText6")->text(), QString());
}

TEST_F(JukujiTest, colourBandsChangeEveryTenRows)
{
    write("juk_jho.csv", "1,今日,きょう,11,3,\n");
    const auto f = open();
    auto* g = test::child<platform::StringGrid>(*f, "StringGrid3");
    QImage image(g->viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    g->paintCells(painter);
    const auto at = [&](int col, int row) { return QColor(image.pixel(g->cellRect(col, row).topLeft() + QPoint(1, 1))); };
    EXPECT_EQ(at(3, 0), QColor(0, 255, 255));
    EXPECT_EQ(at(0, 5), QColor(0, 255, 0));
    EXPECT_EQ(at(1, 10), QColor(255, 0, 255));
    EXPECT_EQ(at(1, 11), QColor(255, 0, 0));
    EXPECT_EQ(at(1, 21), QColor(255, 0, 255));
    EXPECT_EQ(at(1, 31), QColor(255, 0, 0));
    EXPECT_EQ(at(4, 15), QColor(255, 255, 0));
    int blue = 0;
    const QRect cell = g->cellRect(2, 1);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            blue += QColor(image.pixel(x, y)).blue() > 200 && QColor(image.pixel(x, y)).red() < 80;
    EXPECT_GT(blue, 10); // appearance text of rows 1-10 in blue
}

TEST_F(JukujiTest, escapeAndDeleteHideTheWindowWhichKeepsItsView)
{
    write("juk_jho.csv", "1,今日,きょう,11,3,\n");
    write("juk_goku.csv", "1,,,例,\n");
    const auto f = open();
    f->JgokuRandDClick();
    test::child<platform::StringGrid>(*f, "StringGrid3")->setFocus();
    QTest::keyClick(test::child<platform::StringGrid>(*f, "StringGrid3"), Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
    f->show();
    EXPECT_TRUE(f->exampleView());
    EXPECT_EQ(text(test::child<platform::StringGrid>(*f, "StringGrid3"), 2, 1), "例");
    QTest::keyClick(test::child<platform::StringGrid>(*f, "StringGrid3"), Qt::Key_Delete);
    EXPECT_FALSE(f->isVisible());
}

TEST_F(JukujiTest, theExampleFileIsReadOnlyAsFarAsItsThirtyFourRows)
{
    // 34 rows, then 2 GiB more (sparse, no disk), read by a process that may map 256 MiB more.
    std::string rows;
    for (int n = 1; n <= 34; ++n)
        rows += std::to_string(n) + ",w,r,e" + std::to_string(n) + ",\n";
    write("juk_goku.csv", rows);
    const auto file = dir / "kdata" / "juk_goku.csv";
    ASSERT_EQ(truncate(file.c_str(), std::int64_t{2} << 30), 0);
    const int code = test::inChildWithMemoryLeft(256u << 20, [&] {
        jukuji::JukujiTables tables;
        jukuji::readExamples(tables, dir / "kdata");
        return tables.example[33][0] == "e34" ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(JukujiTest, theWindowIsOfFixedSizeAndItsTitleFitsItsLabelAtEveryScale)
{
    const auto f = open();
    EXPECT_EQ(f->minimumSize(), f->maximumSize());
    QLabel* title = test::child<QLabel>(*f, "StaticText1");
    EXPECT_EQ(title->geometry(), QRect(24, 24, 396, 25));
    const auto inkRows = [](const QImage& image) {
        int first = -1, last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixel(x, y);
                if (c.blue() > 150 && c.red() < 110 && c.green() < 110) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
            }
        return std::pair{first, last};
    };
    for (const qreal scale : {1.0, 1.25, 1.5}) {
        QImage label((QSizeF(title->size()) * scale).toSize(), QImage::Format_RGB32);
        label.setDevicePixelRatio(scale);
        label.fill(Qt::white);
        title->render(&label);
        // The same text drawn with room to spare: all of its strokes.
        QImage free((QSizeF(title->width(), 80) * scale).toSize(), QImage::Format_RGB32);
        free.setDevicePixelRatio(scale);
        free.fill(Qt::white);
        QPainter painter(&free);
        painter.setFont(title->font());
        painter.setPen(QColor(0, 0, 255));
        painter.drawText(QPointF(2, 40), title->text());
        painter.end();
        const auto [top, bottom] = inkRows(label);
        const auto [freeTop, freeBottom] = inkRows(free);
        const int frame = static_cast<int>(std::ceil(title->frameWidth() * scale));
        EXPECT_GE(top, frame) << scale;
        EXPECT_LT(bottom, label.height() - frame) << scale;     // nothing on or below the bottom frame line
        EXPECT_EQ(bottom - top, freeBottom - freeTop) << scale; // no stroke cut off
    }
}
