#pragma once

#include "data/DataFile.h"

namespace sorban::data::readingfile {

/// knj_yomi.csv: one record per kanji. "#" and "$" lines are skipped; every other line is a
/// record: kanji number, kanji, reading count c, running total of readings, then the c readings.
inline constexpr FileFormat Format{"knj_yomi.csv", 200, "ご注意！", "knj_yomi.csv のファイルがありません。"};
inline constexpr const char* NumberError = "エラー発生00";
inline constexpr const char* CountError = "エラー発生01";
inline constexpr const char* TotalError = "エラー発生02";
inline constexpr int FirstReadingField = 5;

} // namespace sorban::data::readingfile
