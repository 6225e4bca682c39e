#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sorban::data {

class KanjiStore;

/// The headings of the attribute table, Shift-JIS.
const std::array<std::string, 6>& AttrHeading();
/// The names of the formation types 0 to 5, Shift-JIS.
const std::array<std::string, 6>& NaritachiLabel();
/// The six attribute cells of kanji `n` as the main window shows them (grade, strokes, radical,
/// radical reading, kanken level, formation), Shift-JIS; a number outside 1..1026 gives the texts
/// of an unknown kanji.
std::array<std::string, 6> attributeTexts(const KanjiStore& store, std::int32_t n);
/// The rows the main window's table shows for kanji `n`: its readings, at most ten.
int shownReadings(const KanjiStore& store, std::int32_t n);

} // namespace sorban::data
