#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorban::data {

inline constexpr int MaxKanji = 1026;       ///< kanji numbers run 1..MaxKanji
inline constexpr int KanjiSlots = 1027;     ///< slot 0 of the kanji tables is never used
inline constexpr int AttributeSlots = 1027; ///< kanji n at slot n - 1; slot 1026 is a spare
inline constexpr int ReadingSlots = 2450;   ///< reading indices 0..2449
inline constexpr int RadicalSlots = 200;    ///< radical numbers 0..199
inline constexpr int Columns = 6;           ///< textbook columns of the tables

/// Appearance record of one reading: six (appearance code, page) pairs in column order,
/// code of column c at [2c], page at [2c + 1].
using AprRow = std::array<std::int32_t, std::size_t{2} * Columns>;

/// Everything the program knows about the education kanji while it runs. Texts are Shift-JIS
/// bytes exactly as cut from their files. Exactly one store lives in the application, which
/// passes it by reference; every table has a fixed capacity. Which kanji is shown, and how, is
/// the view state of settings::Selection.
class KanjiStore {
public:
    KanjiStore();

    // Indexed by kanji number.
    std::array<std::string, KanjiSlots> KanjiText;
    std::array<std::int32_t, KanjiSlots> YomiCount{};
    std::array<std::int32_t, KanjiSlots> YomiTotal{};

    // Attributes: kanji n at slot n - 1.
    std::array<std::int32_t, AttributeSlots> HaitouNen{};
    std::array<std::int32_t, AttributeSlots> KakuSuu{};
    std::array<std::int32_t, AttributeSlots> BushuNo{};
    std::array<std::int32_t, AttributeSlots> NaritachiType{};
    std::array<std::int32_t, AttributeSlots> HitujunFlag{};

    // Indexed by reading index; GokuText[k][c] is the example of column c (0-based).
    std::array<std::string, ReadingSlots> YomiText;
    std::array<AprRow, ReadingSlots> AprRecord{};
    std::array<std::array<std::string, Columns>, ReadingSlots> GokuText;

    // Indexed by radical number.
    std::array<std::string, RadicalSlots> BushuName;
    std::array<std::string, RadicalSlots> BushuYomi;

    std::array<std::string, Columns> ColumnLabel;
    std::string AprNote;
    std::string GokuNote;

    /// Reading index of the first reading of kanji n (1..MaxKanji): 0 for kanji 1, else the running
    /// total of kanji n - 1. Any other n yields -1. The result is as the file gave it: check it
    /// with isReadingIndex before indexing.
    std::int32_t FirstYomi(std::int32_t n) const;

    /// The kanji number whose master-list text equals `text` byte for byte, the smallest first.
    std::optional<std::int32_t> FindKanji(std::string_view text) const;

    static bool isKanjiNumber(std::int64_t n) { return n >= 1 && n <= MaxKanji; }
    static bool isReadingIndex(std::int64_t i) { return i >= 0 && i < ReadingSlots; }
    static bool isRadicalNumber(std::int64_t r) { return r >= 0 && r < RadicalSlots; }

    /// The labels before any file is read: 光村 東書 教出 学図 三省 ････ (Shift-JIS).
    static const std::array<std::string, Columns>& defaultColumnLabels();
};

} // namespace sorban::data
