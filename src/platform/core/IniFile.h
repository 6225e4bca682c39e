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
    /// Loads `path`; a missing or unreadable file reads as empty.
    explicit IniFile(std::filesystem::path path);

    /// The value of section/key, or `fallback` when the file, section or key is missing. A
    /// present key with nothing after "=" reads as the empty text.
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    /// The value as an integer ("0x" before hexadecimal digits), or `fallback` when it is missing
    /// or no integer.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    /// Writes the whole file at once through a new file renamed over the old one, so that a failed
    /// write leaves the old file whole. False when it could not be written.
    bool save() const;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::vector<std::string> m_lines; // without line ends
};

} // namespace sorban::platform
