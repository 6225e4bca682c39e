#pragma once

#include "data/DataFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace mkdata {

/// Collects the lines of one data file (UTF-8) and writes them as Shift-JIS with CR LF. Every
/// line must fit the program's read buffer for that file, and every character must have a
/// Shift-JIS form; otherwise saving throws, so that no file is written that reads differently.
class CsvWriter {
public:
    /// A file of `format`: its name, and the buffer of the reader its lines must fit.
    explicit CsvWriter(const sorban::data::FileFormat& format) : m_name(format.name), m_bufferSize(format.buffer) {}

    void line(std::string_view utf8);
    void save(const std::filesystem::path& dir) const;

private:
    std::string m_name;
    std::size_t m_bufferSize;
    std::string m_bytes;
    int m_lines = 0;
};

/// "a,b,c," from its fields: every field ends with its comma.
template <typename... Fields>
std::string fields(const Fields&... f)
{
    std::string out;
    ((out += f, out += ','), ...);
    return out;
}

} // namespace mkdata
