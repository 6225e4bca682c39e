#pragma once

#include "data/DataFile.h"

namespace sorban::data::attributefile {

/// knj_atrbt.csv: "#" and "$" lines are skipped; record k describes kanji k + 1: its number and
/// kanji (passed over), grade, stroke count, radical number, formation type, two fields passed
/// over, and the stroke-order flag. At most AttributeSlots records are read.
inline constexpr FileFormat Format{"knj_atrbt.csv", 300, "ご注意！", "knj_atrbt.csvのファイルがありません。"};
inline constexpr const char* GradeError = "エラー14";
inline constexpr const char* StrokeError = "エラー15";
inline constexpr const char* RadicalError = "エラー16";
inline constexpr const char* TypeError = "エラー17";
inline constexpr const char* FlagError = "エラー17"; // the same word as the formation type's
inline constexpr int FormationTypes = 6;             ///< 0 none, 1 象形, 2 指事, 3 会意, 4 形声, 5 国字

} // namespace sorban::data::attributefile
