#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorban::platform {
class StringGrid;
}

namespace sorban::search {

/// One line of the stroke-count or grade file: kanji number, kanji, and the value it is grouped by.
struct GroupedEntry {
    std::int32_t number = 0;
    std::string kanji;
    std::int32_t value = 0;
};

/// How a grouped list file is read.
struct GroupedListFile {
    std::filesystem::path path;
    std::size_t buffer;
    std::string missingSentence; ///< caption of the missing-file box
    std::string valueError;      ///< text of the box for a value that is no integer
    bool hasLabelLine;           ///< "$" lines carry an edition label
};

/// Reads entries (at most 1026) until the end of the file or the first field error, which it
/// reports; a "$" line, where the file has them, sets `label`.
std::vector<GroupedEntry> readGroupedList(const GroupedListFile& file, std::optional<std::string>* label);

/// Lays the entries out in groups of equal value: each group on a new row with its heading
/// (the value and `suffix`) in column 0, 40 kanji a row, and a new row at once after column 40.
void layoutGroups(platform::StringGrid& grid, const std::vector<GroupedEntry>& entries, const std::string& suffix);

} // namespace sorban::search
