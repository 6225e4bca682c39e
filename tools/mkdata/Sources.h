#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mkdata {

/// One education kanji as KANJIDIC2 describes it. Texts are UTF-8.
struct KanjiEntry {
    std::u32string literal;
    int grade = 0;
    int strokes = 0;
    int radical = 0;                 ///< classical (Kangxi) radical number, 1..214
    std::vector<std::u32string> on;  ///< katakana
    std::vector<std::u32string> kun; ///< hiragana, "." before okurigana, "-" for affixes
};

/// A common word of EDICT (an entry marked (P)).
struct Word {
    std::u32string text;
    std::u32string reading; ///< hiragana or katakana
};

/// The kanji of grades 1 to 6 of kanjidic2.xml.gz, in file order; throws unless there are 1026.
std::vector<KanjiEntry> readKanjidic(const std::filesystem::path& gzFile);

/// The common words of an EUC-JP EDICT file that have a kanji in their written form.
std::vector<Word> readEdict(const std::filesystem::path& file);

/// Radical number (1..214) to its unified ideograph, from CJKRadicals.txt.
std::map<int, char32_t> readCjkRadicals(const std::filesystem::path& file);

} // namespace mkdata
