#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sorban::test {

/// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

/// Writes `bytes` as they stand.
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

/// Writes UTF-8 text as Shift-JIS, each "\n" as CR LF, as files prepared on Windows are.
void writeSjis(const std::filesystem::path& file, std::string_view utf8);

/// Shift-JIS bytes of a UTF-8 literal.
std::string sjis(std::string_view utf8);

} // namespace sorban::test
