#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sorban::platform {

/// Reads a data file line by line into a fixed buffer of `bufferSize` bytes, as the program's
/// files have always been read: one read takes at most bufferSize - 1 bytes up to and including
/// the line feed, so a longer line comes out in pieces, each a line of its own. A carriage
/// return before a line feed is dropped before the bytes are counted. A line ends at a NUL byte
/// (what follows it in the same read is lost), as it would in the C buffer it mirrors.
class LineReader {
public:
    LineReader(const std::filesystem::path& path, std::size_t bufferSize);

    /// False when the file could not be opened, or is a folder.
    bool isOpen() const { return m_open; }

    /// The next line, or false at the end of the file.
    bool next(std::string_view& line);

private:
    std::string m_content;
    std::size_t m_pos = 0;
    std::size_t m_maxRead;
    bool m_open = false;
};

} // namespace sorban::platform
