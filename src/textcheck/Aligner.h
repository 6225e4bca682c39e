#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorban::textcheck {

class ReadingTable;

/// A piece of a word and what it reads.
struct Segment {
    enum class Kind {
        Kana,      ///< kana (or another character) read as written
        Reading,   ///< one kanji read with one of its readings in the data (`ref` is the reading index)
        Jukujikun, ///< the kanji of a jukujikun word (`ref` is the jukujikun table's row)
        Unlisted,  ///< one education kanji read with a reading the data does not list
        Unknown,   ///< kanji whose reading the rest of the word leaves open (not education kanji, or several together)
    };
    Kind kind = Kind::Kana;
    int begin = 0; ///< characters of the word
    int end = 0;
    int ref = -1;
    std::u32string read; ///< katakana, as read here (学 of 学校 reads ガッ)
    bool soundChange = false;
};

/// Whether `form` (katakana) is the reading `stem` or one of its forms inside a word (サン → ザン, ハツ → ハッ).
bool isFormOf(std::u32string_view form, const std::u32string& stem);

/// Splits a word's reading (katakana) over its characters: each kanji takes one of its readings in
/// the data, maybe with the sound changes of compounds (連濁 カ→ガ, 半濁 ハ→パ, 促音化 ガク→ガッ), a
/// jukujikun word takes its reading, kana read as written. Of several splits the one with the fewest
/// changes wins. One education kanji may take a reading the data lacks when the rest splits cleanly
/// (Unlisted); kanji outside the data take what is left between the others. Empty when no split
/// exists or the word is too long to split.
std::vector<Segment> align(std::u32string_view surface, std::u32string_view reading, const ReadingTable& table);

} // namespace sorban::textcheck
