#pragma once

#include "data/DataFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorban::search {

/// One line of the stroke-count or grade file: kanji number, kanji, and the value it is grouped by.
struct GroupedEntry {
    std::int32_t number = 0;
    std::string kanji;
    std::int32_t value = 0;
    int line = 0; ///< the file's line it stood on
};

/// The stroke-count (Kaksu_srch.csv) and grade (HaiNen_srch.csv) files: "#" lines are skipped;
/// in the grade file a "$" line is the edition label, up to its first comma. Every other line is
/// an entry: kanji number, kanji, and the value (stroke count or grade), in ascending value. The
/// table lays out 1026 entries, each group on rows of its own, 40 kanji a row.
struct GroupedListFormat {
    data::FileFormat file;
    const char* valueName;  ///< "stroke count", "grade"
    const char* valueError; ///< the box's text for a value that is no integer
    bool hasLabelLine;
    int gridRows; ///< the rows the window's table has
};

inline constexpr int GroupedEntries = 1026;
inline constexpr int GroupedColumns = 40;
inline constexpr const char* GroupedNumberError = "漢字番号::エラー発生";

inline constexpr GroupedListFormat StrokeCountFile{
    {"Kaksu_srch.csv", 100, "ご注意！", "Kaksu_srch.csv のファイルがありません。"}, "stroke count", "画数::エラー発生", false, 38};
inline constexpr GroupedListFormat GradeFile{
    {"HaiNen_srch.csv", 200, "ご注意！", "HaiNen_srch.csv のファイルがありません。"}, "grade", "学年::エラー発生", true, 30};

/// Reads entries (at most 1026) until the end of the file or the first field error, which it
/// reports; a "$" line, where the file has them, sets `label`. A thorough sink hears of every
/// entry with its line, and of entries out of order, missing values and rows past the table's.
std::vector<GroupedEntry> readGroupedList(const GroupedListFormat& format, const std::filesystem::path& dataDir,
                                          std::optional<std::string>* label, platform::ProblemSink& sink = platform::programSink());

/// The rows the layout takes for `entries`: a row per 40 kanji of a group, and an empty row after
/// a group that ends in column 40.
int groupedRows(const std::vector<GroupedEntry>& entries);

} // namespace sorban::search
