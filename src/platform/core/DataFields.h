#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorban::platform {

/// Takes comma-terminated fields from the front of a data line. A field is everything up to the
/// next comma, which is removed with it; with no comma left the field is empty and nothing is
/// removed, so a last field without its comma, and every field after it, reads as empty.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : m_rest(line) {}

    std::string_view take();
    void skip(int count);
    std::string_view rest() const { return m_rest; }
    /// How many fields were taken, and whether one of them found no comma left (so it, and every
    /// later one, read as empty): the line had fewer fields than its reader takes.
    int taken() const { return m_taken; }
    bool ranOut() const { return m_ranOut; }

private:
    std::string_view m_rest;
    int m_taken = 0;
    bool m_ranOut = false;
};

/// True when the line's first byte is `c` (an empty line has none).
inline bool firstByteIs(std::string_view line, char c)
{
    return !line.empty() && line.front() == c;
}

/// The integer conversion of data-file fields: leading blanks, one sign, then decimal digits, or
/// a hexadecimal number after "$", "x" or "0x". Anything else (empty, letters, a trailing blank,
/// a value outside 32 bits) does not convert.
std::optional<std::int32_t> convertInt(std::string_view field);

/// convertInt, or `fallback` when the field does not convert.
std::int32_t intOr(std::string_view field, std::int32_t fallback);

} // namespace sorban::platform
