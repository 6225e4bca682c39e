#include "platform/core/LineReader.h"

#include "platform/core/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace sorban::platform {
namespace {

constexpr std::size_t ChunkSize = std::size_t{64} * 1024;
// Ctrl+Z, which old Windows tools write at a file's end: text-mode reading stops there.
constexpr char EndOfFileMark = '\x1A';

} // namespace

LineReader::LineReader(const std::filesystem::path& path, std::size_t bufferSize) : m_maxRead(bufferSize > 1 ? bufferSize - 1 : 1)
{
    struct stat info {};
    m_fd = openRegularFile(path, info);
    if (m_fd >= 0)
        m_chunk.resize(ChunkSize);
}

LineReader::~LineReader()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    ssize_t got;
    do
        got = read(m_fd, m_chunk.data(), m_chunk.size());
    while (got < 0 && errno == EINTR);
    m_pos = 0;
    m_end = got > 0 ? static_cast<std::size_t>(got) : 0;
    m_atEnd = got <= 0; // the end, or a read error, which ends the file as the C runtime's did
    return !m_atEnd;
}

int LineReader::nextByte()
{
    if (m_pos == m_end && !fill())
        return -1;
    const char c = m_chunk[m_pos++];
    if (c == EndOfFileMark) {
        // Only line ends, or more marks, may follow it unseen; the look stops at the next chunk.
        const auto onlyEnds = [this] {
            for (; m_pos < m_end; ++m_pos)
                if (m_chunk[m_pos] != '\r' && m_chunk[m_pos] != '\n' && m_chunk[m_pos] != EndOfFileMark)
                    return false;
            return true;
        };
        m_endMark = EndMark{m_fileLine, !(onlyEnds() && (!fill() || onlyEnds()))};
        m_atEnd = true;
        m_pos = m_end;
        return -1;
    }
    if (c != '\r')
        return static_cast<unsigned char>(c);
    // Text mode: CR LF becomes LF; a lone CR stays.
    if (m_pos == m_end)
        fill();
    if (m_pos < m_end && m_chunk[m_pos] == '\n') {
        ++m_pos;
        return '\n';
    }
    return '\r';
}

bool LineReader::next(std::string_view& line)
{
    if (m_fd < 0)
        return false;
    m_line.clear();
    while (m_line.size() < m_maxRead) {
        if (m_pos == m_end && !fill())
            break;
        // Plain bytes go over in one run; a line feed, carriage return or end mark takes the slow road.
        const char* const run = m_chunk.data() + m_pos;
        const std::size_t room = std::min(m_maxRead - m_line.size(), m_end - m_pos);
        std::size_t plain = 0;
        while (plain < room && run[plain] != '\n' && run[plain] != '\r' && run[plain] != EndOfFileMark)
            ++plain;
        m_line.append(run, plain);
        m_pos += plain;
        if (plain == room)
            continue;
        const int c = nextByte();
        if (c < 0)
            break;
        m_line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (m_line.empty())
        return false;
    line = m_line;
    m_facts = Facts{m_fileLine, false, m_midLine, false, line.find('\r') != std::string_view::npos};
    if (line.back() == '\n') {
        ++m_fileLine;
        m_midLine = false;
    } else {
        m_facts.cut = line.size() == m_maxRead && (m_pos < m_end || fill());
        m_midLine = m_facts.cut;
    }
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
        line = line.substr(0, nul);
        m_facts.nul = true;
    }
    return true;
}

} // namespace sorban::platform
