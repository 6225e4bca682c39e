#pragma once

#include <filesystem>
#include <functional>
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

/// Runs `body` in a child process and returns its exit code (-1 when it did not exit normally).
/// With `asNobody`, the child first becomes the user and group nobody (65534): how a test run by
/// root meets a file of another account. Only root can do that; check isRoot() first.
int inChild(const std::function<int()>& body, bool asNobody = false);

/// inChild, with the child's address space limited to what it has mapped plus `bytes`: a body
/// that tries to hold more (a whole huge file, say) fails to allocate and dies.
int inChildWithMemoryLeft(std::size_t bytes, const std::function<int()>& body);

/// True when the tests run as root.
bool isRoot();

} // namespace sorban::test
