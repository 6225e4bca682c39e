#include "data/DataTestSupport.h"
#include "data/MainDataFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace sorban;
using sorban::test::DataFileTest;

namespace {

constexpr const char* Header = "#番号,漢字,読み,区分,光村,頁,東書,頁,教出,頁,学図,頁,三省,頁,他,頁,\n";

class LoadYomiDataTest : public DataFileTest {
protected:
    // Two kanji, three readings, their appearances and two radicals.
    void writeSmallSet()
    {
        write("knj_yomi.csv", "# 読みのファイル\n$注\n1,愛,1,1,アイ,\n2,悪,2,3,アク,わる(い),余り,\n");
        write("apr_jho.csv", std::string(Header)
                                 + "$平成27年度版,\n"
                                   "0,愛,アイ,,41,15,42,3,0,0,0,0,0,0,0,0,\n"
                                   "1,悪,アク,,31,20,0,0,0,0,0,0,0,0,0,0,\n"
                                   "2,悪,わる,,32,8,0,0,0,0,0,0,0,0,0,0,\n");
        write("bushu_ban.csv", "#部首\n0,心,こころ,\n1,一,いち,\n");
    }
    int load() { return data::LoadYomiData(store, dir.path()); }
};

} // namespace

TEST_F(LoadYomiDataTest, wellFormedFilesFillTheStoreAndReturnOne)
{
    writeSmallSet();
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.KanjiText[1], sj("愛"));
    EXPECT_EQ(store.KanjiText[2], sj("悪"));
    EXPECT_EQ(store.YomiCount[2], 2);
    EXPECT_EQ(store.YomiTotal[2], 3);
    EXPECT_EQ(store.YomiText[0], sj("アイ"));
    EXPECT_EQ(store.YomiText[2], sj("わる(い)"));
    EXPECT_EQ(store.YomiText[3], ""); // fields after the c-th reading are ignored
    EXPECT_EQ(store.AprRecord[0], (data::AprRow{41, 15, 42, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(store.AprRecord[2][0], 32);
    EXPECT_EQ(store.ColumnLabel[0], sj("光村"));
    EXPECT_EQ(store.ColumnLabel[5], sj("他"));
    EXPECT_EQ(store.AprNote, sj("平成27年度版"));
    EXPECT_EQ(store.BushuName[1], sj("一"));
    EXPECT_EQ(store.BushuYomi[0], sj("こころ"));
}

TEST_F(LoadYomiDataTest, lastReadingWithoutCommaIsEmpty)
{
    writeSmallSet();
    write("knj_yomi.csv", "1,愛,2,2,アイ,いと\n");
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.YomiText[0], sj("アイ"));
    EXPECT_EQ(store.YomiText[1], "");
}

TEST_F(LoadYomiDataTest, eachMissingFileHasItsOwnBoxAndResult)
{
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "knj_yomi.csv のファイルがありません。")});

    recorder.events.clear();
    write("knj_yomi.csv", "1,愛,1,1,アイ,\n");
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "apr_jho.csv のファイルがありません。")});
    EXPECT_EQ(store.YomiText[0], sj("アイ"));

    recorder.events.clear();
    write("apr_jho.csv", "0,,,,11,1,0,0,0,0,0,0,0,0,0,0,\n");
    EXPECT_EQ(load(), -99);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "bushu_ban.csvのファイルがありません。")});
}

TEST_F(LoadYomiDataTest, aFolderInPlaceOfAFileCountsAsMissing)
{
    std::filesystem::create_directories(dir / "knj_yomi.csv");
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "knj_yomi.csv のファイルがありません。")});
}

TEST_F(LoadYomiDataTest, readingFileErrorsStopLoadingAndLeaveLaterFilesUnread)
{
    struct Case {
        const char* second;
        const char* word;
    };
    for (const Case c :
         {Case{"\n", "エラー発生00"}, Case{"-1,悪,1,2,アク,\n", "エラー発生00"}, Case{",,,,,,,,,,\n", "エラー発生00"},
          Case{"2,悪,x,2,アク,\n", "エラー発生01"}, Case{"2,悪,1,2 ,アク,\n", "エラー発生02"}, Case{"2,悪,1,\n", "エラー発生02"}}) {
        SCOPED_TRACE(c.second);
        storePtr = std::make_unique<data::KanjiStore>();
        data::KanjiStore& fresh = *storePtr;
        recorder.events.clear();
        writeSmallSet();
        write("knj_yomi.csv", std::string("1,愛,1,1,アイ,\n") + c.second + "3,以,1,3,イ,\n");
        EXPECT_EQ(data::LoadYomiData(fresh, dir.path()), -1);
        EXPECT_EQ(shown(), std::vector{Box::box(c.word, "ご報告")});
        EXPECT_EQ(fresh.YomiText[0], sj("アイ"));
        EXPECT_EQ(fresh.KanjiText[3], "");
        EXPECT_EQ(fresh.ColumnLabel[5], sj("････")); // appearance file never read
        EXPECT_EQ(fresh.AprRecord[0][0], 0);
        EXPECT_EQ(fresh.BushuName[0], "");
    }
}

TEST_F(LoadYomiDataTest, kanjiTextIsStoredBeforeACountErrorStops)
{
    writeSmallSet();
    write("knj_yomi.csv", "1,愛,,1,アイ,\n");
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(store.KanjiText[1], sj("愛"));
    EXPECT_EQ(store.YomiCount[1], 0);
}

TEST_F(LoadYomiDataTest, lineLongerThanTheBufferBecomesTwoRecords)
{
    writeSmallSet();
    // 9 bytes of head + a 189-byte reading and its comma = 199 bytes, the most one read takes.
    const std::string first = "1," + sj("愛") + ",1,1," + std::string(189, 'x') + ",";
    ASSERT_EQ(first.size(), 199u);
    test::writeBytes(dir / "knj_yomi.csv", first + "2," + sj("悪") + ",1,2,ab,\r\n");
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.YomiText[0], std::string(189, 'x'));
    EXPECT_EQ(store.KanjiText[2], sj("悪"));
    EXPECT_EQ(store.YomiText[1], "ab");
}

TEST_F(LoadYomiDataTest, emptyAppearanceLineShowsTheTwoColumnOneBoxes)
{
    writeSmallSet();
    write("apr_jho.csv", "0,愛,アイ,,41,15,42,3,0,0,0,0,0,0,0,0,\n\n2,,,,11,1,0,0,0,0,0,0,0,0,0,0,\n");
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), (std::vector{Box::box("1", "ご報告００"), Box::box("学年欄にエラー03", "apr_jho.csv")}));
    EXPECT_EQ(store.AprRecord[0][1], 15);
    EXPECT_EQ(store.AprRecord[2][0], 0);
    EXPECT_EQ(store.BushuName[0], ""); // radical file never read
}

TEST_F(LoadYomiDataTest, eachAppearanceFieldHasItsErrorWordAndKeepsTheFieldsBefore)
{
    const std::vector<std::string> words = {"頁欄にエラー04", "エラー発生05", "エラー発生06", "エラー発生07", "エラー発生08",
                                            "エラー発生09",   "エラー発生10", "エラー発生11", "エラー発生12", "エラー発生13"};
    for (int bad = 1; bad <= 10; ++bad) {
        SCOPED_TRACE(bad);
        storePtr = std::make_unique<data::KanjiStore>();
        data::KanjiStore& fresh = *storePtr;
        recorder.events.clear();
        writeSmallSet();
        std::string record = "0,,,,";
        for (int i = 0; i < 12; ++i)
            record += (i == bad ? std::string("?") : std::to_string(11 + i)) + ",";
        write("apr_jho.csv", record + "\n");
        EXPECT_EQ(data::LoadYomiData(fresh, dir.path()), -1);
        EXPECT_EQ(shown(), std::vector{Box::box(words[bad - 1], "ご報告")});
        for (int i = 0; i < bad; ++i)
            EXPECT_EQ(fresh.AprRecord[0][i], 11 + i);
        EXPECT_EQ(fresh.AprRecord[0][bad], 0);
    }
}

TEST_F(LoadYomiDataTest, sixthPageThatDoesNotConvertIsStoredAsMinusOneSilently)
{
    writeSmallSet();
    write("apr_jho.csv", "0,,,,11,1,0,0,0,0,0,0,0,0,60,\n1,,,,11,1,0,0,0,0,0,0,0,0,60,p,\n");
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.AprRecord[0][10], 60);
    EXPECT_EQ(store.AprRecord[0][11], -1);
    EXPECT_EQ(store.AprRecord[1][11], -1);
}

TEST_F(LoadYomiDataTest, headerLinesAnywhereReplaceAllSixLabels)
{
    writeSmallSet();
    write("apr_jho.csv", "0,,,,11,1,0,0,0,0,0,0,0,0,0,0,\n"
                         "#a,b,c,d,出版社ＡＢＣ,e,B,f,C,g,D,h,E,i,F,j,\n"
                         "1,,,,11,1,0,0,0,0,0,0,0,0,0,0,\n"
                         "#a,b,c,d,P,e,Q,f,R,\n");
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.ColumnLabel[0], "P");
    EXPECT_EQ(store.ColumnLabel[2], "R");
    EXPECT_EQ(store.ColumnLabel[3], "");
    EXPECT_EQ(store.ColumnLabel[5], "");
    EXPECT_EQ(store.AprRecord[1][0], 11); // header lines take no record index
}

TEST_F(LoadYomiDataTest, noteLineKeepsTextUpToItsFirstCommaAndTheLastOneWins)
{
    writeSmallSet();
    write("apr_jho.csv", "$一つ目,x,\n$二つ目,y,\n");
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.AprNote, sj("二つ目"));
    write("apr_jho.csv", "$一つ目,\n$\n");
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.AprNote, "");
}

TEST_F(LoadYomiDataTest, radicalFileTakesEveryNonCommentLineUpTo200)
{
    writeSmallSet();
    std::string radicals = "#heading\n0,一,いち,\n\n$,ドル,どる,\n";
    for (int r = 3; r < 300; ++r)
        radicals += std::to_string(r) + ",r" + std::to_string(r) + ",y,\n";
    write("bushu_ban.csv", radicals);
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.BushuName[0], sj("一"));
    EXPECT_EQ(store.BushuName[1], ""); // the empty line is a radical and shifts the rest
    EXPECT_EQ(store.BushuName[2], sj("ドル"));
    EXPECT_EQ(store.BushuName[199], "r199");
}

TEST_F(LoadYomiDataTest, kanjiNumbersWithoutASlotStoreNothingByNumberButKeepReadingsAligned)
{
    writeSmallSet();
    write("knj_yomi.csv", "0,零,1,1,レイ,\n1027,外,1,2,ガイ,\n2147483647,大,1,3,ダイ,\n1,愛,1,4,アイ,\n");
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.KanjiText[0], "");
    EXPECT_EQ(store.YomiCount[0], 0);
    EXPECT_EQ(store.YomiText[1], sj("ガイ"));
    EXPECT_EQ(store.YomiText[3], sj("アイ"));
    EXPECT_EQ(store.KanjiText[1], sj("愛"));
}

TEST_F(LoadYomiDataTest, readingsBeyondTheTableAreDroppedAndHugeCountsEndQuickly)
{
    writeSmallSet();
    std::string yomi;
    for (int n = 1; n <= 1000; ++n)
        yomi += std::to_string(n) + ",k,3,0,a,b,c,\n";
    yomi += "1001,k,2000000000,0,d,e,\n1002,k,1,0,f,\n";
    write("knj_yomi.csv", yomi);
    std::string apr;
    for (int k = 0; k < 2600; ++k)
        apr += std::to_string(k) + ",,,,11," + std::to_string(k) + ",0,0,0,0,0,0,0,0,0,0,\n";
    apr += "\n"; // would be an error, but no reading owns a record past the table
    write("apr_jho.csv", apr);
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.YomiText[2448], "a");
    EXPECT_EQ(store.YomiText[2449], "b");
    EXPECT_EQ(store.YomiCount[1001], 2000000000);
    EXPECT_EQ(store.KanjiText[1002], "k");
    EXPECT_EQ(store.AprRecord[2449][1], 2449);
}

TEST_F(LoadYomiDataTest, hostileBytesNeverCrashTheReader)
{
    writeSmallSet();
    test::writeBytes(dir / "knj_yomi.csv", std::string("1,\x80\xFF\x81,1,1,\x00\xFD,\n2,\x88,1,2,\xA5,\n", 25));
    test::writeBytes(dir / "bushu_ban.csv", std::string(",,,,,,,,,,,,,,,,,,,,,,,,,,,,\n") + std::string(5'000'000, ','));
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.KanjiText[1], "\x80\xFF\x81");
    EXPECT_EQ(store.YomiText[0], ""); // the NUL byte ended the line
    EXPECT_EQ(store.KanjiText[2], "\x88");
    EXPECT_EQ(store.YomiText[1], "\xA5");
    EXPECT_EQ(store.BushuName[199], "");

    test::writeBytes(dir / "knj_yomi.csv", std::string(10'000'000, 'z'));
    recorder.events.clear();
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), std::vector{Box::box("エラー発生00", "ご報告")});
}

TEST_F(LoadYomiDataTest, anEndOfFileMarkAfterTheLastRecordIsNoRecord)
{
    writeSmallSet();
    // Old Windows tools end a file with Ctrl+Z; as a record it would stop the loading with エラー発生00.
    for (const char* name : {"knj_yomi.csv", "apr_jho.csv", "bushu_ban.csv"}) {
        std::ifstream in(dir / name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        test::writeBytes(dir / name, bytes + "\x1A");
    }
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.BushuName[2], ""); // no radical made of the mark
}
