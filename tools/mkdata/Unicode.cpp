#include "mkdata/Unicode.h"

namespace mkdata {

std::u32string toU32(std::string_view s)
{
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if (b >= 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else if (b >= 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else {
            c = b & 0x1F;
            extra = 1;
        }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i)
            c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        out += c;
    }
    return out;
}

std::string toU8(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u32string toHiragana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out)
        if (c >= U'ァ' && c <= U'ヶ')
            c -= 0x60;
    return out;
}

bool isKanji(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || c == U'々';
}

bool isHiragana(char32_t c)
{
    return c >= U'ぁ' && c <= U'ゖ';
}

std::u32string gojuonKey(std::u32string_view kana)
{
    // Plain kana of each voiced, half-voiced or small kana.
    static const std::u32string_view voiced = U"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょゎ";
    static const std::u32string_view plain = U"かきくけこさしすせそたちつてとはひふへほはひふへほあいうえおつやゆよわ";
    std::u32string primary;
    for (const char32_t c : toHiragana(kana)) {
        const auto at = voiced.find(c);
        primary += at == std::u32string_view::npos ? c : plain[at];
    }
    // Ties between plain and voiced spellings fall back to the spelling itself.
    return primary + U'\0' + toHiragana(kana);
}

} // namespace mkdata
