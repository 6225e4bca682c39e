#include "TestFiles.h"

#include "TextCodec.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace sorban::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sorban-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string sjis(std::string_view utf8)
{
    return platform::utf8ToSjis(utf8);
}

void writeSjis(const std::filesystem::path& file, std::string_view utf8)
{
    std::string crlf;
    for (const char c : utf8) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    writeBytes(file, sjis(crlf));
}

} // namespace sorban::test
