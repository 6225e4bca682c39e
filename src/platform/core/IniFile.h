#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::platform {

/// A settings file in the private-profile (ini) format: "[SECTION]" lines open sections, "key=value"
/// lines hold values. Sections and keys match case-insensitively; values are Shift-JIS bytes.
/// Setting one key keeps every other line of the file as it was; a missing section or key is
/// created by its first write. Nothing reaches the disk until save().
class IniFile {
public:
    /// What loading found: no file (or a FIFO, device or folder in its place), a file read
    /// whole, or a file that exists but could not be read (no permission, an I/O error, or larger
    /// than MaxSize). Missing and unreadable files both read as empty.
    enum class Status { Missing, Read, Unreadable };

    /// Files larger than this are no settings file (a real one holds under 1 KiB).
    static constexpr std::size_t MaxSize = std::size_t{1024} * 1024;

    /// Loads `path`.
    explicit IniFile(std::filesystem::path path);

    Status status() const { return m_status; }

    /// The value of section/key, or `fallback` when the file, section or key is missing. A
    /// present key with nothing after "=" reads as the empty text.
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    /// The value as an integer ("0x" before hexadecimal digits), or `fallback` when it is missing
    /// or no integer.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    /// Writes the whole file at once through a new file renamed over the old one, so that a failed
    /// write leaves the old file whole. A symbolic link is written through: its target is replaced
    /// in the target's own folder. The old file keeps its mode and owner. A file that is read-only
    /// (no write permission, also for root) or no regular file is never replaced. False when it
    /// could not be written.
    bool save() const;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    Status m_status = Status::Missing;
    std::vector<std::string> m_lines; // without line ends
};

} // namespace sorban::platform
