#include "platform/core/IniFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using sorban::platform::IniFile;
using sorban::test::TempDir;
using sorban::test::writeBytes;

namespace {

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class IniFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "sorban.ini";
};

} // namespace

TEST_F(IniFileTest, readsSectionsAndKeysCaseInsensitively)
{
    writeBytes(file, "; note\r\n[Form]\r\nleft = 12\r\nKANJI=\x82\x6c\x82\x72 "
                     "\x96\xbe\x92\xa9\r\nEMPTY=\r\n[DATA]\r\nKANNUM=0x10\r\nBAD=12a\r\nQ=\"quoted\"\r\n");
    const IniFile ini(file);
    EXPECT_EQ(ini.readInteger("FORM", "LEFT", 100), 12);
    EXPECT_EQ(ini.readString("form", "kanji", "x"), "\x82\x6c\x82\x72 \x96\xbe\x92\xa9");
    EXPECT_EQ(ini.readString("FORM", "EMPTY", "fallback"), "");
    EXPECT_EQ(ini.readString("FORM", "MISSING", "fallback"), "fallback");
    EXPECT_EQ(ini.readInteger("DATA", "LEFT", 100), 100); // another section's key
    EXPECT_EQ(ini.readInteger("DATA", "KANNUM", 1), 16);
    EXPECT_EQ(ini.readInteger("DATA", "BAD", 1), 1);
    EXPECT_EQ(ini.readString("DATA", "Q", ""), "quoted");
    EXPECT_EQ(IniFile(dir / "none.ini").readInteger("FORM", "LEFT", 100), 100);
}

TEST_F(IniFileTest, writingOneKeyKeepsEveryOtherLine)
{
    writeBytes(file, "; my notes\r\n[FORM]\r\nLEFT=1\r\nOWN=mine\r\n\r\n[OTHER]\r\nX=1\r\n");
    IniFile ini(file);
    ini.writeInteger("form", "LEFT", -500);
    ini.writeInteger("FORM", "TOP", 7);
    ini.writeString("DATA", "KANJILIST", "abc");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(contents(file),
              "; my notes\r\n[FORM]\r\nLEFT=-500\r\nOWN=mine\r\nTOP=7\r\n\r\n[OTHER]\r\nX=1\r\n[DATA]\r\nKANJILIST=abc\r\n");
    EXPECT_EQ(IniFile(file).readInteger("FORM", "LEFT", 0), -500);
}

TEST_F(IniFileTest, aFailedSaveLeavesTheOldFileWhole)
{
    writeBytes(file, "[FORM]\r\nLEFT=1\r\n");
    IniFile ini(file);
    ini.writeInteger("FORM", "LEFT", 2);
    std::filesystem::create_directory(dir / "sorban.ini.new"); // the new file cannot be made
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(contents(file), "[FORM]\r\nLEFT=1\r\n");
}

TEST_F(IniFileTest, aSaveIntoAMissingFolderFails)
{
    IniFile ini(dir / "no-such-folder" / "sorban.ini");
    ini.writeInteger("FORM", "LEFT", 2);
    EXPECT_FALSE(ini.save());
}

TEST_F(IniFileTest, integersAreDecimalOrHexadecimalAfter0xOnly)
{
    writeBytes(file,
               "[DATA]\r\nA=$10\r\nB=x10\r\nC=0x10\r\nD=0X1f\r\nE=0x\r\nF=-500\r\nG=+7\r\nH=99999999999\r\nI=0xFFFFFFFF\r\nJ=12 \r\n");
    const IniFile ini(file);
    // "$" and "x" mark hexadecimal in the data files, not here.
    EXPECT_EQ(ini.readInteger("DATA", "A", 1), 1);
    EXPECT_EQ(ini.readInteger("DATA", "B", 1), 1);
    EXPECT_EQ(ini.readInteger("DATA", "C", 1), 16);
    EXPECT_EQ(ini.readInteger("DATA", "D", 1), 31);
    EXPECT_EQ(ini.readInteger("DATA", "E", 1), 1);
    EXPECT_EQ(ini.readInteger("DATA", "F", 1), -500);
    EXPECT_EQ(ini.readInteger("DATA", "G", 1), 7);
    EXPECT_EQ(ini.readInteger("DATA", "H", 1), 1);
    EXPECT_EQ(ini.readInteger("DATA", "I", 1), -1);
    EXPECT_EQ(ini.readInteger("DATA", "J", 1), 12); // the blank after the value is no part of it
}

TEST_F(IniFileTest, aSaveWritesThroughASymbolicLinkAndKeepsModeAndOwner)
{
    const auto target = dir / "real" / "settings.ini";
    writeBytes(target, "[FORM]\r\nLEFT=1\r\n");
    chmod(target.c_str(), 0600);
    if (sorban::test::isRoot()) {
        ASSERT_EQ(chown(target.c_str(), 65534, 65534), 0); // a file of another account, kept as it is
    }
    std::filesystem::create_symlink("real/settings.ini", file);
    IniFile ini(file);
    ini.writeInteger("FORM", "LEFT", 2);
    ASSERT_TRUE(ini.save());
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(contents(target), "[FORM]\r\nLEFT=2\r\n");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (sorban::test::isRoot()) {
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "real" / "settings.ini.new"));
}

TEST_F(IniFileTest, aReadOnlyFileOrASpecialFileIsNeverReplaced)
{
    writeBytes(file, "[FORM]\r\nLEFT=1\r\n");
    chmod(file.c_str(), 0444); // read-only even for root
    IniFile ini(file);
    ini.writeInteger("FORM", "LEFT", 2);
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(contents(file), "[FORM]\r\nLEFT=1\r\n");

    const auto fifo = dir / "fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    IniFile special(fifo); // opening it does not wait for a writer
    EXPECT_EQ(special.status(), IniFile::Status::Missing);
    special.writeInteger("FORM", "LEFT", 2);
    EXPECT_FALSE(special.save());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(IniFileTest, aFileThatExistsButCannotBeReadIsUnreadableNotMissing)
{
    EXPECT_EQ(IniFile(dir / "none.ini").status(), IniFile::Status::Missing);
    writeBytes(file, "[DATA]\r\nKANNUM=500\r\n");
    EXPECT_EQ(IniFile(file).status(), IniFile::Status::Read);

    // Larger than any settings file: not read at all.
    writeBytes(dir / "huge.ini", "[DATA]\r\nKANNUM=500\r\n" + std::string(IniFile::MaxSize, ';'));
    const IniFile huge(dir / "huge.ini");
    EXPECT_EQ(huge.status(), IniFile::Status::Unreadable);
    EXPECT_EQ(huge.readInteger("DATA", "KANNUM", 1), 1);

    // A file of another account, mode 0600.
    chmod(dir.path().c_str(), 0755);
    chmod(file.c_str(), 0600);
    const auto statusSeenByAnother = [&] { return static_cast<int>(IniFile(file).status()); };
    if (sorban::test::isRoot()) {
        EXPECT_EQ(sorban::test::inChild(statusSeenByAnother, true), static_cast<int>(IniFile::Status::Unreadable));
    } else {
        chmod(file.c_str(), 0);
        EXPECT_EQ(statusSeenByAnother(), static_cast<int>(IniFile::Status::Unreadable));
    }
}
