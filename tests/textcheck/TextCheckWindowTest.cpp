#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/TextCodec.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/SheetOutput.h"
#include "sheets/SheetPrinter.h"
#include "support/RecordingDialogs.h"
#include "textcheck/MarkedTextPages.h"
#include "textcheck/TextCheckWindow.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace sorban;

namespace {

const std::filesystem::path Sample = std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata";

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class TextCheckWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::LoadYomiData(*store, Sample);
        jukuji::readAppearances(jukujiTables, Sample);
    }

    std::unique_ptr<textcheck::TextCheckWindow> window(textcheck::AnalyserSetup analyser = {})
    {
        auto w = std::make_unique<textcheck::TextCheckWindow>(
            textcheck::TextCheckContext{*store, settings, jukujiTables, printer, [this](std::int32_t n) { shown.push_back(n); }, analyser},
            nullptr);
        return w;
    }

    static void waitFor(textcheck::TextCheckWindow& w) { QTRY_VERIFY_WITH_TIMEOUT(w.upToDate(), 20000); }

    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    jukuji::JukujiTables jukujiTables;
    settings::Selection selection;
    settings::Settings settings;
    sheets::SheetPrinter printer{{*store, selection, settings, Sample, {}, {}}, nullptr};
    std::vector<std::int32_t> shown;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

} // namespace

TEST_F(TextCheckWindowTest, theTextIsMarkedAsTypedAndItsListLeadsToTheWordAndTheKanji)
{
    auto w = window();
    w->choose(0, 11);
    w->setText(u("今日は学校です。\n鉛筆を持つ。"));
    waitFor(*w);
    EXPECT_EQ(settings.CheckColumn, 1) << "the class's textbook and volume are kept for the next time";
    EXPECT_EQ(settings.CheckVolume, 11);
    const QStringList lines = w->listAsTsv().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(w->result().marks.size()) + 1);
    EXPECT_EQ(lines[0], u("位置\t語\t漢字\t読み\t区分\t初出"));
    EXPECT_TRUE(lines.contains(u("2:1\t鉛筆\t鉛\tえん\t教育漢字外\t小学校では習わない"))) << w->listAsTsv().toStdString();
    EXPECT_TRUE(w->status().contains(u("教育漢字外 1"))) << w->status().toStdString();

    // The row of 鉛 selects its word in the text; the row of 筆 shows 筆 in the main window.
    int pen = -1;
    for (std::size_t r = 0; r < w->result().marks.size(); ++r)
        if (w->result().marks[r].kanji == u("筆"))
            pen = static_cast<int>(r);
    ASSERT_GE(pen, 0);
    w->showInText(pen);
    EXPECT_EQ(w->findChild<QPlainTextEdit*>(QStringLiteral("text"))->textCursor().selectedText(), u("鉛筆"));
    w->pick(pen);
    EXPECT_EQ(shown, std::vector<std::int32_t>{*store->FindKanji(platform::utf8ToSjis("筆"))});
    w->pick(pen - 1); // 鉛 is no education kanji: nothing to show
    EXPECT_EQ(shown.size(), 1u);

    // Ctrl+C on the list copies it as tab-separated text.
    auto* list = w->findChild<QWidget*>(QStringLiteral("list"));
    w->show();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), w->listAsTsv());

    // A later volume in view takes marks away; the whole list follows the choice.
    const std::size_t before = w->result().marks.size();
    w->choose(0, 62);
    waitFor(*w);
    EXPECT_LT(w->result().marks.size(), before);
}

TEST_F(TextCheckWindowTest, withoutTheDictionaryTheWindowSaysSoAndJudgesKanjiAlone)
{
    textcheck::AnalyserSetup missing;
    missing.dictionary = "/nonexistent/ipadic";
    auto w = window(missing);
    w->choose(0, 62);
    w->setText(u("鉛筆で書く。"));
    waitFor(*w);
    EXPECT_TRUE(w->status().contains(u("mecab-ipadic-utf8"))) << w->status().toStdString();
    EXPECT_TRUE(w->status().contains(u("読みは調べていません")));
    ASSERT_FALSE(w->result().marks.empty());
    for (const textcheck::Mark& m : w->result().marks)
        EXPECT_TRUE(m.kind == textcheck::MarkKind::NotEducation || m.kind == textcheck::MarkKind::NewKanji);
}

TEST_F(TextCheckWindowTest, filesOpenInTheirEncodingAndTheMarkedTextPrintsWithItsLegend)
{
    QTemporaryDir dir;
    const QString sjis = dir.filePath(QStringLiteral("news.txt"));
    QFile file(sjis);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(platform::utf8ToSjis("学級だより\r\n鉛筆と消しゴム")));
    file.close();
    auto w = window();
    w->choose(0, 11);
    ASSERT_TRUE(w->loadFile(sjis));
    waitFor(*w);
    EXPECT_TRUE(w->status().contains(u("news.txt（Shift-JIS）"))) << w->status().toStdString();
    EXPECT_TRUE(w->text().startsWith(u("学級だより\n")));
    EXPECT_FALSE(w->loadFile(dir.filePath(QStringLiteral("none.txt"))));
    ASSERT_EQ(recorder.events.size(), 1u) << "a file that cannot be opened is said in a box";
    EXPECT_TRUE(w->text().startsWith(u("学級だより"))) << "and the text stays";

    // A file dropped on the text area opens like 開く, not as its name.
    const QString utf8 = dir.filePath(QStringLiteral("dropped.txt"));
    QFile dropped(utf8);
    ASSERT_TRUE(dropped.open(QIODevice::WriteOnly));
    dropped.write(QByteArray("\xEF\xBB\xBF") + u("図書館").toUtf8());
    dropped.close();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(utf8)});
    auto* area = w->findChild<QPlainTextEdit*>(QStringLiteral("text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area->viewport(), &enter);
    QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area->viewport(), &move);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area->viewport(), &drop);
    EXPECT_EQ(w->text(), u("図書館"));
    waitFor(*w);
    EXPECT_TRUE(w->status().contains(u("dropped.txt（UTF-8（BOM付き））"))) << w->status().toStdString();
    ASSERT_TRUE(w->loadFile(sjis));
    waitFor(*w);

    const textcheck::MarkedTextPages pages(w->printed());
    const QString pdf = dir.filePath(QStringLiteral("check.pdf"));
    ASSERT_EQ(sheets::writeDocumentPdf(pdf, pages, u("未習チェック"), u("未習チェック"), [](int, int) { return true; }),
              sheets::PdfResult::Written);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput()).remove(QLatin1Char(' '));
    for (const char* expected :
         {"未習チェック", "凡例", "未習漢字（実線）", "未習読み（波線）", "学級だより", "鉛筆と消しゴム", "教育漢字外"})
        EXPECT_TRUE(out.contains(u(expected))) << expected << "\n" << out.toStdString();
}
