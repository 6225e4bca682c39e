#pragma once

#include "textcheck/TextCheck.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sorban::textcheck {
class ReadingTable;
}

namespace sorban::test {

/// What a kanji of a sentence reads there: one kanji, or a jukujikun word read as a whole.
struct ExpectedReading {
    int begin = 0; ///< the kanji (or the word's kanji) in the sentence
    int end = 0;
    std::u32string reading; ///< katakana
};

/// A sentence of the evaluation set, its readings, and whether the analyser is known to misread it.
struct Sentence {
    std::u32string text;
    std::vector<ExpectedReading> expected;
    bool knownMiss = false;
    int line = 0;
};

/// The set, from lines such as "{学校:がっ.こう}へ{行:い}く。" ("#" lines are comments, "?" marks a known miss).
std::vector<Sentence> readSentences(const std::filesystem::path& path);

enum class Verdict {
    Right,     ///< read as expected
    SameEntry, ///< the right reading of the data, in another form (ホン for ぼん): the mark is right, its ruby not
    Wrong,
    Unknown, ///< 読み不明
    Outside, ///< not an education kanji: marked as such whatever it reads
};

/// How the checker read one expected reading of a sentence.
Verdict judge(const ExpectedReading& expected, const std::vector<textcheck::KanjiInText>& read, const textcheck::ReadingTable& table);

} // namespace sorban::test
