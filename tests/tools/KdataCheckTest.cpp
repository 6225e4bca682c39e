#include "kdata-check/KdataChecker.h"
#include "tools/SampleDataFixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

using namespace sorban;
namespace fs = std::filesystem;

namespace {

class KdataCheckTest : public test::SampleDataTest {
protected:
    void SetUp() override { copyKdata(); }

    void copyKdataAgain()
    {
        fs::remove_all(work / "kdata");
        copyKdata();
    }

    std::vector<kdatacheck::Problem> check() const { return kdatacheck::checkDataFolder(work.path()); }

    // Whether some problem of `file` on `line` says `words`.
    ::testing::AssertionResult reports(const std::string& file, int line, const std::string& words) const
    {
        const auto problems = check();
        for (const auto& p : problems)
            if (p.file == "kdata/" + file && p.line == line && p.message.find(words) != std::string::npos)
                return ::testing::AssertionSuccess();
        auto failure = ::testing::AssertionFailure() << "no \"" << words << "\" at " << file << ":" << line << "; found:";
        for (const auto& p : problems)
            failure << "\n  " << p.format();
        return failure;
    }

    // Replaces field `field` (1-based) of line `line` (1-based) of `file`.
    void setField(const std::string& file, int line, int field, const std::string& value)
    {
        auto all = lines(file);
        std::string& l = all.at(static_cast<std::size_t>(line - 1));
        std::size_t start = 0;
        for (int f = 1; f < field; ++f)
            start = l.find(',', start) + 1;
        l.replace(start, l.find(',', start) - start, value);
        setLines(file, all);
    }

    // The line number of the first line of `file` that starts with `prefix`.
    int lineStarting(const std::string& file, const std::string& prefix) const
    {
        const auto all = lines(file);
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].rfind(prefix, 0) == 0)
                return static_cast<int>(i) + 1;
        return 0;
    }
};

} // namespace

TEST_F(KdataCheckTest, generatedSetIsClean)
{
    EXPECT_TRUE(check().empty());
}

TEST_F(KdataCheckTest, readingFileProblemsAreFound)
{
    const int second = lineStarting("knj_yomi.csv", "2,");
    setField("knj_yomi.csv", second, 4, "999");
    EXPECT_TRUE(reports("knj_yomi.csv", second, "running total 999 disagrees"));

    copyKdataAgain();
    auto all = lines("knj_yomi.csv");
    std::swap(all[static_cast<std::size_t>(second - 1)], all[static_cast<std::size_t>(second)]);
    setLines("knj_yomi.csv", all);
    EXPECT_TRUE(reports("knj_yomi.csv", second, "out of kanji order: kanji 3 follows kanji 1"));

    copyKdataAgain();
    setField("knj_yomi.csv", second, 1, "1");
    EXPECT_TRUE(reports("knj_yomi.csv", second, "kanji number 1 stands already on line"));
    setField("knj_yomi.csv", second, 1, "1027");
    EXPECT_TRUE(reports("knj_yomi.csv", second, "outside 1 to 1026"));
    setField("knj_yomi.csv", second, 2, "悪い");
    EXPECT_TRUE(reports("knj_yomi.csv", second, "not one double-byte character"));
}

TEST_F(KdataCheckTest, appearanceProblemsAreFound)
{
    auto all = lines("apr_jho.csv");
    all.pop_back();
    setLines("apr_jho.csv", all);
    EXPECT_TRUE(reports("apr_jho.csv", 0, "appearance records for"));

    copyKdataAgain();
    setField("apr_jho.csv", 3, 7, "13");
    EXPECT_TRUE(reports("apr_jho.csv", 3, "invalid appearance code 13"));
    setField("apr_jho.csv", 4, 16, "-1");
    EXPECT_TRUE(reports("apr_jho.csv", 4, "page of -1"));
    setField("apr_jho.csv", 5, 6, "x");
    EXPECT_TRUE(reports("apr_jho.csv", 5, "column 1 page \"x\" is not a number: the program stops"));
}

TEST_F(KdataCheckTest, attributeAndPictureProblemsAreFound)
{
    const int first = lineStarting("knj_atrbt.csv", "1,");
    setField("knj_atrbt.csv", first, 5, "999");
    EXPECT_TRUE(reports("knj_atrbt.csv", first, "radical number 999 has no radical"));
    setField("knj_atrbt.csv", first, 3, "7");
    EXPECT_TRUE(reports("knj_atrbt.csv", first, "grade 7 is not 1 to 6"));

    // Every picture but that of kanji 1 (愛).
    fs::create_directories(work / "hitudata");
    for (const auto& entry : fs::directory_iterator(generated() / "hitudata"))
        if (entry.path().filename() != "h1愛.jpg")
            test::writeBytes(work / "hitudata" / entry.path().filename(), "");
    EXPECT_TRUE(reports("knj_atrbt.csv", first, "picture hitudata/h1愛.jpg is missing"));
}

TEST_F(KdataCheckTest, searchTableProblemsAreFound)
{
    const int first = 2; // after the comment line
    setField("Kaksu_srch.csv", first, 2, "猫");
    EXPECT_TRUE(reports("Kaksu_srch.csv", first, "kanji \"猫\" is not in the master list"));
    setField("Kaksu_srch.csv", first, 3, "3");
    EXPECT_TRUE(reports("Kaksu_srch.csv", first + 1, "out of order: stroke count 2 after 3"));

    auto rows = lines("Bs_srch.csv");
    rows[1] += "・木≫"; // a group of eight more kanji: still a line the program reads whole
    for (int i = 0; i < 8; ++i)
        rows[1] += "木";
    setLines("Bs_srch.csv", rows);
    EXPECT_TRUE(reports("Bs_srch.csv", 2, "columns wide; the grid shows 48"));

    auto yomi = lines("Yomi_srch.csv");
    yomi[1] += ",猫";
    setLines("Yomi_srch.csv", yomi);
    EXPECT_TRUE(reports("Yomi_srch.csv", 2, "\"猫\" is not in the master list"));
}

TEST_F(KdataCheckTest, lineLengthAndByteProblemsAreFound)
{
    auto all = lines("Kaksu_srch.csv");
    all[1] += "," + std::string(120, 'z') + ",";
    setLines("Kaksu_srch.csv", all);
    EXPECT_TRUE(reports("Kaksu_srch.csv", 2, "longer than the 99 the program reads at once"));

    std::string bytes = "1,\x88\xA4,1,1,\xFF\xFE,\r\n";
    test::writeBytes(work / "kdata" / "knj_yomi.csv", bytes);
    EXPECT_TRUE(reports("knj_yomi.csv", 1, "not valid Shift-JIS at byte 10"));
}

TEST_F(KdataCheckTest, commandReportsInItsFormatAndExitsByOutcome)
{
    const std::string command = std::string(KDATA_CHECK_BIN) + " " + work.path().string();
    EXPECT_EQ(test::run(command + " >/dev/null"), 0);
    setField("apr_jho.csv", 3, 7, "63");
    const std::string out = (work / "out.txt").string();
    EXPECT_EQ(test::run(command + " >" + out), 1);
    std::ifstream printed(out);
    std::string first;
    std::getline(printed, first);
    EXPECT_EQ(first, "kdata/apr_jho.csv:3:7: invalid appearance code 63 in column 2 (shown as －－－; 0 marks no appearance)");
    fs::remove_all(work / "kdata");
    EXPECT_EQ(test::run(command + " 2>/dev/null"), 2);
}

TEST_F(KdataCheckTest, aCtrlZAtTheEndIsAWarningAndBeforeDataAFault)
{
    const std::string command = std::string(KDATA_CHECK_BIN) + " " + work.path().string();
    std::ifstream in(work / "kdata" / "knj_atrbt.csv", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    test::writeBytes(work / "kdata" / "knj_atrbt.csv", bytes + "\x1A");
    const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    EXPECT_TRUE(reports("knj_atrbt.csv", lines, "Ctrl+Z (0x1A) byte at the end"));
    EXPECT_FALSE(kdatacheck::hasFault(check()));
    EXPECT_EQ(test::run(command + " >/dev/null"), 0);

    test::writeBytes(work / "kdata" / "knj_atrbt.csv", bytes.substr(0, 40) + "\x1A" + bytes.substr(40));
    EXPECT_TRUE(reports("knj_atrbt.csv", 1, "stops reading the file here, before what follows"));
    EXPECT_EQ(test::run(command + " >/dev/null"), 1);
}
