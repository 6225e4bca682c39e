#pragma once

#include "data/DataFile.h"

namespace sorban::data::examplefile {

/// knj_goku.csv: one record per reading, in the reading file's order. "#" lines are skipped; a
/// "$" line is the note, up to its first comma. Every other line is a record: three fields
/// passed over (the reading's number, kanji and reading), then the examples of columns 1 to 6.
inline constexpr FileFormat Format{"knj_goku.csv", 200, "ご注意！", "knj_goku.csv のファイルがありません。"};
inline constexpr int FirstExampleField = 4;

} // namespace sorban::data::examplefile
