#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "data/VolumeOrder.h"
#include "jukuji/JukujiTables.h"
#include "lessons/LessonWindow.h"
#include "lessons/NewReadings.h"
#include "platform/core/TextCodec.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/SheetOutput.h"
#include "sheets/SheetPrinter.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

using namespace sorban;

namespace {

const std::filesystem::path Sample = std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata";

// One record of apr_jho.csv, read straight from the file: kanji number, reading, six (code, page).
struct Record {
    int kanji;
    std::string reading;
    std::array<int, 6> code, page;
};

std::vector<Record> scanAppearances()
{
    std::ifstream in(Sample / "apr_jho.csv", std::ios::binary);
    std::vector<Record> records;
    std::vector<std::string> kanjiOf; // reading index -> kanji text, from knj_yomi.csv's order
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '$' || line[0] == '\x1a')
            continue;
        std::stringstream fields(line);
        std::vector<std::string> f;
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field);
        if (f.size() < 16)
            continue;
        Record r{0, platform::sjisToUtf8(f[2]), {}, {}};
        for (std::size_t c = 0; c < 6; ++c) {
            r.code[c] = std::stoi(f[4 + 2 * c]);
            r.page[c] = std::stoi(f[5 + 2 * c]);
        }
        records.push_back(r);
    }
    return records;
}

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class LessonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::LoadYomiData(*store, Sample);
        jukuji::readAppearances(jukujiTables, Sample);
        // Each record of the scan gets its kanji number from the store's reading ranges.
        records = scanAppearances();
        for (std::int32_t n = 1; n <= data::MaxKanji; ++n)
            for (std::int32_t k = 0; k < store->YomiCount[static_cast<std::size_t>(n)]; ++k)
                if (const auto i = static_cast<std::size_t>(store->FirstYomi(n) + k); i < records.size())
                    records[i].kanji = n;
    }

    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    jukuji::JukujiTables jukujiTables;
    std::vector<Record> records;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

} // namespace

TEST(VolumeOrderTest, aWholeYearVolumeEndsItsGradeLevelWithItsSecondHalf)
{
    EXPECT_LT(data::volumeRank(11), data::volumeRank(12));
    EXPECT_EQ(data::volumeRank(12), data::volumeRank(10));
    EXPECT_LT(data::volumeRank(10), data::volumeRank(21));
    EXPECT_LT(data::volumeRank(52), data::volumeRank(61));
    for (const std::int32_t invalid : {0, 9, 13, 63, 70, -11, 16})
        EXPECT_EQ(data::volumeRank(invalid), -1) << invalid;
    EXPECT_TRUE(data::metBy(10, 12)) << "１年 is met by the end of １下";
    EXPECT_TRUE(data::metBy(12, 10));
    EXPECT_FALSE(data::metBy(10, 11)) << "but not by １上";
    EXPECT_FALSE(data::metBy(13, 62)) << "an invalid code is never met";
    EXPECT_EQ(platform::sjisToUtf8(data::volumeLabel(40)), "４年");
    EXPECT_EQ(platform::sjisToUtf8(data::volumeLabel(41)), "４上");
}

TEST_F(LessonsTest, aVolumesRowsAreExactlyTheReadingsTheFileFirstShowsThereInPageOrder)
{
    const lessons::FirstAppearances first(*store, jukujiTables);
    for (const int col : {0, 3}) {
        for (const std::int32_t code : {11, 42, 40}) {
            std::multiset<std::tuple<int, int, std::string>> expected;
            for (const Record& r : records)
                if (r.code[static_cast<std::size_t>(col)] == code)
                    expected.insert({r.page[static_cast<std::size_t>(col)], r.kanji, r.reading});
            std::multiset<std::tuple<int, int, std::string>> listed;
            std::vector<lessons::NewReading> rows = first.newIn(col, code);
            for (const auto& row : rows)
                if (row.novelty != lessons::Novelty::Jukujikun)
                    listed.insert({row.page, row.kanji, platform::sjisToUtf8(store->YomiText[static_cast<std::size_t>(row.reading)])});
            EXPECT_EQ(listed, expected) << "column " << col << " volume " << code;
            EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
                return std::tuple(a.page, a.kanji ? a.kanji : 9999) < std::tuple(b.page, b.kanji ? b.kanji : 9999);
            }));
            // A new kanji has no reading met earlier in the column; a new reading names the earlier one.
            for (const auto& row : rows) {
                if (row.novelty == lessons::Novelty::Jukujikun)
                    continue;
                std::tuple<int, int> earliest{99, 0};
                for (const Record& r : records)
                    if (r.kanji == row.kanji && data::volumeRank(r.code[static_cast<std::size_t>(col)]) >= 0)
                        earliest = std::min(earliest, std::tuple(data::volumeRank(r.code[static_cast<std::size_t>(col)]),
                                                                 r.page[static_cast<std::size_t>(col)]));
                const bool firstOfKanji = earliest == std::tuple(data::volumeRank(code), row.page);
                if (row.novelty == lessons::Novelty::NewReading)
                    EXPECT_EQ(std::tuple(data::volumeRank(row.firstCode), row.firstPage), earliest);
                else
                    EXPECT_TRUE(firstOfKanji) << row.kanji;
            }
        }
    }
    // Totals: what is met by ４下 includes ４年 and everything before.
    const lessons::VolumeTotals totals = first.totals(0, 42);
    int readingsMet = 0;
    for (const Record& r : records)
        readingsMet += data::metBy(r.code[0], 42);
    EXPECT_EQ(totals.readingsMet, readingsMet);
    EXPECT_GT(totals.kanjiMet, 0);
}

TEST_F(LessonsTest, badCodesStandInNoVolumeAndPagesBelowOneSortFirst)
{
    // Three readings of kanji 1: a bad code, page 0 and page -1 in ２上, in column 1.
    auto small = std::make_unique<data::KanjiStore>();
    small->KanjiText[1] = platform::utf8ToSjis("愛");
    small->YomiCount[1] = 3;
    small->YomiTotal[1] = 3;
    small->AprRecord[0] = {13, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    small->AprRecord[1] = {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    small->AprRecord[2] = {21, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const lessons::FirstAppearances first(*small, jukuji::JukujiTables{});
    const auto rows = first.newIn(0, 21);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].page, -1);
    EXPECT_EQ(rows[0].novelty, lessons::Novelty::NewKanji);
    EXPECT_EQ(rows[1].novelty, lessons::Novelty::NewReading);
    EXPECT_FALSE(first.hasVolume(0, 13));
    EXPECT_FALSE(first.hasData(1)) << "a column with no appearance at all";
    EXPECT_TRUE(first.newIn(1, 21).empty());
}

TEST_F(LessonsTest, theWindowPicksCopiesAndPrintsItsList)
{
    settings::Selection selection;
    settings::Settings settings;
    sheets::SheetPrinter printer({*store, selection, settings, Sample, std::filesystem::path(SORBAN_SAMPLE_DIR) / "hitudata", {}}, nullptr);
    std::vector<std::int32_t> shown;
    lessons::LessonWindow window({*store, selection, settings, jukujiTables, Sample, printer, [&](std::int32_t n) { shown.push_back(n); }},
                                 nullptr);
    window.open();
    EXPECT_EQ(selection.GokuLoaded, 1) << "the examples are read as the window opens";
    window.choose(0, 11);
    ASSERT_FALSE(window.rows().empty());
    window.pick(0);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0], window.rows()[0].kanji);

    window.copyList();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), u("ページ\t漢字\t番号\t読み\t区分\t初出\t用例"));
    EXPECT_EQ(lines.size(), static_cast<int>(window.rows().size()) + 1);
    const auto& first = window.rows()[0];
    EXPECT_TRUE(
        lines[1].startsWith(QString::number(first.page) + u("\t")
                            + QString::fromStdString(platform::sjisToUtf8(store->KanjiText[static_cast<std::size_t>(first.kanji)]))));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->html().contains(u("<caption>")));

    test::TempDir dir;
    const QString pdf = QString::fromStdString((dir / "list.pdf").string());
    const sheets::TablePages pages(window.document());
    ASSERT_EQ(sheets::writeDocumentPdf(pdf, pages, u("一覧"), u("主題"), [](int, int) { return true; }), sheets::PdfResult::Written);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(printed.contains(u("見本Ａ１上新出漢字・新出読み")));
    EXPECT_TRUE(printed.contains(u("この巻の新出：漢字"))) << "the totals";
    EXPECT_TRUE(printed.contains(u("見本のデータです"))) << "the sample-data notice";
    EXPECT_TRUE(printed.contains(QString::fromStdString(platform::sjisToUtf8(store->YomiText[static_cast<std::size_t>(first.reading)]))));
    EXPECT_TRUE(recorder.events.empty());
}
