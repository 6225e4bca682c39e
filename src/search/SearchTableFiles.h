#pragma once

#include "data/DataFile.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sorban::search {

/// A text of a search table at its place in the grid, as its window writes it. Texts past the
/// grid's last row or column have no cell there and are dropped by the grid.
struct TableCell {
    int col = 0;
    int row = 0;
    std::string text; ///< Shift-JIS
};

/// Bs_srch.csv, the radical table: "#" lines are skipped; each other line is a row (at most 50).
/// Its first field is passed over; the rest starts with a heading ("N画○" or "○○○", shown up to
/// its "○") and goes on with groups parted by "・": a radical, "≫" and the radical's kanji, one
/// a cell, an empty cell between two groups.
inline constexpr data::FileFormat RadicalTableFormat{"Bs_srch.csv", 150, "ご注意！", "Bs_srch.csv のファイルがありません。"};
inline constexpr int RadicalTableRows = 50;
inline constexpr int RadicalTableColumns = 48; ///< a mouse pick in the last does nothing
inline constexpr int RadicalCells = 200;       ///< the radical cells the window marks at most

/// "≫", which follows each radical (Shift-JIS).
const std::string& radicalMark();

struct RadicalTable {
    std::vector<TableCell> cells;
    /// (column, row) of the radicals the window draws in red, found as the window has always
    /// found them: the place of each "≫" after the heading, counted in two-byte steps.
    std::vector<std::pair<int, int>> radicalCells;
};

RadicalTable readRadicalTable(const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

/// Yomi_srch.csv, the reading table: "#" lines and empty lines are skipped. Commas are passed
/// over; every other two bytes are one character: a hiragana (lead byte 0x82) starts the row
/// afresh in column 0, any other character goes to the next column. A line that put a kanji
/// into its row ends the row. The grid has 115 rows of 32 kanji under its row of numbers.
/// This window's missing-file box alone has the file's sentence as its text.
inline constexpr data::FileFormat ReadingTableFormat{"Yomi_srch.csv", 200, "Yomi_srch.csv のファイルがありません。", "ご注意！"};
inline constexpr int ReadingTableRows = 115;
inline constexpr int ReadingTableColumns = 32;
inline constexpr unsigned char HiraganaLeadByte = 0x82;

std::vector<TableCell> readReadingTable(const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

} // namespace sorban::search
