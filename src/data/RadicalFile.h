#pragma once

#include "data/DataFile.h"

namespace sorban::data::radicalfile {

/// bushu_ban.csv: "#" lines are skipped; every other line, an empty one or a "$" line too, is
/// radical number r in turn: a field passed over, the radical's name, its reading. At most
/// RadicalSlots radicals are read.
inline constexpr FileFormat Format{"bushu_ban.csv", 200, "ご注意！", "bushu_ban.csvのファイルがありません。"};

} // namespace sorban::data::radicalfile
