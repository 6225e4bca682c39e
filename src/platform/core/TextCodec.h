#pragma once

#include <string>
#include <string_view>

namespace sorban::platform {

/// Shift-JIS (code page 932) bytes to UTF-8; every byte that is no valid character becomes U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

/// UTF-8 to Shift-JIS; a character with no code-page-932 form (or a broken UTF-8 byte) becomes "?",
/// a single byte that can never be part of a kanji text.
std::string utf8ToSjis(std::string_view utf8);

/// Whether a byte starts a double-byte Shift-JIS character (0x81 to 0x9F, 0xE0 to 0xFC).
inline bool isSjisLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

/// Whether a byte can be the second byte of a double-byte Shift-JIS character.
inline bool isSjisTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

/// The byte offset of `needle` in Shift-JIS `text` from `from` on, matching only at character
/// boundaries (a trail byte never starts a match); npos when there is none.
std::size_t findSjis(std::string_view text, std::string_view needle, std::size_t from = 0);

} // namespace sorban::platform
