#pragma once

#include <string>
#include <string_view>

namespace mkdata {

std::u32string toU32(std::string_view utf8);
std::string toU8(std::u32string_view text);

/// Katakana to hiragana; everything else unchanged.
std::u32string toHiragana(std::u32string_view text);

bool isKanji(char32_t c);
bool isHiragana(char32_t c);

/// Sort key of kana in gojūon order: voiced and small kana sort beside their plain kana.
std::u32string gojuonKey(std::u32string_view kana);

} // namespace mkdata
