#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/StringGrid.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/PracticeSheet.h"
#include "sheets/SheetDialog.h"
#include "sheets/SheetOutput.h"
#include "sheets/SheetPrinter.h"
#include "support/Controls.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace sorban;
using Box = platform::RecordingDialogs;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The text of a PDF as pdftotext gives it, with every space and line end taken out: a table's
// cells come out in the order of the page, wherever the lines break.
QString pdfText(const QString& pdf, int page = 1)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"),
              {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    return QString::fromUtf8(run.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
}

int pdfPages(const QString& pdf)
{
    QProcess run;
    run.start(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(run.waitForFinished(30000));
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(run.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

// The resolution pages are rendered at to be looked at: 50 dots an inch (a tenth of a millimetre
// is 0.197 pixels), or finer where lines a millimetre apart must be told apart.
int g_dpi = 50;

// Page one rendered at g_dpi.
QImage pdfPicture(const QString& pdf, const std::filesystem::path& dir)
{
    const QString base = QString::fromStdString((dir / "page").string());
    QProcess run;
    run.start(QStringLiteral("pdftoppm"),
              {QStringLiteral("-r"), QString::number(g_dpi), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
               QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, base});
    EXPECT_TRUE(run.waitForFinished(30000));
    return QImage(base + QStringLiteral(".png"));
}

QPoint at(double tenthsX, double tenthsY)
{
    return {static_cast<int>(tenthsX * g_dpi / 254), static_cast<int>(tenthsY * g_dpi / 254)};
}

// Pixels of `image` in the rectangle (tenths of a millimetre) that are not white.
int inked(const QImage& image, double left, double top, double right, double bottom)
{
    int count = 0;
    const QPoint from = at(left, top), to = at(right, bottom);
    for (int y = from.y(); y < to.y(); ++y)
        for (int x = from.x(); x < to.x(); ++x)
            count += qGray(image.pixel(x, y)) < 200;
    return count;
}

// The thin dark lines crossed going straight down at `tenthsX`: a table's rules.
int rulesDown(const QImage& image, double tenthsX)
{
    const int x = at(tenthsX, 0).x();
    int rules = 0, run = 0;
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 200) {
            ++run;
            continue;
        }
        rules += run > 0 && run <= 2;
        run = 0;
    }
    return rules;
}

/// The main window over the sample set the build makes, with its boxes recorded.
class SheetsTest : public ::testing::Test {
protected:
    app::TsorbanForm& open(const std::filesystem::path& pictures = std::filesystem::path(SORBAN_SAMPLE_DIR) / "hitudata")
    {
        selection.ExeDir = dir.path().string() + "/";
        form = std::make_unique<app::TsorbanForm>(*store, selection, settings,
                                                  app::FormPaths{std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata", pictures});
        return *form;
    }
    void show(std::int32_t n)
    {
        selection.KanNum = n;
        form->HyouDsp();
    }
    QString pdf(const char* name) const { return QString::fromStdString((dir / name).string()); }
    // The table's cell as the window shows it, without the spaces it is drawn with.
    QString cell(int col, int row) const { return test::child<platform::StringGrid>(*form, "StringGrid1")->cellText(col, row).trimmed(); }

    test::TempDir dir;
    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    settings::Selection selection;
    settings::Settings settings;
    Box recorder;
    platform::DialogsGuard guard{recorder};
    std::unique_ptr<app::TsorbanForm> form;
};

} // namespace

TEST_F(SheetsTest, aSheetHoldsAsTextTheKanjiEveryReadingEveryColumnLabelAndEveryPageTheWindowShows)
{
    open();
    // Kanji 1, and 下 (63), which has the most readings of the sample set.
    for (const std::int32_t n : {1, 63}) {
        show(n);
        ASSERT_TRUE(form->sheets().savePdfAs(pdf("sheet.pdf"), {n}));
        const QString text = pdfText(pdf("sheet.pdf"));
        EXPECT_TRUE(text.contains(u("◇教育漢字教科書別・読み別出現ページ表◇")));
        EXPECT_TRUE(text.contains(u("見本のデータです"))) << "the sample set says so on every sheet";
        EXPECT_TRUE(text.contains(QString::fromStdString(platform::sjisToUtf8(selection.KanjiNow))));
        EXPECT_TRUE(text.contains(u("漢字番号") + QString::number(n)));
        EXPECT_TRUE(text.contains(u("Sorbanv")));
        for (const char* heading : {"配当学年", "画数", "部首", "[部首読み]", "漢検級", "成り立ち"})
            EXPECT_TRUE(text.contains(u(heading))) << heading;
        for (int col = 1; col <= 6; ++col)
            EXPECT_TRUE(text.contains(cell(col, 0))) << cell(col, 0).toStdString();
        int rows = 0;
        for (int row = 1; row <= 10 && !cell(0, row).isEmpty(); ++row, ++rows) {
            EXPECT_TRUE(text.contains(cell(0, row))) << n << " reading " << cell(0, row).toStdString();
            for (int col = 1; col <= 6; ++col)
                EXPECT_TRUE(text.contains(cell(col, row))) << n << " " << cell(col, row).toStdString();
        }
        EXPECT_EQ(rows, n == 1 ? 2 : 10) << "the rows the window shows";
        EXPECT_TRUE(text.contains(u("読み数") + QString::number(n == 1 ? 2 : 13))) << "every reading counted";
        // The sheet is not the window: the readings past its ten rows are printed too.
        const sheets::KanjiPage page = form->sheets().pageOf(n);
        ASSERT_EQ(static_cast<int>(page.appearances.size()), n == 1 ? 2 : 13);
        for (const auto& reading : page.appearances)
            EXPECT_TRUE(text.contains(reading[0])) << n << " " << reading[0].toStdString();
    }
}

TEST_F(SheetsTest, pageOneDrawsTheTableLinesAndTheStrokeOrderPictureOnlyWhenThePictureDecodes)
{
    open();
    show(1);
    ASSERT_TRUE(form->sheets().savePdfAs(pdf("with.pdf"), {1}));
    const QImage with = pdfPicture(pdf("with.pdf"), dir.path());
    ASSERT_NEAR(with.width(), 413, 1);
    ASSERT_NEAR(with.height(), 585, 1);
    // The picture box at the top right, beside the kanji at the top left.
    EXPECT_GT(inked(with, 1500, 360, 1930, 760), 500);
    EXPECT_GT(inked(with, 170, 360, 600, 760), 300);
    // Down the reading column, left of its text: the rules of the attribute table (3), the
    // appearance table (heading and two readings: 4) and the example table (4).
    EXPECT_GE(rulesDown(with, 170), 11);

    // A picture that does not decode (text named .jpg), and no picture at all: the sheet without it.
    for (const bool broken : {true, false}) {
        const std::filesystem::path pictures = dir / (broken ? "broken" : "none");
        std::filesystem::create_directories(pictures);
        if (broken)
            std::ofstream(pictures / std::filesystem::path(u8"h1愛.jpg")) << "not a picture";
        open(pictures);
        show(1);
        ASSERT_TRUE(form->sheets().savePdfAs(pdf("without.pdf"), {1}));
        const QImage without = pdfPicture(pdf("without.pdf"), dir.path());
        EXPECT_EQ(inked(without, 1500, 360, 1930, 760), 0) << broken;
        EXPECT_GT(inked(without, 170, 360, 600, 760), 300) << broken;
    }
    EXPECT_TRUE(recorder.events.empty()) << "a picture that cannot be shown is left out without a box";
}

TEST_F(SheetsTest, aGradeMakesOnePageForEachOfItsKanjiInNumberOrder)
{
    open();
    const std::vector<std::int32_t> grade1 = sheets::kanjiForScope(*store, {sheets::SheetScope::Kind::Grade, 1, 1, 1}, 1, settings.Memo);
    int expected = 0;
    for (std::int32_t n = 1; n <= data::MaxKanji; ++n)
        expected += store->HaitouNen[static_cast<std::size_t>(n - 1)] == 1;
    ASSERT_GT(expected, 0);
    ASSERT_EQ(static_cast<int>(grade1.size()), expected);
    EXPECT_TRUE(std::is_sorted(grade1.begin(), grade1.end()));
    ASSERT_TRUE(form->sheets().savePdfAs(pdf("grade1.pdf"), grade1));
    EXPECT_EQ(pdfPages(pdf("grade1.pdf")), expected);
    const QString last = pdfText(pdf("grade1.pdf"), expected);
    EXPECT_TRUE(last.contains(u("漢字番号") + QString::number(grade1.back())));
}

TEST_F(SheetsTest, aPrinterGetsThePagesTheDialogChoseInItsOrderAndCopies)
{
    open();
    const std::vector<std::int32_t> grade1 = sheets::kanjiForScope(*store, {sheets::SheetScope::Kind::Grade, 1, 1, 1}, 1, settings.Memo);
    ASSERT_GT(grade1.size(), 3U);
    const auto print = [&](const char* name, const std::function<void(QPrinter&)>& dialog) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat); // a printer's pages, kept in a file to be read
        printer.setOutputFileName(pdf(name));
        dialog(printer);
        EXPECT_TRUE(form->sheets().printOn(printer, grade1));
    };
    const auto kanjiOn = [&](const char* name, int page) {
        for (std::size_t k = 0; k < grade1.size(); ++k)
            if (pdfText(pdf(name), page).contains(u("漢字番号") + QString::number(grade1[k]) + u("読み数")))
                return static_cast<int>(k) + 1;
        return 0;
    };
    // Pages 2 to 3 of the run, as the dialog numbers them: two sheets, not the whole grade.
    print("range.pdf", [](QPrinter& p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    });
    ASSERT_EQ(pdfPages(pdf("range.pdf")), 2);
    EXPECT_EQ(kanjiOn("range.pdf", 1), 2);
    EXPECT_EQ(kanjiOn("range.pdf", 2), 3);
    // Two copies, collated and not; the last page first.
    print("collated.pdf", [](QPrinter& p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
        p.setCopyCount(2);
        p.setCollateCopies(true);
    });
    ASSERT_EQ(pdfPages(pdf("collated.pdf")), 4);
    EXPECT_EQ(
        (std::vector<int>{kanjiOn("collated.pdf", 1), kanjiOn("collated.pdf", 2), kanjiOn("collated.pdf", 3), kanjiOn("collated.pdf", 4)}),
        (std::vector<int>{2, 3, 2, 3}));
    print("uncollated.pdf", [](QPrinter& p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
        p.setCopyCount(2);
        p.setCollateCopies(false);
        p.setPageOrder(QPrinter::LastPageFirst);
    });
    ASSERT_EQ(pdfPages(pdf("uncollated.pdf")), 4);
    EXPECT_EQ((std::vector<int>{kanjiOn("uncollated.pdf", 1), kanjiOn("uncollated.pdf", 2), kanjiOn("uncollated.pdf", 3),
                                kanjiOn("uncollated.pdf", 4)}),
              (std::vector<int>{3, 3, 2, 2}));
}

TEST_F(SheetsTest, theChoicesOfKanjiKeepTheMemoOrderAndStayInsideTheEducationKanji)
{
    open();
    std::array<std::string, 10> memo{};
    memo[0] = platform::utf8ToSjis("下");
    memo[1] = platform::utf8ToSjis("♪"); // no education kanji: left out
    memo[2] = platform::utf8ToSjis("愛");
    using Kind = sheets::SheetScope::Kind;
    EXPECT_EQ(sheets::kanjiForScope(*store, {Kind::Memo, 1, 1, 1}, 5, memo), (std::vector<std::int32_t>{63, 1}));
    EXPECT_EQ(sheets::kanjiForScope(*store, {Kind::Current, 1, 1, 1}, 5, memo), (std::vector<std::int32_t>{5}));
    EXPECT_TRUE(sheets::kanjiForScope(*store, {Kind::Current, 1, 1, 1}, 0, memo).empty());
    EXPECT_EQ(sheets::kanjiForScope(*store, {Kind::Range, 1, 1024, 2000}, 5, memo), (std::vector<std::int32_t>{1024, 1025, 1026}));
    EXPECT_EQ(sheets::kanjiForScope(*store, {Kind::Range, 1, -3, 2}, 5, memo), (std::vector<std::int32_t>{1, 2}));

    sheets::SheetDialog dialog(u("印刷"), sheets::SheetDialog::Kind::Reference, {u("愛"), 1, 4, 0, {}, {}}, nullptr);
    EXPECT_EQ(dialog.scope().kind, Kind::Current);
    dialog.findChildren<QSpinBox*>().at(2)->setValue(30); // the last number: the range is chosen, in order
    EXPECT_EQ(dialog.scope().kind, Kind::Range);
    EXPECT_EQ(dialog.scope().from, 1);
    EXPECT_EQ(dialog.scope().to, 30);
}

TEST_F(SheetsTest, aStoppedOrFailedPdfLeavesNoFileAndAnOlderFileAsItWas)
{
    open();
    const QString path = pdf("kept.pdf");
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older");
    }
    const sheets::SheetRun run{{1, 2, 3, 4},
                               [this](std::int32_t n) { return form->sheets().pageOf(n); },
                               form->sheets().style(),
                               {},
                               [](int done, int) { return done < 2; }};
    EXPECT_EQ(sheets::writeSheetsPdf(path, run, u("題"), u("主題")), sheets::PdfResult::Stopped);
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("older"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file is left";

    // A folder that does not exist: the box names the path; nothing is made.
    const QString nowhere = pdf("missing/sheet.pdf");
    EXPECT_FALSE(form->sheets().savePdfAs(nowhere, {1}));
    EXPECT_EQ(recorder.events, (std::vector<Box::Event>{Box::box("PDFファイルに書き込めません。\n" + nowhere.toStdString(), "ご注意！")}));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(SheetsTest, copyPutsTheTableInViewOnTheClipboardAsTabSeparatedTextAndHtml)
{
    open();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    show(1);
    form->CopyClick();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    QString expected = u("愛（漢字番号 1） 出現ページ\n見本のデータです。実際の教科書の出現ページではありません。\n【読み】");
    for (int col = 1; col <= 6; ++col)
        expected += u("\t") + cell(col, 0);
    for (int row = 1; row <= 2; ++row) {
        expected += u("\n") + cell(0, row);
        for (int col = 1; col <= 6; ++col)
            expected += u("\t") + cell(col, row);
    }
    EXPECT_EQ(copied->text(), expected + u("\n"));
    EXPECT_TRUE(copied->html().contains(u("<caption>愛（漢字番号 1） 出現ページ<br>見本のデータです。")));
    EXPECT_TRUE(copied->html().contains(u("<th>") + cell(0, 1) + u("</th>")));

    // In the example view the examples are copied, as they show.
    form->gokuRandDClick();
    form->CopyClick();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], u("愛（漢字番号 1） 用例"));
    EXPECT_EQ(lines[3].split(u'\t').at(1), cell(1, 1));
    EXPECT_NE(cell(1, 1), QString());

    // Ctrl+C in a box copies its selection; with nothing selected, the table.
    auto* kanjiBox = test::child<QLineEdit>(*form, "Edit2");
    kanjiBox->setFocus();
    kanjiBox->setText(u("愛悪"));
    kanjiBox->setSelection(1, 1);
    QTest::keyClick(kanjiBox, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u("悪"));
    kanjiBox->deselect();
    QTest::keyClick(kanjiBox, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(u("愛（漢字番号 1） 用例\n")));
}

namespace {

// A sheet with thirteen readings whose examples are sixty characters long in every column.
sheets::KanjiPage longPage()
{
    sheets::KanjiPage page;
    page.number = 63;
    page.kanji = u("下");
    page.readings = 13;
    page.columns = {u("【読み】"), u("Ａ"), u("Ｂ"), u("Ｃ"), u("Ｄ"), u("Ｅ"), u("Ｆ")};
    page.attributeHeadings = {u("配当学年"), u("画数"), u("部首"), u("[部首読み]"), u("漢検級"), u("成り立ち")};
    for (int k = 1; k <= 13; ++k) {
        std::array<QString, 7> row{u("よみ%1").arg(k), u("１上：1"), u("１上：2"), u("１上：3"), u("１上：4"), u("１上：5"), u("１上：6")};
        page.appearances.push_back(row);
        for (std::size_t col = 1; col < row.size(); ++col)
            row[col] = u("例").repeated(60);
        page.examples.push_back(row);
    }
    return page;
}

// The words pdftotext finds on a page with their top and bottom, in PDF points.
struct Word {
    QString text;
    double top;
    double bottom;
};

std::vector<Word> pdfWords(const QString& pdf, int page)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                            QString::number(page), pdf, QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(30000));
    std::vector<Word> words;
    const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto match = word.globalMatch(QString::fromUtf8(run.readAllStandardOutput())); match.hasNext();) {
        const auto m = match.next();
        words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

} // namespace

TEST_F(SheetsTest, longTablesGoOnUnderContinuedAtSevenPointsOrMoreAndNeverOverTheLegend)
{
    open();
    const sheets::SheetLayout layout(longPage(), form->sheets().style(), {});
    EXPECT_GE(layout.tableFont(), sheets::SmallestText) << "no table text under 7 points";
    ASSERT_GE(layout.slotCount(), 2);

    const sheets::SheetRun run{{63}, [](std::int32_t) { return longPage(); }, form->sheets().style(), {}};
    ASSERT_EQ(sheets::writeSheetsPdf(pdf("long.pdf"), run, u("下"), u("主題")), sheets::PdfResult::Written);
    ASSERT_EQ(pdfPages(pdf("long.pdf")), layout.slotCount());
    EXPECT_TRUE(pdfText(pdf("long.pdf"), 2).contains(u("下（漢字番号63）（続き）")));
    QString all;
    for (int page = 1; page <= layout.slotCount(); ++page) {
        all += pdfText(pdf("long.pdf"), page);
        const std::vector<Word> words = pdfWords(pdf("long.pdf"), page);
        const auto legend = std::find_if(words.begin(), words.end(), [](const Word& w) { return w.text.startsWith(u("◎")); });
        ASSERT_NE(legend, words.end()) << "page " << page << " has its legend";
        for (const Word& w : words) {
            if ((w.text.contains(u("例")) && !w.text.startsWith(u("☆"))) || w.text.startsWith(u("よみ"))) {
                EXPECT_LE(w.bottom, legend->top + 0.5) << "page " << page << ": " << w.text.toStdString() << " runs into the legend";
            }
        }
    }
    for (int k = 1; k <= 13; ++k)
        EXPECT_TRUE(all.contains(u("よみ") + QString::number(k) + u("１上")))
            << "reading " << k << " is printed, past the window's ten rows";
}

TEST_F(SheetsTest, optionsLeaveOutTheExamplesOrThePictureAndPutTwoKanjiOnAPage)
{
    open();
    ASSERT_TRUE(form->sheets().savePdfAs(pdf("plain.pdf"), {1}, {false, false, false}));
    const QString text = pdfText(pdf("plain.pdf"));
    EXPECT_FALSE(text.contains(u("◆用例")));
    EXPECT_TRUE(text.contains(u("◆教科書別・読み別出現ページ")));
    EXPECT_EQ(inked(pdfPicture(pdf("plain.pdf"), dir.path()), 1500, 360, 1930, 760), 0) << "no stroke-order picture";

    ASSERT_TRUE(form->sheets().savePdfAs(pdf("two.pdf"), {1, 2, 3, 4}, {true, true, true}));
    EXPECT_EQ(pdfPages(pdf("two.pdf")), 2);
    EXPECT_TRUE(pdfText(pdf("two.pdf"), 1).contains(u("漢字番号1")));
    EXPECT_TRUE(pdfText(pdf("two.pdf"), 1).contains(u("漢字番号2")));
    EXPECT_TRUE(pdfText(pdf("two.pdf"), 2).contains(u("漢字番号4")));
}

TEST_F(SheetsTest, aPdfIsOfferedUnderAMeaningfulNameAndCarriesItsTitleAuthorAndSubject)
{
    using Kind = sheets::SheetScope::Kind;
    EXPECT_EQ(sheets::suggestedFileName({Kind::Current, 1, 1, 1}, u("愛")), u("愛.pdf"));
    EXPECT_EQ(sheets::suggestedFileName({Kind::Memo, 1, 1, 1}, u("愛")), u("メモ.pdf"));
    EXPECT_EQ(sheets::suggestedFileName({Kind::Grade, 1, 1, 1}, u("愛")), u("1年.pdf"));
    EXPECT_EQ(sheets::suggestedFileName({Kind::Range, 1, 300, 305}, u("愛")), u("漢字0300-0305.pdf"));

    open();
    ASSERT_TRUE(form->sheets().savePdfAs(pdf("meta.pdf"), {1}, {}, u("愛（漢字番号 1）")));
    const auto pdfinfo = [&](const QStringList& arguments) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), arguments + QStringList{pdf("meta.pdf")});
        EXPECT_TRUE(info.waitForFinished(30000));
        return QString::fromUtf8(info.readAllStandardOutput());
    };
    EXPECT_TRUE(pdfinfo({}).contains(QRegularExpression(u("Title:\\s+愛（漢字番号 1）\n")))) << pdfinfo({}).toStdString();
    const QString meta = pdfinfo({QStringLiteral("-meta")});
    EXPECT_TRUE(meta.contains(u("<dc:creator><rdf:Seq><rdf:li>Sorban v"))) << "the program as author";
    EXPECT_TRUE(meta.contains(u("教育漢字教科書別・読み別 出現ページ表</rdf:li></rdf:Alt></dc:description>"))) << "the subject";
}

TEST_F(SheetsTest, practiceSheetsStandOneKanjiAColumnRightToLeftWithTheirHeadsAndBoxes)
{
    open();
    const std::vector<std::int32_t> grade1 = sheets::kanjiForScope(*store, {sheets::SheetScope::Kind::Grade, 1}, 1, settings.Memo);
    sheets::PracticeOptions options;
    options.family = form->sheets().style().kanjiFamily;
    const sheets::PracticePages pages(form->sheets().practiceRun(grade1, {sheets::SheetScope::Kind::Grade, 1}, options, u("1年の漢字")));
    ASSERT_EQ(pages.columnsPerPage(), 10) << "17 mm boxes: ten columns on A4";
    ASSERT_EQ(pages.pages(), static_cast<int>((grade1.size() + 9) / 10));
    ASSERT_EQ(sheets::writeDocumentPdf(pdf("practice.pdf"), pages, u("1年の漢字 練習プリント"), u("主題"), [](int, int) { return true; }),
              sheets::PdfResult::Written);
    EXPECT_EQ(pdfPages(pdf("practice.pdf")), pages.pages());
    const QString text = pdfText(pdf("practice.pdf"));
    for (const char* word : {"1年の漢字", "日付", "組", "名前", "見本のデータです", "Sorbanv"})
        EXPECT_TRUE(text.contains(u(word))) << word;
    EXPECT_TRUE(text.contains(u("1/") + QString::number(pages.pages())));
    const sheets::KanjiPage first = form->sheets().pageOf(grade1[0]);
    EXPECT_TRUE(text.contains(first.kanji) && text.contains(first.attributes[1])) << "the model kanji and its stroke count";
    EXPECT_TRUE(text.contains(first.appearances[0][0])) << "its first reading";

    // The first kanji stands at the right; each column is a box wide with a gap before the next,
    // and its boxes run from under the head to the footer.
    g_dpi = 200;
    const QImage page = pdfPicture(pdf("practice.pdf"), dir.path());
    EXPECT_NEAR(pages.columnLeft(0), 2100 - 100 - 170, 0.5);
    EXPECT_NEAR(pages.columnLeft(0) - pages.columnLeft(1), 170 + 20, 0.5);
    const double top = pages.boxesTop(0);
    EXPECT_GT(top, 320 + 2 * 170) << "under the model kanji and the picture";
    for (int c = 0; c < 10; ++c) {
        const double left = pages.columnLeft(c);
        EXPECT_GT(inked(page, left - 3, top + 200, left + 3, 2700), 500) << "column " << c << "'s boxes";
        EXPECT_LT(inked(page, left - 14, top + 200, left - 6, 2700), 5) << "the gap left of column " << c;
    }
    EXPECT_GT(inked(page, pages.columnLeft(0) + 20, top + 10, pages.columnLeft(0) + 150, top + 160), 20) << "a trace box holds the kanji";
    EXPECT_LT(inked(page, pages.columnLeft(0) + 20, top + 2 * 170 + 10, pages.columnLeft(0) + 70, top + 2 * 170 + 70), 3)
        << "the box after the traces is empty but for its cross";
    g_dpi = 50;
}

TEST_F(SheetsTest, practiceSheetsOfAVolumeShowTheReadingsMetByThenAndSayWhichPicturesAreMissing)
{
    const std::filesystem::path none = dir / "none";
    std::filesystem::create_directories(none);
    open(none);
    sheets::SheetScope volume{sheets::SheetScope::Kind::Volume};
    volume.column = 0;
    volume.volume = 11;
    const sheets::PracticeRun run = form->sheets().practiceRun({63}, volume, {}, u("１上 新出漢字"));
    ASSERT_EQ(run.kanji.size(), 1U);
    int met = 0;
    for (std::int32_t k = 0; k < store->YomiCount[63]; ++k)
        met += data::metBy(store->AprRecord[static_cast<std::size_t>(store->FirstYomi(63) + k)][0], 11);
    EXPECT_EQ(run.kanji[0].readings.size(), met) << "only the readings the class has met by １上";
    EXPECT_LT(met, 13);

    const sheets::PracticePages pages(run);
    ASSERT_EQ(sheets::writeDocumentPdf(pdf("missing.pdf"), pages, u("下"), u("主題"), [](int, int) { return true; }),
              sheets::PdfResult::Written);
    EXPECT_TRUE(pdfText(pdf("missing.pdf")).contains(u("筆順の図がない、または読めない漢字：下")));
    EXPECT_TRUE(recorder.events.empty()) << "no box for a missing picture";

    // A font without the kanji gives way to the settings' kanji font.
    EXPECT_EQ(sheets::PracticePages::familyFor(u("愛"), u("IPAGothic"), u("IPAMincho")), u("IPAGothic"));
    const QStringList families = QFontDatabase::families();
    const auto lacking = std::find_if(families.begin(), families.end(), [](const QString& f) {
        QFont font(f);
        font.setStyleStrategy(QFont::NoFontMerging);
        return QFontInfo(font).family() == f && !QFontMetricsF(font).inFontUcs4(u("愛").toUcs4().value(0));
    });
    if (lacking != families.end()) {
        EXPECT_EQ(sheets::PracticePages::familyFor(u("愛"), *lacking, u("IPAMincho")), u("IPAMincho")) << lacking->toStdString();
    }
}
