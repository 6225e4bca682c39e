#pragma once

#include "textcheck/Aligner.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::textcheck {

class Morphology;
class ReadingTable;

/// Why a kanji of a text is marked.
enum class MarkKind {
    NotEducation = 1, ///< not one of the education kanji
    NewKanji,         ///< none of its readings learned yet (未習漢字)
    NewReading,       ///< learned, but read here as not yet learned or not taught in primary school (未習読み)
    Unknown,          ///< learned, but what it reads here could not be told (読み不明)
};

/// The kind's name as the window and the copies show it.
QString kindName(MarkKind kind);

/// One marked kanji of a text.
struct Mark {
    int at = 0; ///< the kanji's character in the text
    int wordBegin = 0;
    int wordEnd = 0;
    int line = 1; ///< 1-based, in characters
    int column = 1;
    std::int32_t number = 0; ///< the kanji number; 0 outside the education kanji
    MarkKind kind = MarkKind::NotEducation;
    QString word;
    QString kanji;
    QString reading; ///< hiragana, as read here; empty when not known
    QString where;   ///< where that reading is first taught in the column ("５上：34"), or why it is not
};

/// A marked word with its reading, for the copy with ruby.
struct RubyWord {
    int begin = 0;
    int end = 0;
    QString reading; ///< hiragana
};

struct CheckResult {
    std::vector<Mark> marks;
    std::vector<RubyWord> ruby;
    bool readingsChecked = false; ///< false without the analyser: kanji alone are judged
};

/// A kanji of a text and what the analyser and the split of its word made of it.
struct KanjiInText {
    int at = 0;
    int wordBegin = 0;
    int wordEnd = 0;
    std::int32_t number = 0;        ///< 0 outside the education kanji
    std::optional<Segment> segment; ///< none when the word's reading is not known or does not split
    std::u32string wordReading;     ///< katakana; empty when not known
};

/// What "not taught" reads like in the list.
inline const QString NotTaught = QStringLiteral("小学校では習わない");

/// Marks the kanji of a text that a class has not learned: by the first appearances of their
/// readings in a textbook column up to and including a volume, with the readings in context from
/// the analyser (when there is one).
class TextChecker {
public:
    TextChecker(const ReadingTable& table, const Morphology* morphology) : m_table(table), m_morphology(morphology) {}

    CheckResult check(std::u32string_view text, int column, std::int32_t volume) const;
    /// Every kanji of `text` with its reading there, in text order.
    std::vector<KanjiInText> readings(std::u32string_view text) const;

private:
    const ReadingTable& m_table;
    const Morphology* m_morphology;
};

/// The text as HTML with <ruby> for every word given, line ends as <br>.
QString rubyHtml(std::u32string_view text, const std::vector<RubyWord>& words);
/// The text as RTF with every word given as a ruby field (EQ \o\ad), which word processors keep as ruby.
QByteArray rubyRtf(std::u32string_view text, const std::vector<RubyWord>& words);
/// The text with every word given as 漢字（かんじ）.
QString rubyPlain(std::u32string_view text, const std::vector<RubyWord>& words);

} // namespace sorban::textcheck
