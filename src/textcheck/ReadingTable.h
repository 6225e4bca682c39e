#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace sorban::data {
class KanjiStore;
}
namespace sorban::jukuji {
struct JukujiTables;
}

namespace sorban::textcheck {

/// One reading of an education kanji, as the text checker compares it.
struct KanjiReading {
    std::int32_t index = -1; ///< the store's reading index
    std::u32string stem;     ///< katakana without okurigana, for comparing (see `comparable`)
    std::u32string joined;   ///< with its okurigana's continuative form, as in compounds that drop it (入(る) → イリ of 入口)
    bool notTaught = false;  ///< marked (▲): not taught in primary school
};

/// A jukujikun word, read as a whole: its kanji (the word up to its first kana) and their reading.
struct JukujiWord {
    int row = 0;
    std::u32string kanji;
    std::u32string stem;    ///< katakana, for comparing
    std::u32string reading; ///< the whole word's reading, hiragana
};

/// The readings of the store's kanji and the jukujikun words, keyed by character, taken once from
/// the data for the checker; the data itself is read again only for first appearances.
class ReadingTable {
public:
    ReadingTable(const data::KanjiStore& store, const jukuji::JukujiTables* jukuji);

    /// The kanji number of `c` among the education kanji, 0 when it is none of them.
    std::int32_t number(char32_t c) const;
    /// The readings of kanji `n` in the data's order (none for an unknown number).
    const std::vector<KanjiReading>& readings(std::int32_t n) const;
    const std::vector<JukujiWord>& words() const { return m_words; }
    const data::KanjiStore& store() const { return m_store; }
    const jukuji::JukujiTables* jukuji() const { return m_jukuji; }

private:
    const data::KanjiStore& m_store;
    const jukuji::JukujiTables* m_jukuji;
    std::unordered_map<char32_t, std::int32_t> m_numbers;
    std::vector<std::vector<KanjiReading>> m_readings; // by kanji number
    std::vector<JukujiWord> m_words;
};

} // namespace sorban::textcheck
