#include "data/DataTestSupport.h"
#include "data/MainDataFiles.h"

using namespace sorban;

namespace {

class LoadAtrbtDataTest : public test::DataFileTest {
protected:
    int load() { return data::LoadAtrbtData(store, dir.path()); }
};

} // namespace

TEST_F(LoadAtrbtDataTest, recordsFillKanjiInOrderSkippingCommentAndNoteLines)
{
    write("knj_atrbt.csv", "#学年,画数\n1,愛,4,13,61,4,x,y,1,extra,\n$note\n2,悪,3,11,61,4,,,0,\n");
    EXPECT_EQ(load(), -1); // its result when the file was read
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.HaitouNen[0], 4);
    EXPECT_EQ(store.KakuSuu[0], 13);
    EXPECT_EQ(store.BushuNo[0], 61);
    EXPECT_EQ(store.NaritachiType[0], 4);
    EXPECT_EQ(store.HitujunFlag[0], 1);
    EXPECT_EQ(store.HaitouNen[1], 3);
    EXPECT_EQ(store.HitujunFlag[1], 0);
}

TEST_F(LoadAtrbtDataTest, missingFileReturnsMinus99AndLeavesZeros)
{
    EXPECT_EQ(load(), -99);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "knj_atrbt.csvのファイルがありません。")});
    EXPECT_EQ(store.HaitouNen[0], 0);
}

TEST_F(LoadAtrbtDataTest, fieldErrorsStopAtOnceKeepingWhatCameBefore)
{
    struct Case {
        const char* record;
        const char* word;
        int grade, strokes, radical, type;
    };
    for (const Case c : {Case{"\n", "エラー14", 0, 0, 0, 0}, Case{"2,悪,3,-1,61,4,,,0,\n", "エラー15", 3, 0, 0, 0},
                         Case{"2,悪,3,11,r,4,,,0,\n", "エラー16", 3, 11, 0, 0}, Case{"2,悪,3,11,61,,,,0,\n", "エラー17", 3, 11, 61, 0},
                         Case{"2,悪,3,11,61,4,,,yes,\n", "エラー17", 3, 11, 61, 4}}) {
        SCOPED_TRACE(c.record);
        storePtr = std::make_unique<data::KanjiStore>();
        data::KanjiStore& fresh = *storePtr;
        recorder.events.clear();
        write("knj_atrbt.csv", std::string("1,愛,4,13,61,4,,,1,\n") + c.record + "3,以,4,5,9,4,,,1,\n");
        EXPECT_EQ(data::LoadAtrbtData(fresh, dir.path()), -1);
        EXPECT_EQ(shown(), std::vector{Box::box(c.word, "ご報告")});
        EXPECT_EQ(fresh.KakuSuu[0], 13);
        EXPECT_EQ(fresh.HaitouNen[1], c.grade);
        EXPECT_EQ(fresh.KakuSuu[1], c.strokes);
        EXPECT_EQ(fresh.BushuNo[1], c.radical);
        EXPECT_EQ(fresh.NaritachiType[1], c.type);
        EXPECT_EQ(fresh.HitujunFlag[1], 0);
        EXPECT_EQ(fresh.HaitouNen[2], 0); // later kanji keep their zeros
    }
}

TEST_F(LoadAtrbtDataTest, readingStopsAfterTheSpareSlot)
{
    std::string atrbt;
    for (int k = 0; k < 1030; ++k)
        atrbt += std::to_string(k + 1) + ",k," + std::to_string(1 + k % 6) + "," + std::to_string(k) + ",0,0,,,0,\n";
    atrbt += "\n"; // an error, had it been read
    write("knj_atrbt.csv", atrbt);
    EXPECT_EQ(load(), -1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.KakuSuu[1025], 1025);
    EXPECT_EQ(store.KakuSuu[1026], 1026);
}

TEST_F(LoadAtrbtDataTest, radicalNumbersAreKeptAsWrittenEvenOutsideTheRadicalTable)
{
    write("knj_atrbt.csv", "1,k,1,1,200,0,,,0,\n2,k,1,1,-7,0,,,0,\n");
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(store.BushuNo[0], 200);
    EXPECT_EQ(store.BushuNo[1], -7);
    EXPECT_FALSE(data::KanjiStore::isRadicalNumber(store.BushuNo[0]));
    EXPECT_FALSE(data::KanjiStore::isRadicalNumber(store.BushuNo[1]));
}
