#pragma once

#include <cstdint>
#include <string>

namespace sorban::data {

/// Where a volume stands in a textbook column's order, for the code grade × 10 + part: 上 before 下,
/// and a whole-year volume (１年 …) at the end of its grade, level with its 下. -1 for an invalid code,
/// which stands in no volume.
int volumeRank(std::int32_t code);

/// Whether a first appearance of code `code` comes in volume `volume` or before it.
bool metBy(std::int32_t code, std::int32_t volume);

/// The eighteen volumes in order of their labels: １上 … ６下, then １年 … ６年.
inline constexpr std::int32_t VolumeCodes[18] = {11, 12, 21, 22, 31, 32, 41, 42, 51, 52, 61, 62, 10, 20, 30, 40, 50, 60};

/// The volume's label, e.g. "４上" (Shift-JIS); empty for an invalid code.
std::string volumeLabel(std::int32_t code);

} // namespace sorban::data
