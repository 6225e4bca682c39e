#pragma once

#include "data/DataFile.h"
#include "data/KanjiStore.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace sorban::jukuji {

inline constexpr int Rows = 34;
inline constexpr int Columns = data::Columns;

/// juk_jho.csv, the jukujikun words: "#" lines are skipped, a "$" line is the edition label (all
/// of the rest of the line), a line beginning with "x" or "X" ends the table. Every other line is
/// a row (at most 34): a field passed over, the word, its reading, then six pairs of appearance
/// code and page; a code that does not convert is 16 and a page 0.
inline constexpr data::FileFormat WordFile{"juk_jho.csv", 200, "ご注意！", "juk_jho.csv のファイルがありません。"};
inline constexpr std::int32_t MissingCode = 16;
inline constexpr std::int32_t MissingPage = 0;

/// juk_goku.csv, the jukujikun examples: as the word file, without the "x" line; a row is three
/// fields passed over (number, word, reading) and the six examples.
inline constexpr data::FileFormat ExampleFile{"juk_goku.csv", 200, "ご注意！", "juk_goku.csv のファイルがありません。"};

struct Appearance {
    std::int32_t code = 0;
    std::int32_t page = 0;
};

/// The jukujikun files' contents: per row the word and reading, the six appearances, the six
/// examples, and the two edition labels (Shift-JIS, as read).
struct JukujiTables {
    std::array<std::string, Rows> word;
    std::array<std::string, Rows> reading;
    std::array<std::array<Appearance, Columns>, Rows> appearance{};
    std::array<std::array<std::string, Columns>, Rows> example;
    std::string appearanceLabel;
    std::string exampleLabel;
    bool appearanceLabelRead = false; ///< a "$" line of juk_jho.csv was read
    bool examplesLoaded = false;
};

/// Reads juk_jho.csv: words, readings, appearances and the appearance label; stops at an "x" or
/// "X" line or after 34 rows.
void readAppearances(JukujiTables& tables, const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

/// Reads juk_goku.csv: six examples per row and the example label; stops after 34 rows.
void readExamples(JukujiTables& tables, const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

} // namespace sorban::jukuji
