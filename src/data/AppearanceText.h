#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sorban::data {

/// The nineteen grade-volume labels (Shift-JIS): "--", "１上", "１下", ... "６下", "１年" ... "６年".
const std::array<std::string, 19>& VolumeLabel();

/// True for codes 10..62 whose last digit is 0 (whole year), 1 (上) or 2 (下).
bool isValidAppearanceCode(std::int32_t code);

/// What a table cell shows for an appearance (code, page): a half-width space, the volume label,
/// "：" and the page for a valid code ("３上：45"), else "－－－". Shift-JIS.
std::string appearanceText(std::int32_t code, std::int32_t page);

} // namespace sorban::data
