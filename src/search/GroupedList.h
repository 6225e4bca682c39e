#pragma once

#include "search/GroupedListFile.h"

#include <string>
#include <vector>

namespace sorban::platform {
class StringGrid;
}

namespace sorban::search {

/// Lays the entries out in groups of equal value: each group on a new row with its heading
/// (the value and `suffix`) in column 0, 40 kanji a row, and a new row at once after column 40.
void layoutGroups(platform::StringGrid& grid, const std::vector<GroupedEntry>& entries, const std::string& suffix);

} // namespace sorban::search
