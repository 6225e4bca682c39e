#pragma once

#include "mkdata/Sources.h"

#include <array>
#include <string>
#include <vector>

namespace mkdata {

struct Reading {
    std::u32string shown;              ///< as the table shows it: katakana, or hiragana with "(okurigana)", maybe "(▲)"
    std::u32string kana;               ///< hiragana, okurigana included, for the reading search
    bool common = false;               ///< occurs in a common word
    std::vector<std::u32string> words; ///< common words that use it, shortest first
};

/// One column's appearance of a reading: code grade * 10 + part, page; code 0 when absent.
struct Appearance {
    int code = 0;
    int page = 0;
    std::u32string example;
};

struct SampleKanji {
    const KanjiEntry* source = nullptr;
    int number = 0;       ///< place in the master order, 1..1026
    int radicalIndex = 0; ///< index into the radical list
    bool hasPicture = false;
    std::vector<Reading> readings;
    std::vector<std::array<Appearance, 6>> appearances; ///< one row per reading
};

struct SampleRadical {
    int kangxi = 0; ///< 1..214
    std::u32string character;
    std::u32string name;
};

struct Jukujikun {
    std::u32string word;
    std::u32string reading;
    std::array<Appearance, 6> columns;
};

struct SampleSet {
    std::vector<SampleKanji> kanji; ///< in master order
    std::vector<SampleRadical> radicals;
    std::vector<Jukujikun> jukujikun;
    int readingTotal = 0;
};

/// Chooses readings, orders the kanji and generates the sample appearances and examples.
/// `hasGlyph` tells whether the stroke-order font draws a kanji.
SampleSet buildSampleSet(const std::vector<KanjiEntry>& kanji, const std::vector<Word>& words, const std::map<int, char32_t>& cjkRadicals,
                         const std::vector<bool>& hasGlyph);

} // namespace mkdata
