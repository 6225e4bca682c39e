#include "kdata-check/Japanese.h"
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

    // Every problem any test finds must read in Japanese too: a message the catalogue does not know
    // would reach a Japanese desktop in English.
    std::vector<kdatacheck::Problem> check() const
    {
        auto problems = kdatacheck::checkDataFolder(work.path());
        for (const auto& p : problems)
            EXPECT_NE(kdatacheck::inJapanese(p.message), p.message) << "no Japanese for: " << p.message;
        return problems;
    }

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

namespace {

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The byte offsets of the starts of the lines of `bytes`.
std::vector<std::size_t> lineStarts(const std::string& bytes)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == '\n')
            starts.push_back(i + 1);
    return starts;
}

// A fault planted into one line of a file: what the line becomes, the line it lands on, and the
// words its report must hold.
struct Plant {
    const char* name;
    const char* words;
};

} // namespace

TEST_F(KdataCheckTest, everyLineRuleOfTheReadersIsCheckedInEveryFile)
{
    const std::vector<std::string> files = {"knj_yomi.csv",  "apr_jho.csv",    "bushu_ban.csv",   "knj_atrbt.csv",
                                            "knj_goku.csv",  "Kaksu_srch.csv", "HaiNen_srch.csv", "Bs_srch.csv",
                                            "Yomi_srch.csv", "juk_jho.csv",    "juk_goku.csv"};
    const std::vector<Plant> plants = {{"long data line", "longer than the"},
                                       {"long # line", "longer than the"},
                                       {"long $ line", "longer than the"},
                                       {"NUL byte", "NUL byte"},
                                       {"lone CR", "carriage return without a line feed"},
                                       {"short record", "fewer than the"}};
    for (const std::string& file : files) {
        const fs::path path = work / "kdata" / file;
        const std::string clean = readBytes(path);
        const std::vector<std::size_t> starts = lineStarts(clean);
        const auto lineAt = [&](std::size_t i) {
            const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : clean.size();
            return clean.substr(starts[i], end - starts[i]);
        };
        std::size_t data = 0, label = starts.size();
        while (data < starts.size() && (clean[starts[data]] == '#' || clean[starts[data]] == '$'))
            label = clean[starts[data]] == '$' ? data : label, ++data;
        ASSERT_LT(data, starts.size()) << file;
        for (const Plant& plant : plants) {
            const std::string name = plant.name;
            std::size_t at = data;
            std::string line = lineAt(data);
            const std::size_t comma = line.find(',');
            if (name == "long data line") {
                line.insert(line.find_first_of("\r\n"), "," + std::string(400, 'z'));
            } else if (name == "long # line") {
                at = 0;
                line = "#" + std::string(400, 'z') + "\r\n";
            } else if (name == "long $ line") {
                if (label == starts.size())
                    continue; // no label line in this file
                at = label;
                line = "$" + std::string(400, 'z') + ",\r\n";
            } else if (name == "NUL byte") {
                line.insert(comma + 1, 1, '\0');
            } else if (name == "lone CR") {
                line.insert(comma + 1, 1, '\r');
            } else {
                if (file == "Yomi_srch.csv")
                    continue; // a row of any length: a heading alone is read as meant
                line = line.substr(0, comma + 1) + "\r\n";
            }
            std::string planted = clean;
            const std::size_t end = at + 1 < starts.size() ? starts[at + 1] : clean.size();
            planted.replace(starts[at], end - starts[at], line);
            test::writeBytes(path, planted);
            const auto problems = check();
            EXPECT_TRUE(kdatacheck::hasFault(problems)) << file << ": " << name;
            // Where a missing field stops the program, its own report names that field.
            const bool stops = name == "short record" && (file == "knj_yomi.csv" || file == "Kaksu_srch.csv" || file == "HaiNen_srch.csv");
            const bool noHeading = name == "short record" && file == "Bs_srch.csv";
            const std::string words = stops       ? "is missing or empty: the program stops"
                                      : noHeading ? "row has no heading part"
                                                  : plant.words;
            EXPECT_TRUE(reports(file, static_cast<int>(at) + 1, words)) << file << ": " << name;
        }
        test::writeBytes(path, clean);
    }
}

TEST_F(KdataCheckTest, recordsThatShiftAgainstAnotherFileAreReportedWhereTheFilesPart)
{
    // A record dropped from the middle: every later one shows the next kanji's or reading's values.
    struct Drop {
        const char* file;
        const char* prefix; // the record dropped: the first line that starts so
        const char* words;
    };
    for (const Drop& drop : {Drop{"apr_jho.csv", "500,", "the files part here"}, Drop{"knj_goku.csv", "500,", "the files part here"},
                             Drop{"knj_atrbt.csv", "500,", "the files part here"}, Drop{"juk_goku.csv", "5,", "the files part here"}}) {
        copyKdataAgain();
        const int at = lineStarting(drop.file, drop.prefix);
        ASSERT_GT(at, 0) << drop.file;
        auto all = lines(drop.file);
        all.erase(all.begin() + at - 1);
        setLines(drop.file, all);
        EXPECT_TRUE(kdatacheck::hasFault(check())) << drop.file;
        EXPECT_TRUE(reports(drop.file, at, drop.words)) << drop.file;
    }

    // A kanji with one reading more in the reading file than in the appearance and example files:
    // from that kanji's next record on, the records name the readings of the kanji before.
    copyKdataAgain();
    const int second = lineStarting("knj_yomi.csv", "2,");
    auto readings = lines("knj_yomi.csv");
    std::string& line = readings[static_cast<std::size_t>(second - 1)];
    const std::size_t countStart = line.find(',', line.find(',') + 1) + 1;
    const std::size_t countEnd = line.find(',', countStart);
    const int count = std::stoi(line.substr(countStart, countEnd - countStart));
    line.replace(countStart, countEnd - countStart, std::to_string(count + 1));
    line += "ソ,";
    setLines("knj_yomi.csv", readings);
    const int firstOfKanji3 = lineStarting("apr_jho.csv", "0,") + 2 + count; // kanji 1 has two readings
    EXPECT_TRUE(reports("apr_jho.csv", firstOfKanji3, "the files part here"));
    EXPECT_TRUE(reports("knj_goku.csv", lineStarting("knj_goku.csv", "0,") + 2 + count, "the files part here"));

    // One attribute record too many fills the spare slot no window shows: worth a warning only.
    copyKdataAgain();
    auto attributes = lines("knj_atrbt.csv");
    attributes.push_back(attributes.back());
    setLines("knj_atrbt.csv", attributes);
    EXPECT_TRUE(reports("knj_atrbt.csv", 0, "1027 attribute records for 1026 kanji"));
    EXPECT_FALSE(kdatacheck::hasFault(check()));
}

TEST(ToolCommandLinesTest, helpAndVersionAnswerAndUnknownOptionsAreRefusedWithoutTouchingAFolder)
{
    const test::TempDir here;
    for (const std::string tool : {MKDATA_BIN, KDATA_CHECK_BIN}) {
        const std::string in = "cd " + here.path().string() + " && " + tool;
        const std::string out = (here / "out.txt").string();
        EXPECT_EQ(test::run(in + " --help >" + out), 0) << tool;
        std::ifstream help(out);
        std::string first;
        std::getline(help, first);
        EXPECT_EQ(first.rfind("usage: ", 0), 0U) << first;
        EXPECT_EQ(test::run(in + " --version >" + out), 0);
        std::ifstream version(out);
        std::getline(version, first);
        EXPECT_NE(first.find("(Sorban) "), std::string::npos) << first;
        EXPECT_EQ(test::run(in + " --bogus 2>" + out), 2);
        EXPECT_EQ(test::run(in + " -x somewhere 2>/dev/null"), 2);
        EXPECT_EQ(test::run(in + " 2>/dev/null"), 2) << "no operand";
        EXPECT_EQ(test::run(in + " a b 2>/dev/null"), 2) << "two operands";
        for (const char* made : {"--help", "--bogus", "somewhere"})
            EXPECT_FALSE(fs::exists(here / made)) << tool << " made " << made;
    }
}

TEST(KdataCheckJapaneseTest, aJapaneseLocaleGetsItsMessagesAndSummaryInJapanese)
{
    EXPECT_EQ(kdatacheck::inJapanese("grade 9 is not 1 to 6 (shown as ☆☆)"), "配当学年 9 は 1～6 ではありません（☆☆と表示されます）");
    EXPECT_EQ(kdatacheck::inJapanese("column 3 page \"x\" is not a number: the program stops with an error box (エラー14)"),
              "欄 3 のページ「x」が数ではありません。プログラムはエラーの画面（エラー14）を出して止まります");
    EXPECT_EQ(kdatacheck::inJapanese("something no rule knows"), "something no rule knows");
    EXPECT_EQ(kdatacheck::summary(3, 1, true), "問題 3 件（うち注意 1 件）。");
    EXPECT_EQ(kdatacheck::summary(0, 0, false), "no problems.");
    kdatacheck::Problem warning{"kdata/knj_atrbt.csv", 5, 0, "Ctrl+Z (0x1A) byte at the end of the file: the program stops reading there",
                                true};
    EXPECT_EQ(warning.format(true),
              "kdata/knj_atrbt.csv:5:0: 注意: ファイルの終わりに Ctrl+Z（0x1A）のバイトがあります。プログラムはそこで読むのをやめます");
    EXPECT_EQ(warning.format(), "kdata/knj_atrbt.csv:5:0: warning: " + warning.message);

    const test::TempDir dir;
    std::filesystem::create_directories(dir / "kdata");
    const std::string out = (dir / "out.txt").string();
    const std::string command = std::string(KDATA_CHECK_BIN) + " " + dir.path().string() + " >" + out + " 2>&1";
    EXPECT_EQ(test::run("LANG=ja_JP.UTF-8 LC_ALL= LC_MESSAGES= " + command), 1);
    std::ifstream japanese(out);
    const std::string said((std::istreambuf_iterator<char>(japanese)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("kdata/knj_yomi.csv:0:0: ファイルがありません"), std::string::npos) << said;
    EXPECT_NE(said.find("問題 "), std::string::npos) << said;
    EXPECT_EQ(test::run("LANG=C LC_ALL= LC_MESSAGES= " + command), 1);
    std::ifstream english(out);
    const std::string plain((std::istreambuf_iterator<char>(english)), std::istreambuf_iterator<char>());
    EXPECT_NE(plain.find("the file is missing"), std::string::npos) << plain;
    EXPECT_NE(plain.find(" problems ("), std::string::npos) << plain;
}
