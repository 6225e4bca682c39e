#pragma once

#include <string_view>

namespace mkdata {

/// The Japanese name of Kangxi radical `number` (1..214), in hiragana.
std::u32string_view radicalName(int number);

/// The radical's own stroke count.
int radicalStrokes(int number);

} // namespace mkdata
