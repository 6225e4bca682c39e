#include "textcheck/Kana.h"

#include <QList>

namespace sorban::textcheck {

bool isKanji(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x20000 && c <= 0x3FFFF) || (c >= 0xF900 && c <= 0xFAFF);
}

bool isHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x309F;
}

bool isKatakana(char32_t c)
{
    return c >= 0x30A1 && c <= 0x30FF;
}

std::u32string toKatakana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out)
        if (c >= 0x3041 && c <= 0x3096)
            c += 0x60;
    return out;
}

std::u32string toHiragana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out)
        if (c >= 0x30A1 && c <= 0x30F6)
            c -= 0x60;
    return out;
}

char32_t voicedKana(char32_t c)
{
    static constexpr std::u32string_view plain = U"カキクケコサシスセソタチツテトハヒフヘホ";
    static constexpr std::u32string_view withDakuten = U"ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
    const auto at = plain.find(c);
    return at == std::u32string_view::npos ? 0 : withDakuten[at];
}

char32_t halfVoicedKana(char32_t c)
{
    static constexpr std::u32string_view plain = U"ハヒフヘホ";
    static constexpr std::u32string_view withHandakuten = U"パピプペポ";
    const auto at = plain.find(c);
    return at == std::u32string_view::npos ? 0 : withHandakuten[at];
}

std::u32string comparable(std::u32string_view katakana)
{
    std::u32string out(katakana);
    for (char32_t& c : out) {
        if (c == U'ヂ')
            c = U'ジ';
        else if (c == U'ヅ')
            c = U'ズ';
    }
    return out;
}

std::u32string toU32(const QString& text)
{
    const QList<uint> codes = text.toUcs4();
    return {codes.begin(), codes.end()};
}

QString toQString(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace sorban::textcheck
