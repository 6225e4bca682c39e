#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace sorban::textcheck {

/// A CJK ideograph (the unified blocks, extension A and beyond, the compatibility block).
bool isKanji(char32_t c);
/// The repeat mark 々, read as the kanji before it.
inline constexpr char32_t RepeatMark = U'\u3005';
bool isHiragana(char32_t c);
bool isKatakana(char32_t c);

/// Hiragana turned into katakana; everything else as it was.
std::u32string toKatakana(std::u32string_view text);
/// Katakana turned into hiragana; everything else as it was.
std::u32string toHiragana(std::u32string_view text);
/// カ → ガ, ハ → バ and the rest of the unvoiced katakana voiced; 0 for any other character.
char32_t voicedKana(char32_t c);
/// ハ → パ and the rest of the ハ row half-voiced; 0 for any other character.
char32_t halfVoicedKana(char32_t c);
/// Katakana with the spellings that sound alike made one (ヂ as ジ, ヅ as ズ), for comparing readings.
std::u32string comparable(std::u32string_view katakana);

std::u32string toU32(const QString& text);
QString toQString(std::u32string_view text);

} // namespace sorban::textcheck
