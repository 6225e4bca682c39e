#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace sorban::jukuji {

inline constexpr int Rows = 34;
inline constexpr int Columns = 6;

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

/// Reads juk_jho.csv: words, readings, appearances (code 16 and page 0 where a field does not
/// convert) and the appearance label; stops at an "x" or "X" line or after 34 rows.
void readAppearances(JukujiTables& tables, const std::filesystem::path& dataDir);

/// Reads juk_goku.csv: six examples per row and the example label; stops after 34 rows.
void readExamples(JukujiTables& tables, const std::filesystem::path& dataDir);

} // namespace sorban::jukuji
