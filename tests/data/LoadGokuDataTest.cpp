#include "data/DataTestSupport.h"
#include "data/MainDataFiles.h"

using namespace sorban;

namespace {

class LoadGokuDataTest : public test::DataFileTest {
protected:
    int load() { return data::LoadGokuData(store, dir.path()); }
};

} // namespace

TEST_F(LoadGokuDataTest, recordsGiveSixExamplesPerReadingAndDollarLinesTheNote)
{
    write("knj_goku.csv", "#用例\n$見本データ,x,\n0,愛,アイ,愛情,・愛用,*愛,…愛,#愛,,ignored,\n"
                          "1,悪,アク,a,b,c,d,\n\n3,x,y,p,q,r,s,t,u,\n");
    EXPECT_EQ(load(), 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(store.GokuNote, sj("見本データ"));
    EXPECT_EQ(store.GokuText[0][0], sj("愛情"));
    EXPECT_EQ(store.GokuText[0][3], sj("…愛"));
    EXPECT_EQ(store.GokuText[0][5], "");
    EXPECT_EQ(store.GokuText[1][3], "d");
    EXPECT_EQ(store.GokuText[1][4], ""); // a record of seven fields leaves columns 5 and 6 empty
    EXPECT_EQ(store.GokuText[2][0], ""); // the empty line is a record of its own
    EXPECT_EQ(store.GokuText[3][5], "u");
}

TEST_F(LoadGokuDataTest, missingFileReturnsMinusOneWithItsBox)
{
    EXPECT_EQ(load(), -1);
    EXPECT_EQ(shown(), std::vector{Box::box("ご注意！", "knj_goku.csv のファイルがありません。")});
}

TEST_F(LoadGokuDataTest, recordsPastTheReadingTableAreIgnored)
{
    std::string goku;
    for (int k = 0; k < 3000; ++k)
        goku += std::to_string(k) + ",,,e" + std::to_string(k) + ",\n";
    goku += "$last note,\n";
    write("knj_goku.csv", goku);
    EXPECT_EQ(load(), 1);
    EXPECT_EQ(store.GokuText[2449][0], "e2449");
    EXPECT_EQ(store.GokuNote, "last note");
}
