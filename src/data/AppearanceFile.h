#pragma once

#include "data/DataFile.h"

#include <string>

namespace sorban::data::appearancefile {

/// apr_jho.csv: one record per reading, in the reading file's order. A "#" line is the header: its
/// fields 5, 7, ... 15 are the six column labels. A "$" line is the edition note, up to its first
/// comma. Every other line is a record: four fields passed over (the reading's number, kanji and
/// reading, and a kind), then six pairs of appearance code and page, one per column.
inline constexpr FileFormat Format{"apr_jho.csv", 300, "ご注意！", "apr_jho.csv のファイルがありません。"};
inline constexpr int FirstLabelField = 5;
inline constexpr int FirstPairField = 5;
/// Column 1's code: two boxes, the record's index under this caption, then the second box.
inline constexpr const char* FirstCodeCaption = "ご報告００";
inline constexpr const char* FirstCodeText = "学年欄にエラー03";
inline constexpr const char* FirstCodeSecondCaption = "apr_jho.csv";
inline constexpr const char* FirstPageError = "頁欄にエラー04";

/// The error word of pair field `index` (2 for column 2's code, up to 10 for column 6's code):
/// "エラー発生05" to "エラー発生13". Column 6's page has none.
inline std::string pairError(int index)
{
    const int number = index + 3;
    return std::string("エラー発生") + (number < 10 ? "0" : "") + std::to_string(number);
}

} // namespace sorban::data::appearancefile
