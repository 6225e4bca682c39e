#include "platform/core/LineReader.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using sorban::platform::LineReader;
using sorban::test::TempDir;
using sorban::test::writeBytes;

namespace {

std::vector<std::string> readAll(const std::filesystem::path& file, std::size_t buffer)
{
    LineReader in(file, buffer);
    EXPECT_TRUE(in.isOpen());
    std::vector<std::string> lines;
    std::string_view line;
    while (in.next(line))
        lines.emplace_back(line);
    return lines;
}

class LineReaderTest : public ::testing::Test {
protected:
    TempDir dir;
};

} // namespace

TEST_F(LineReaderTest, dropsCarriageReturnBeforeLineFeedOnly)
{
    writeBytes(dir / "f", "a,b\r\nc\rd\r\n\r\nlast");
    EXPECT_EQ(readAll(dir / "f", 200), (std::vector<std::string>{"a,b\n", "c\rd\n", "\n", "last"}));
}

TEST_F(LineReaderTest, splitsLongLinesAtBufferSizeMinusOne)
{
    writeBytes(dir / "f", std::string(250, 'x') + "\n");
    const auto lines = readAll(dir / "f", 200);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(199, 'x'));
    EXPECT_EQ(lines[1], std::string(51, 'x') + "\n");
}

TEST_F(LineReaderTest, lineFeedCountsInsideTheBufferAfterCarriageReturnIsDropped)
{
    // 198 bytes + CR LF: without the CR the line and its feed fit the 199 bytes of one read.
    writeBytes(dir / "f", std::string(198, 'y') + "\r\nz");
    const auto lines = readAll(dir / "f", 200);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(198, 'y') + "\n");
    EXPECT_EQ(lines[1], "z");
}

TEST_F(LineReaderTest, lineEndsAtNulByte)
{
    writeBytes(dir / "f", std::string("ab\0cd\nef\n", 9));
    EXPECT_EQ(readAll(dir / "f", 200), (std::vector<std::string>{"ab", "ef\n"}));
}

TEST_F(LineReaderTest, tenMegabyteLineComesOutInBufferSizedPieces)
{
    writeBytes(dir / "f", std::string(10'000'000, 'q'));
    const auto lines = readAll(dir / "f", 300);
    ASSERT_EQ(lines.size(), 10'000'000 / 299 + 1);
    EXPECT_EQ(lines.back().size(), 10'000'000 % 299);
}

TEST_F(LineReaderTest, missingFileAndFolderAreNotOpen)
{
    std::string_view line;
    LineReader missing(dir / "none", 200);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.next(line));
    LineReader folder(dir.path(), 200);
    EXPECT_FALSE(folder.isOpen());
    EXPECT_FALSE(folder.next(line));
}

TEST_F(LineReaderTest, emptyFileHasNoLines)
{
    writeBytes(dir / "f", "");
    EXPECT_TRUE(readAll(dir / "f", 200).empty());
}

TEST_F(LineReaderTest, aFifoOrDeviceReadsAsMissingWithoutWaiting)
{
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    LineReader fifo(dir / "fifo", 200); // a FIFO without a writer would block an ordinary open
    EXPECT_FALSE(fifo.isOpen());
    EXPECT_FALSE(LineReader("/dev/zero", 200).isOpen());
}

TEST_F(LineReaderTest, theFirstLinesOfAHugeFileNeedNoMoreMemoryThanTheirOwn)
{
    // A 2 GiB file (sparse: it takes no disk) read by a process that may map 256 MiB more.
    const auto huge = dir / "huge.csv";
    writeBytes(huge, "1,a,\n2,b,\n");
    ASSERT_EQ(truncate(huge.c_str(), std::int64_t{2} << 30), 0);
    const int code = sorban::test::inChildWithMemoryLeft(256u << 20, [&] {
        LineReader in(huge, 200);
        std::string_view line;
        return in.next(line) && line == "1,a,\n" && in.next(line) && line == "2,b,\n" ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(LineReaderTest, aCtrlZByteEndsTheFile)
{
    writeBytes(dir / "f", "1,a,\r\n2,b,\r\n\x1A");
    EXPECT_EQ(readAll(dir / "f", 200), (std::vector<std::string>{"1,a,\n", "2,b,\n"}));
    writeBytes(dir / "g", "1,a,\x1A"
                          "2,b,\n3,c,\n");
    EXPECT_EQ(readAll(dir / "g", 200), (std::vector<std::string>{"1,a,"}));
}
