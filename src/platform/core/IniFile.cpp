#include "platform/core/IniFile.h"

#include "platform/core/RegularFile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorban::platform {
namespace {

// The longest value a read returns, as a 2048-byte read buffer holds.
constexpr std::size_t MaxValue = 2047;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The name of a "[name]" line, or nothing.
bool sectionName(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

bool keyLine(std::string_view line, std::string_view key, std::string_view& value)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || !sameName(trim(line.substr(0, eq)), key))
        return false;
    value = trim(line.substr(eq + 1));
    return true;
}

// The whole of a regular file of at most IniFile::MaxSize bytes.
IniFile::Status readWhole(const std::filesystem::path& path, std::string& bytes)
{
    struct stat info {};
    const int fd = openRegularFile(path, info);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? IniFile::Status::Missing : IniFile::Status::Unreadable;
    IniFile::Status status = IniFile::Status::Read;
    if (static_cast<std::uintmax_t>(info.st_size) > IniFile::MaxSize) {
        status = IniFile::Status::Unreadable;
    } else {
        char chunk[8192];
        for (;;) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > IniFile::MaxSize) {
                status = IniFile::Status::Unreadable;
                break;
            }
            if (got == 0)
                break;
            bytes.append(chunk, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    if (status != IniFile::Status::Read)
        bytes.clear();
    return status;
}

// Where a save writes: a symbolic link's final target (a dangling link's too), else the path.
std::filesystem::path writeTarget(std::filesystem::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error))
            return path;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error)
            return path;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return fsync(fd) == 0;
}

} // namespace

IniFile::IniFile(std::filesystem::path path) : m_path(std::move(path))
{
    std::string bytes;
    m_status = readWhole(m_path, bytes);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(std::move(line));
        pos = end + 1;
    }
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    bool inSection = false;
    for (const auto& line : m_lines) {
        std::string_view name;
        if (sectionName(line, name)) {
            inSection = sameName(name, section);
            continue;
        }
        std::string_view value;
        if (inSection && keyLine(line, key, value)) {
            // A value in matching quotes is read without them.
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return std::string(value.substr(0, MaxValue));
        }
    }
    return std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const std::string text = readString(section, key, {});
    std::string_view digits = text;
    int base = 10;
    // Only "0x" marks hexadecimal here; "$" and "x", which data fields accept, are no integers.
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    const bool negative = base == 10 && !digits.empty() && digits.front() == '-';
    if (base == 10 && !digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.empty())
        return fallback;
    std::int64_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return fallback;
        value = value * base + digit;
        if (value > std::int64_t{1} << 32)
            return fallback;
    }
    if (base == 16 && value <= 0xFFFFFFFF) // eight hexadecimal digits give every 32-bit value
        return static_cast<int>(static_cast<std::uint32_t>(value));
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX)
        return fallback;
    return static_cast<int>(value);
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string entry(key);
    entry.append(1, '=').append(value);
    bool inSection = false;
    std::size_t lastInSection = 0;
    bool found = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionName(m_lines[i], name)) {
            if (inSection)
                break;
            inSection = sameName(name, section);
            if (inSection) {
                found = true;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        std::string_view old;
        if (keyLine(m_lines[i], key, old)) {
            m_lines[i] = entry;
            return;
        }
        if (!trim(m_lines[i]).empty())
            lastInSection = i;
    }
    if (found) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastInSection + 1), entry);
        return;
    }
    std::string heading(1, '[');
    heading.append(section).push_back(']');
    m_lines.push_back(std::move(heading));
    m_lines.push_back(entry);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

bool IniFile::save() const
{
    std::string bytes;
    for (const auto& line : m_lines)
        bytes.append(line).append("\r\n");
    const std::filesystem::path target = writeTarget(m_path);
    struct stat old {};
    const bool exists = lstat(target.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0))
        return false; // a read-only file is the user's choice, and a FIFO or device is no settings file
    std::filesystem::path temp = target;
    temp += ".new";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    if (exists) {
        ok = fchmod(fd, old.st_mode & 07777) == 0;
        if (ok && (old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only the owner's own file can be replaced by a new one; another's is rewritten in place.
            close(fd);
            unlink(temp.c_str());
            const int in = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            const bool written = in >= 0 && writeAll(in, bytes);
            return (in < 0 || close(in) == 0) && written;
        }
    }
    ok = ok && writeAll(fd, bytes);
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace sorban::platform
