#include "platform/core/IniFile.h"
#include "platform/core/TextCodec.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

using namespace sorban;
using sorban::test::sjis;
using Box = sorban::platform::RecordingDialogs;

namespace {

std::vector<std::string> lines(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { selection.ExeDir = dir.path().string() + "/"; }

    void writeIni(std::string_view utf8) { test::writeSjis(dir / "sorban.ini", utf8); }
    std::string memoText() const
    {
        std::string all;
        for (const auto& entry : settings.Memo)
            all += platform::sjisToUtf8(entry);
        return all;
    }

    test::TempDir dir;
    settings::Selection selection;
    settings::Settings settings;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

} // namespace

TEST_F(SettingsTest, withoutAFileEveryKeyHasItsDefault)
{
    selection.KanNum = 55;
    settings.IniRead(selection);
    for (const int v : {settings.LEFT, settings.TOP, settings.NENLEFT, settings.NENTOP, settings.BSULEFT, settings.BSUTOP, settings.KKSLEFT,
                        settings.KKSTOP, settings.YMILEFT, settings.YMITOP})
        EXPECT_EQ(v, 100);
    EXPECT_EQ(settings.KanjiFont, sjis("ＭＳ 明朝"));
    EXPECT_EQ(selection.KanNum, 1);
    EXPECT_EQ(selection.ReturnMode, 0);
    EXPECT_EQ(memoText(), "愛上尾夏期句毛個医右");
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(SettingsTest, valuesAreTakenAsTheyStandExceptAKanjiNumberWithNoKanji)
{
    writeIni("[FORM]\nLEFT=-500\nTOP=0x20\nKKSLEFT=abc\nKANJI=IPAGothic\n[DATA]\nKANNUM=0x10\nTGLREN=2\n");
    settings.IniRead(selection);
    EXPECT_EQ(settings.LEFT, -500);
    EXPECT_EQ(settings.TOP, 32);
    EXPECT_EQ(settings.KKSLEFT, 100);
    EXPECT_EQ(settings.KanjiFont, "IPAGothic");
    EXPECT_EQ(selection.KanNum, 16);
    EXPECT_EQ(selection.ReturnMode, 2);

    for (const char* bad : {"abc", "0", "1027", "-3"}) {
        writeIni(std::string("[DATA]\nKANNUM=") + bad + "\n");
        selection.KanNum = 99;
        settings.IniRead(selection);
        EXPECT_EQ(selection.KanNum, 1) << bad;
    }
}

TEST_F(SettingsTest, memoListTakesTwoBytesAKanjiOverTheEntriesItHas)
{
    writeIni("[DATA]\nKANJILIST=海山川空森\n");
    settings.IniRead(selection);
    EXPECT_EQ(memoText(), "海山川空森医医医医右"); // the rest keep the entries they had

    test::writeBytes(dir / "sorban.ini", "[DATA]\r\nKANJILIST=" + sjis("雨") + "x\r\n"); // odd length
    settings.IniRead(selection);
    EXPECT_EQ(memoText(), "雨山川空森医医医医右");

    writeIni("[DATA]\nKANJILIST=\n");
    settings.IniRead(selection);
    EXPECT_EQ(memoText(), "雨山川空森医医医医右");

    writeIni("[DATA]\nKANJILIST=一二三四五六七八九十百千\n"); // more than ten: the first ten
    settings.IniRead(selection);
    EXPECT_EQ(memoText(), "一二三四五六七八九十");
}

TEST_F(SettingsTest, writeStoresAllFourteenKeysInOrderAndKeepsOtherLines)
{
    writeIni("; kept\n[DATA]\nMINE=1\n");
    settings.IniRead(selection);
    settings.KKSLEFT = 321;
    selection.KanNum = 777;
    selection.ReturnMode = 1;
    ASSERT_TRUE(settings.IniWrite(selection, 40, -20));
    const auto written = lines(dir / "sorban.ini");
    const std::vector<std::string> expected = {
        "; kept",     "[DATA]",      "MINE=1",     "KANNUM=777",  "TGLREN=1",   "KANJILIST=" + sjis("愛上尾夏期句毛個医右"),
        "[FORM]",     "LEFT=40",     "TOP=-20",    "NENLEFT=100", "NENTOP=100", "BSULEFT=100",
        "BSUTOP=100", "KKSLEFT=321", "KKSTOP=100", "YMILEFT=100", "YMITOP=100", "KANJI=" + sjis("ＭＳ 明朝"),
    };
    EXPECT_EQ(written, expected);
    EXPECT_EQ(platform::IniFile(dir / "sorban.ini").readString("DATA", "KANJILIST", "").size(), 20u);

    settings::Selection againSelection;
    againSelection.ExeDir = selection.ExeDir;
    settings::Settings reread;
    reread.IniRead(againSelection);
    EXPECT_EQ(againSelection.KanNum, 777);
    EXPECT_EQ(reread.KKSLEFT, 321);
    EXPECT_EQ(reread.TOP, -20);
}

TEST_F(SettingsTest, theLastPdfFolderIsKeptUnderAKeyOfItsOwnOnceAPdfWasSaved)
{
    writeIni("[DATA]\nKANNUM=5\n");
    settings.IniRead(selection);
    ASSERT_TRUE(settings.IniWrite(selection, 1, 2));
    EXPECT_TRUE(platform::IniFile(dir / "sorban.ini").readString("SHEETS", "PDFDIR", "none") == "none") << "not before a PDF is saved";

    settings.PdfFolder = "/home/先生/プリント"; // as the file system names it
    ASSERT_TRUE(settings.IniWrite(selection, 1, 2));
    settings::Settings reread;
    reread.IniRead(selection);
    EXPECT_EQ(reread.PdfFolder, "/home/先生/プリント");
    EXPECT_EQ(reread.KanjiFont, sjis("ＭＳ 明朝")) << "the other keys read as before";

    reread.PdfFolder = "/tmp/a\nKANNUM=9"; // a line end would make a key of its own: not written
    ASSERT_TRUE(reread.IniWrite(selection, 1, 2));
    EXPECT_EQ(platform::IniFile(dir / "sorban.ini").readString("SHEETS", "PDFDIR", ""), "/home/先生/プリント");
}

TEST_F(SettingsTest, aWindowOfOurOwnKeepsItsPlaceUnderItsNameAndANonsensePlaceIsIgnored)
{
    writeIni("[WINDOWS]\nLESSONS=10,20,0,300\n");
    settings.IniRead(selection);
    EXPECT_FALSE(settings.place("LESSONS").has_value()) << "no width: no place";
    settings.setPlace("LESSONS", {-5, 30, 800, 600});
    ASSERT_TRUE(settings.IniWrite(selection, 1, 2));
    EXPECT_EQ(platform::IniFile(dir / "sorban.ini").readString("WINDOWS", "LESSONS", ""), "-5,30,800,600");
    settings::Settings reread;
    reread.IniRead(selection);
    ASSERT_TRUE(reread.place("LESSONS").has_value());
    EXPECT_EQ(reread.place("LESSONS")->left, -5);
    EXPECT_EQ(reread.place("LESSONS")->height, 600);
    writeIni("[WINDOWS]\nLESSONS=1,2,3,4junk\n");
    reread.IniRead(selection);
    EXPECT_FALSE(reread.place("LESSONS").has_value());
}

TEST_F(SettingsTest, theTextChecksClassAndPlaceAreKeptOnceItWasUsed)
{
    writeIni("[DATA]\nKANNUM=5\n");
    settings.IniRead(selection);
    ASSERT_TRUE(settings.IniWrite(selection, 1, 2));
    EXPECT_EQ(platform::IniFile(dir / "sorban.ini").readString("TEXTCHECK", "COLUMN", "none"), "none") << "not before the check is used";
    settings.CheckColumn = 4;
    settings.CheckVolume = 52;
    settings.setPlace("TEXTCHECK", {40, 50, 900, 640});
    ASSERT_TRUE(settings.IniWrite(selection, 1, 2));
    settings::Settings reread;
    reread.IniRead(selection);
    EXPECT_EQ(reread.CheckColumn, 4);
    EXPECT_EQ(reread.CheckVolume, 52);
    ASSERT_TRUE(reread.place("TEXTCHECK").has_value());
    EXPECT_EQ(reread.place("TEXTCHECK")->width, 900);
}

TEST_F(SettingsTest, aFileThatCannotBeWrittenIsReportedByName)
{
    test::writeBytes(dir / "config", "a file where the settings folder would be");
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    selection.ExeDir = (dir / "gone").string() + "/";
    EXPECT_FALSE(settings.IniWrite(selection, 0, 0));
    unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_NE(recorder.events[0].text.find((dir / "config" / "sorban" / "sorban.ini").string()), std::string::npos);
}

TEST_F(SettingsTest, anExecutableFolderThatCannotBeWrittenSendsTheSettingsToTheUsersConfigFolder)
{
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    selection.ExeDir = "/nonexistent/sorban/bin/";
    selection.KanNum = 42;
    EXPECT_EQ(settings::Settings::locate(selection.ExeDir).write, dir / "xdg" / "sorban" / "sorban.ini");
    EXPECT_TRUE(settings.IniWrite(selection, 1, 2));
    selection.KanNum = 1;
    settings.IniRead(selection);
    EXPECT_EQ(selection.KanNum, 42);
    unsetenv("XDG_CONFIG_HOME");
    selection.ExeDir = dir.path().string() + "/";
    EXPECT_EQ(settings::Settings::locate(selection.ExeDir).write, dir / "sorban.ini");
    EXPECT_EQ(settings::Settings::locate(selection.ExeDir).read, dir / "sorban.ini");
}

TEST_F(SettingsTest, aProgramInASystemFolderKeepsItsSettingsInTheUsersConfigFolderEvenForRoot)
{
    EXPECT_TRUE(settings::Settings::isSystemFolder("/usr/bin"));
    EXPECT_FALSE(settings::Settings::isSystemFolder(dir.path()));
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    selection.ExeDir = "/usr/bin/";
    EXPECT_EQ(settings::Settings::locate(selection.ExeDir).write, dir / "xdg" / "sorban" / "sorban.ini");
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsTest, aFileThatCannotBeReadIsReportedAtStartAndNeverOverwritten)
{
    // Larger than any settings file can be: it is not read, whatever it holds.
    const std::string huge = sjis("[DATA]\r\nKANNUM=500\r\n") + std::string(platform::IniFile::MaxSize, ';');
    test::writeBytes(dir / "sorban.ini", huge);
    settings.IniRead(selection);
    EXPECT_EQ(selection.KanNum, 1);
    const std::string path = (dir / "sorban.ini").string();
    EXPECT_EQ(recorder.events, (std::vector<Box::Event>{Box::box("設定ファイルを読めません: " + path, "Sorban")}));
    selection.KanNum = 77;
    EXPECT_FALSE(settings.IniWrite(selection, 1, 2));
    EXPECT_EQ(recorder.events.back(), Box::box("設定ファイルに書き込めません: " + path, "Sorban"));
    std::ifstream in(dir / "sorban.ini", std::ios::binary);
    EXPECT_TRUE(std::equal(huge.begin(), huge.end(), std::istreambuf_iterator<char>(in)));
    EXPECT_EQ(std::filesystem::file_size(dir / "sorban.ini"), huge.size());
}

TEST_F(SettingsTest, aFileOfAnotherAccountIsReportedAndKeptWhole)
{
    writeIni("[DATA]\nKANNUM=500\n");
    chmod(dir.path().c_str(), 0755);
    chmod((dir / "sorban.ini").c_str(), test::isRoot() ? 0600 : 0);
    std::filesystem::create_directories(dir / "xdg");
    chmod((dir / "xdg").c_str(), 0777);
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    // 0: reported at start, defaults shown, nothing written at close.
    const auto run = [&] {
        settings.IniRead(selection);
        const bool wrote = settings.IniWrite(selection, 1, 2);
        const bool reported = recorder.events.size() == 2 && recorder.events[0].text.starts_with("設定ファイルを読めません: ")
                              && recorder.events[1].text.starts_with("設定ファイルに書き込めません: ");
        return selection.KanNum == 1 && !wrote && reported && !std::filesystem::exists(dir / "xdg" / "sorban") ? 0 : 1;
    };
    EXPECT_EQ(test::isRoot() ? test::inChild(run, true) : run(), 0);
    unsetenv("XDG_CONFIG_HOME");
    chmod((dir / "sorban.ini").c_str(), 0600);
    EXPECT_EQ(lines(dir / "sorban.ini"), (std::vector<std::string>{"[DATA]", "KANNUM=500"}));
}

TEST_F(SettingsTest, aWriteProtectedProgramFolderGivesItsSettingsAndTheUsersNewerFileTakesOver)
{
    writeIni("[FORM]\nLEFT=300\n[DATA]\nKANNUM=500\nKANJILIST=海山\n");
    chmod(dir.path().c_str(), test::isRoot() ? 0755 : 0555);
    std::filesystem::create_directories(dir / "xdg");
    chmod((dir / "xdg").c_str(), 0777);
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    const auto run = [&] {
        settings.IniRead(selection);
        if (selection.KanNum != 500 || settings.LEFT != 300 || memoText().substr(0, 6) != "海山")
            return 1; // the file beside the program is read
        selection.KanNum = 600;
        if (!settings.IniWrite(selection, 5, 6) || !std::filesystem::exists(dir / "xdg" / "sorban" / "sorban.ini"))
            return 2; // and the settings go to the user's file
        selection.KanNum = 1;
        settings.IniRead(selection);
        return selection.KanNum == 600 ? 0 : 3; // which is newer from then on
    };
    EXPECT_EQ(test::isRoot() ? test::inChild(run, true) : run(), 0);
    unsetenv("XDG_CONFIG_HOME");
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(lines(dir / "sorban.ini")[3], "KANNUM=500"); // untouched
}

TEST_F(SettingsTest, aReadOnlyFileBesideTheProgramIsReadAndLeftAsItIs)
{
    writeIni("[DATA]\nKANNUM=500\n");
    chmod((dir / "sorban.ini").c_str(), 0444);
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    settings.IniRead(selection);
    EXPECT_EQ(selection.KanNum, 500);
    selection.KanNum = 9;
    EXPECT_TRUE(settings.IniWrite(selection, 1, 2));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(lines(dir / "sorban.ini"), (std::vector<std::string>{"[DATA]", "KANNUM=500"}));
    EXPECT_EQ(platform::IniFile(dir / "xdg" / "sorban" / "sorban.ini").readInteger("DATA", "KANNUM", 0), 9);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(SettingsTest, aFirstWriteLaysOutFormThenData)
{
    settings.IniRead(selection);
    ASSERT_TRUE(settings.IniWrite(selection, 100, 100));
    const auto written = lines(dir / "sorban.ini");
    ASSERT_EQ(written.size(), 16u);
    EXPECT_EQ(written[0], "[FORM]");
    EXPECT_EQ(written[11], "KANJI=" + sjis("ＭＳ 明朝"));
    EXPECT_EQ(written[12], "[DATA]");
    EXPECT_EQ(written[13], "KANNUM=1");
    EXPECT_EQ(written[15], "KANJILIST=" + sjis("愛上尾夏期句毛個医右"));
}
