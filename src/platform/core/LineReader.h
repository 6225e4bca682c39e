#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::platform {

/// Reads a data file line by line into a fixed buffer of `bufferSize` bytes, as the program's
/// files have always been read: one read takes at most bufferSize - 1 bytes up to and including
/// the line feed, so a longer line comes out in pieces, each a line of its own. A carriage
/// return before a line feed is dropped before the bytes are counted. A line ends at a NUL byte
/// (what follows it in the same read is lost), as it would in the C buffer it mirrors. A Ctrl+Z
/// byte (0x1A) ends the file, as it ends text-mode reading on Windows.
/// The file is read as the lines are taken, so a reader that stops at its last row never reads
/// the rest of a huge file. Only a regular file is opened (a FIFO or device reads as missing).
class LineReader {
public:
    /// What the piece last taken tells of the file's own line it came from.
    struct Facts {
        int line = 0;           ///< the file's line (1-based) the piece belongs to
        bool cut = false;       ///< the line goes on past the buffer: the rest comes as another piece
        bool continued = false; ///< the piece is the rest of a line cut before
        bool nul = false;       ///< a NUL byte ended the piece; what followed it in the read is lost
        bool loneCr = false;    ///< a carriage return not followed by a line feed stays in the piece
    };
    /// Where a Ctrl+Z byte ended the file.
    struct EndMark {
        int line = 0;           ///< the file's line (1-based) it stands in
        bool dataAfter = false; ///< more than line ends follow it: text the reading never sees
    };

    LineReader(const std::filesystem::path& path, std::size_t bufferSize);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    /// False when the file could not be opened, or is no regular file.
    bool isOpen() const { return m_fd >= 0; }

    /// The next line, or false at the end of the file. The view lasts until the next call.
    bool next(std::string_view& line);
    const Facts& facts() const { return m_facts; }
    /// Set once the reading has met a Ctrl+Z byte.
    const std::optional<EndMark>& endMark() const { return m_endMark; }

private:
    // The next byte as text mode gives it (CR LF as LF), or -1 at the end of the file.
    int nextByte();
    bool fill();

    int m_fd = -1;
    std::size_t m_maxRead;
    std::vector<char> m_chunk;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    std::string m_line;
    Facts m_facts;
    int m_fileLine = 1;
    bool m_midLine = false;
    std::optional<EndMark> m_endMark;
};

} // namespace sorban::platform
