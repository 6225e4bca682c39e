#include "mkdata/CsvWriter.h"

#include "platform/core/TextCodec.h"

#include <fstream>
#include <stdexcept>

namespace mkdata {

void CsvWriter::line(std::string_view utf8)
{
    ++m_lines;
    const std::string bytes = sorban::platform::utf8ToSjis(utf8);
    if (sorban::platform::sjisToUtf8(bytes) != utf8)
        throw std::runtime_error(m_name + " line " + std::to_string(m_lines)
                                 + " has a character with no Shift-JIS form: " + std::string(utf8));
    // The reader takes bufferSize - 1 bytes a read, the line feed included.
    if (bytes.size() + 1 > m_bufferSize - 1)
        throw std::runtime_error(m_name + " line " + std::to_string(m_lines) + " is longer than the program reads at once");
    m_bytes += bytes;
    m_bytes += "\r\n";
}

void CsvWriter::save(const std::filesystem::path& dir) const
{
    std::ofstream out(dir / m_name, std::ios::binary | std::ios::trunc);
    out.write(m_bytes.data(), static_cast<std::streamsize>(m_bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + (dir / m_name).string());
}

} // namespace mkdata
