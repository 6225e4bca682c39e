#include "LineReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace sorban::platform {

LineReader::LineReader(const std::filesystem::path& path, std::size_t bufferSize)
    : m_maxRead(bufferSize > 1 ? bufferSize - 1 : 1)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return;
    }
    m_content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = std::fread(m_content.data(), 1, m_content.size(), file);
    m_content.resize(got);
    // A file that grows while it is read (or reports no size) is read on to its end.
    char chunk[65536];
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        m_content.append(chunk, got);
    std::fclose(file);

    // Text-mode reading: CR LF becomes LF; a lone CR stays.
    char* const begin = m_content.data();
    char* const end = begin + m_content.size();
    char* out = begin;
    for (char* in = begin; in < end;) {
        char* cr = static_cast<char*>(std::memchr(in, '\r', static_cast<std::size_t>(end - in)));
        char* const stop = cr ? cr : end;
        if (out != in)
            std::memmove(out, in, static_cast<std::size_t>(stop - in));
        out += stop - in;
        if (!cr)
            break;
        if (cr + 1 == end || cr[1] != '\n')
            *out++ = '\r';
        in = cr + 1;
    }
    m_content.resize(static_cast<std::size_t>(out - begin));
    m_open = true;
}

bool LineReader::next(std::string_view& line)
{
    if (!m_open || m_pos >= m_content.size())
        return false;
    const std::size_t limit = std::min(m_content.size() - m_pos, m_maxRead);
    const std::string_view window(m_content.data() + m_pos, limit);
    const std::size_t feed = window.find('\n');
    const std::size_t length = feed == std::string_view::npos ? limit : feed + 1;
    line = window.substr(0, length);
    m_pos += length;
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos)
        line = line.substr(0, nul);
    return true;
}

} // namespace sorban::platform
