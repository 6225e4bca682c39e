#include "textcheck/ReadingTable.h"

#include "data/KanjiStore.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/TextCodec.h"
#include "textcheck/Kana.h"

namespace sorban::textcheck {
namespace {

std::u32string u32(const std::string& sjis)
{
    return toU32(QString::fromStdString(platform::sjisToUtf8(sjis)));
}

// The continuative form of a verb's okurigana: ル → リ, ける → ケ; none for others (an adjective's イ).
std::u32string continuative(const std::u32string& okurigana)
{
    static constexpr std::u32string_view u = U"ウクグスツヌブムル";
    static constexpr std::u32string_view i = U"イキギシチニビミリ";
    if (okurigana.size() >= 2 && okurigana.back() == U'ル')
        return okurigana.substr(0, okurigana.size() - 1);
    if (okurigana.size() == 1 && u.find(okurigana[0]) != std::u32string_view::npos)
        return std::u32string(1, i[u.find(okurigana[0])]);
    return {};
}

// "わる(い)" → ワル, "エン(▲)" → エン: the part before the okurigana, in katakana, kana only.
KanjiReading readingOf(std::int32_t index, const std::u32string& text)
{
    KanjiReading r;
    r.index = index;
    r.notTaught = text.find(U'▲') != std::u32string::npos;
    std::u32string okurigana;
    bool inParentheses = false;
    for (const char32_t c : text) {
        if (c == U'(' || c == U'（')
            inParentheses = true;
        else if (c == U')' || c == U'）')
            inParentheses = false;
        else if (isHiragana(c) || isKatakana(c))
            (inParentheses ? okurigana : r.stem) += c;
    }
    r.stem = comparable(toKatakana(r.stem));
    const std::u32string tail = continuative(comparable(toKatakana(okurigana)));
    if (!r.stem.empty() && !tail.empty())
        r.joined = r.stem + tail;
    return r;
}

} // namespace

ReadingTable::ReadingTable(const data::KanjiStore& store, const jukuji::JukujiTables* jukuji)
    : m_store(store), m_jukuji(jukuji), m_readings(data::KanjiSlots)
{
    for (std::int32_t n = 1; n <= data::MaxKanji; ++n) {
        const std::u32string kanji = u32(store.KanjiText[static_cast<std::size_t>(n)]);
        if (kanji.size() != 1)
            continue;
        m_numbers.try_emplace(kanji[0], n); // the smallest number of a repeated kanji, as a lookup finds it
        const std::int32_t first = store.FirstYomi(n);
        for (std::int32_t i = first; i >= 0 && i < first + store.YomiCount[static_cast<std::size_t>(n)]; ++i) {
            if (!data::KanjiStore::isReadingIndex(i))
                break;
            KanjiReading r = readingOf(i, u32(store.YomiText[static_cast<std::size_t>(i)]));
            if (!r.stem.empty())
                m_readings[static_cast<std::size_t>(n)].push_back(std::move(r));
        }
    }
    if (jukuji == nullptr)
        return;
    for (int row = 0; row < jukuji::Rows; ++row) {
        const std::u32string word = u32(jukuji->word[static_cast<std::size_t>(row)]);
        const std::u32string reading = toHiragana(u32(jukuji->reading[static_cast<std::size_t>(row)]));
        std::size_t kanjiEnd = 0;
        while (kanjiEnd < word.size() && (isKanji(word[kanjiEnd]) || word[kanjiEnd] == RepeatMark))
            ++kanjiEnd;
        const std::u32string tail = toHiragana(word.substr(kanjiEnd));
        if (kanjiEnd == 0 || reading.empty() || reading.size() <= tail.size())
            continue;
        const bool endsWithTail = reading.compare(reading.size() - tail.size(), tail.size(), tail) == 0;
        const std::u32string stem = endsWithTail ? reading.substr(0, reading.size() - tail.size()) : reading;
        m_words.push_back({row, word.substr(0, kanjiEnd), comparable(toKatakana(stem)), reading});
    }
}

std::int32_t ReadingTable::number(char32_t c) const
{
    const auto it = m_numbers.find(c);
    return it == m_numbers.end() ? 0 : it->second;
}

const std::vector<KanjiReading>& ReadingTable::readings(std::int32_t n) const
{
    static const std::vector<KanjiReading> none;
    return data::KanjiStore::isKanjiNumber(n) ? m_readings[static_cast<std::size_t>(n)] : none;
}

} // namespace sorban::textcheck
