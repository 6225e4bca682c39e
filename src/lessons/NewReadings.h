#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sorban::data {
class KanjiStore;
}
namespace sorban::jukuji {
struct JukujiTables;
}

namespace sorban::lessons {

/// What a row of a volume's list brings the class.
enum class Novelty {
    NewKanji,   ///< the kanji's first appearance in the column
    NewReading, ///< another reading of a kanji met before (or earlier in the same volume)
    Jukujikun,  ///< a word of the jukujikun table
};

/// A reading (or jukujikun word) whose first appearance in a column is in a given volume.
struct NewReading {
    std::int32_t page = 0;
    std::int32_t kanji = 0;    ///< the kanji number; 0 for a jukujikun word
    std::int32_t reading = -1; ///< the reading index; the jukujikun table's row for a word
    Novelty novelty = Novelty::NewKanji;
    std::int32_t firstCode = 0; ///< where a new reading's kanji was met first: code and page
    std::int32_t firstPage = 0;
};

/// A volume's counts: what is new in it, and what the class has met up to and including it.
struct VolumeTotals {
    int newKanji = 0;
    int newReadings = 0;
    int jukujikun = 0;
    int kanjiMet = 0;
    int readingsMet = 0;
};

/// The first appearances of every reading of the store (and every jukujikun word) in each textbook
/// column, gathered once, from which each volume's list is taken. A code that is no volume stands
/// in none.
class FirstAppearances {
public:
    FirstAppearances(const data::KanjiStore& store, const jukuji::JukujiTables& jukuji);

    /// The readings and words whose first appearance in column `col` (0-based) is in volume `code`,
    /// by page, then kanji number (words after the kanji of their page), then reading.
    std::vector<NewReading> newIn(int col, std::int32_t code) const;
    VolumeTotals totals(int col, std::int32_t code) const;
    /// The kanji of the volume's list, each once, in page order: its new kanji, and with
    /// `newReadingsToo` also the kanji whose new readings it brings (practice sheets of a volume).
    std::vector<std::int32_t> kanjiIn(int col, std::int32_t code, bool newReadingsToo) const;
    /// Whether column `col` has any appearance at all, and any in volume `code`.
    bool hasData(int col) const;
    bool hasVolume(int col, std::int32_t code) const;

private:
    struct Reading {
        std::int32_t kanji;
        std::int32_t index;
        std::array<std::int32_t, 6> code;
        std::array<std::int32_t, 6> page;
    };
    struct First {
        int rank = -1; // no appearance in the column
        std::int32_t code = 0;
        std::int32_t page = 0;
        std::int32_t index = 0;
    };
    std::vector<Reading> m_readings;
    std::vector<std::array<First, 6>> m_firstOfKanji; // by kanji number
    std::vector<std::int32_t> m_wordRows;             // the jukujikun table's rows that hold a word
    std::vector<std::array<std::int32_t, 6>> m_wordCode, m_wordPage;
};

} // namespace sorban::lessons
