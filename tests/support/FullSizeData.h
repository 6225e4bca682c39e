#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sorban::test {

/// A main data set at full capacity: 1026 kanji with 2450 readings in all, 2450 appearance and
/// example records, 200 radicals and 1027 attribute records, all well formed.
struct FullSizeData {
    std::vector<std::string> kanji;    ///< Shift-JIS text of kanji n at [n - 1]
    std::vector<int> readingCount;     ///< readings of kanji n at [n - 1]
    std::vector<std::string> readings; ///< Shift-JIS, by reading index

    /// Writes knj_yomi.csv, apr_jho.csv, bushu_ban.csv, knj_atrbt.csv and knj_goku.csv into `dir`.
    static FullSizeData write(const std::filesystem::path& dir);
};

} // namespace sorban::test
