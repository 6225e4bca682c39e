#include "data/DataTestSupport.h"
#include "data/MainDataFiles.h"
#include "settings/Selection.h"
#include "support/FullSizeData.h"

using namespace sorban;
using sorban::test::DataFileTest;

using KanjiStoreTest = DataFileTest;

TEST_F(KanjiStoreTest, startsWithDefaultLabelsAndEmptyTables)
{
    EXPECT_EQ(store.ColumnLabel[0], sj("光村"));
    EXPECT_EQ(store.ColumnLabel[4], sj("三省"));
    EXPECT_EQ(store.ColumnLabel[5], sj("････"));
    EXPECT_EQ(settings::Selection().KanNum, 0); // no kanji is chosen before the settings are read
    EXPECT_EQ(store.YomiText[2449], "");
    EXPECT_EQ(store.AprRecord[2449][11], 0);
}

TEST_F(KanjiStoreTest, firstYomiOfKanjiOneIsZeroWhateverSlotZeroHolds)
{
    store.YomiTotal[0] = 55;
    store.YomiTotal[1] = 3;
    store.YomiTotal[7] = 20;
    EXPECT_EQ(store.FirstYomi(1), 0);
    EXPECT_EQ(store.FirstYomi(2), 3);
    EXPECT_EQ(store.FirstYomi(8), 20);
    EXPECT_EQ(store.FirstYomi(0), -1);
    EXPECT_EQ(store.FirstYomi(1027), -1);
}

TEST_F(KanjiStoreTest, findKanjiAnswersTheSmallestEqualSlotOrNothing)
{
    store.KanjiText[5] = sj("愛");
    store.KanjiText[9] = sj("愛");
    store.KanjiText[1026] = sj("話");
    EXPECT_EQ(store.FindKanji(sj("愛")), 5);
    EXPECT_EQ(store.FindKanji(sj("話")), 1026);
    EXPECT_EQ(store.FindKanji(sj("猫")), std::nullopt);
    EXPECT_EQ(store.FindKanji(sj("愛").substr(0, 1)), std::nullopt);
}

TEST_F(KanjiStoreTest, fullSizeRoundTripFindsEveryKanjiAndItsReadings)
{
    const auto written = test::FullSizeData::write(dir.path());
    EXPECT_EQ(data::LoadYomiData(store, dir.path()), 1);
    EXPECT_EQ(data::LoadAtrbtData(store, dir.path()), -1);
    EXPECT_EQ(data::LoadGokuData(store, dir.path()), 1);
    EXPECT_TRUE(shown().empty());

    ASSERT_EQ(written.readings.size(), 2450u);
    int expectedFirst = 0;
    for (int n = 1; n <= data::MaxKanji; ++n) {
        ASSERT_EQ(store.FindKanji(written.kanji[n - 1]), n);
        ASSERT_EQ(store.FirstYomi(n), expectedFirst) << "kanji " << n;
        ASSERT_EQ(store.YomiCount[n], written.readingCount[n - 1]);
        for (int r = 0; r < store.YomiCount[n]; ++r)
            ASSERT_EQ(store.YomiText[expectedFirst + r], written.readings[expectedFirst + r]);
        expectedFirst += written.readingCount[n - 1];
    }
    EXPECT_EQ(store.YomiTotal[data::MaxKanji], 2450);
    EXPECT_EQ(store.GokuText[2449][5], sj("例") + "2449-5");
    EXPECT_EQ(store.BushuName[199], sj("部首") + "199");
    EXPECT_EQ(store.HitujunFlag[1026], 0); // the spare attribute slot is filled too
    EXPECT_EQ(store.KakuSuu[1026], 1 + 1026 % 20);
}
