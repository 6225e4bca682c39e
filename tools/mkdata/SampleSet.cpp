#include "mkdata/SampleSet.h"

#include "data/KanjiStore.h"
#include "mkdata/RadicalNames.h"
#include "mkdata/Unicode.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <stdexcept>
#include <tuple>

namespace mkdata {
namespace {

constexpr int MaxReadings = sorban::data::ReadingSlots;

// A fixed mix of small numbers: the same input always gives the same sample values.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    std::uint32_t h = 2166136261u;
    for (const std::uint32_t v : {a, b, c}) {
        h ^= v;
        h *= 16777619u;
        h ^= h >> 13;
    }
    return h;
}

struct Candidate {
    std::u32string stem; ///< hiragana before the okurigana (the whole reading for on)
    std::u32string okurigana;
    bool on = false;
    std::u32string shown;
};

// KANJIDIC2's readings as candidates, on first. An affix form ("-び", "わる-") is kept only when it
// is more than one kana and does not merely extend the stem of a plain reading ("ゆき" of ゆ.く).
std::vector<Candidate> candidates(const KanjiEntry& k)
{
    std::vector<Candidate> out;
    const auto add = [&out](Candidate c) {
        for (const auto& have : out)
            if (have.shown == c.shown)
                return;
        out.push_back(std::move(c));
    };
    const auto without = [](std::u32string s, std::u32string_view marks) {
        s.erase(std::remove_if(s.begin(), s.end(), [&](char32_t ch) { return marks.find(ch) != marks.npos; }), s.end());
        return s;
    };
    for (const auto& on : k.on) {
        const std::u32string plain = without(on, U"-");
        add({toHiragana(plain), {}, true, plain});
    }
    std::vector<std::u32string> stems;
    for (const auto& kun : k.kun)
        if (kun.find(U'-') == std::u32string::npos)
            stems.push_back(kun.substr(0, kun.find(U'.')));
    for (const auto& kun : k.kun) {
        const std::u32string plain = without(kun, U"-");
        if (plain.size() != kun.size()) {
            const std::u32string joined = without(plain, U".");
            const bool extendsStem = std::any_of(stems.begin(), stems.end(), [&](const auto& s) { return joined.starts_with(s); });
            if (joined.size() < 2 || extendsStem)
                continue;
        }
        const auto dot = plain.find(U'.');
        Candidate c;
        c.stem = plain.substr(0, dot);
        if (dot != std::u32string::npos)
            c.okurigana = plain.substr(dot + 1);
        c.shown = c.okurigana.empty() ? c.stem : c.stem + U"(" + c.okurigana + U")";
        add(std::move(c));
    }
    return out;
}

// Sound changes a reading takes inside words: a small っ for a final く, き, つ or ち, and a
// voiced first kana after another kanji.
std::vector<std::u32string> variants(const std::u32string& base, bool atStart)
{
    std::vector<std::u32string> out{base};
    if (base.size() >= 2 && std::u32string_view(U"くきつち").find(base.back()) != std::u32string_view::npos)
        out.push_back(base.substr(0, base.size() - 1) + U'っ');
    static const std::u32string_view plain = U"かきくけこさしすせそたちつてとはひふへほはひふへほ";
    static const std::u32string_view voiced = U"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
    if (!atStart && !base.empty()) {
        for (std::size_t at = plain.find(base[0]); at != std::u32string_view::npos; at = plain.find(base[0], at + 1)) {
            std::u32string v = base;
            v[0] = voiced[at];
            out.push_back(v);
        }
    }
    return out;
}

bool uses(const Word& w, char32_t kanji, const Candidate& c)
{
    const auto pos = w.text.find(kanji);
    if (pos == std::u32string::npos)
        return false;
    std::u32string tail;
    for (std::size_t i = pos + 1; i < w.text.size() && isHiragana(w.text[i]); ++i)
        tail += w.text[i];
    if (!c.okurigana.empty() && (tail.empty() || tail[0] != c.okurigana[0]))
        return false;
    const std::u32string reading = toHiragana(w.reading);
    const bool last = pos + 1 == w.text.size();
    for (const auto& v : variants(c.stem, pos == 0)) {
        const std::u32string piece = v + tail;
        if (pos == 0 ? reading.starts_with(piece) : last ? reading.ends_with(piece) : reading.find(piece) != std::u32string::npos)
            return true;
    }
    return false;
}

// The readings each kanji keeps: its most used reading always, then the most used readings of
// all kanji until the table's 2450 are reached; shown in the dictionary's order.
void chooseReadings(std::vector<SampleKanji>& out, const std::vector<Word>& words)
{
    std::map<char32_t, std::vector<const Word*>> byKanji;
    for (const auto& w : words)
        for (const char32_t ch : w.text)
            if (isKanji(ch) && (byKanji[ch].empty() || byKanji[ch].back() != &w))
                byKanji[ch].push_back(&w);

    struct Scored {
        std::size_t kanji, index;
        std::size_t score;
    };
    std::vector<std::vector<Candidate>> all(out.size());
    std::vector<std::vector<std::vector<std::u32string>>> used(out.size());
    std::vector<Scored> optional;
    std::vector<std::vector<bool>> keep(out.size());
    int kept = 0;
    for (std::size_t k = 0; k < out.size(); ++k) {
        const char32_t ch = out[k].source->literal[0];
        all[k] = candidates(*out[k].source);
        if (all[k].empty())
            throw std::runtime_error("a kanji without readings in KANJIDIC2");
        used[k].resize(all[k].size());
        keep[k].assign(all[k].size(), false);
        for (std::size_t r = 0; r < all[k].size(); ++r)
            for (const Word* w : byKanji[ch])
                if (w->text.size() >= 2 && uses(*w, ch, all[k][r]))
                    used[k][r].push_back(w->text);
        std::size_t best = 0;
        for (std::size_t r = 1; r < all[k].size(); ++r)
            if (used[k][r].size() > used[k][best].size())
                best = r;
        keep[k][best] = true;
        ++kept;
        for (std::size_t r = 0; r < all[k].size(); ++r)
            if (r != best && !used[k][r].empty())
                optional.push_back({k, r, used[k][r].size()});
    }
    std::stable_sort(optional.begin(), optional.end(), [](const Scored& a, const Scored& b) { return a.score > b.score; });
    for (const auto& s : optional) {
        if (kept >= MaxReadings)
            break;
        keep[s.kanji][s.index] = true;
        ++kept;
    }
    for (std::size_t k = 0; k < out.size(); ++k) {
        for (std::size_t r = 0; r < all[k].size(); ++r) {
            if (!keep[k][r])
                continue;
            Reading reading;
            reading.common = !used[k][r].empty();
            reading.shown = all[k][r].shown + (reading.common ? U"" : U"(▲)");
            reading.kana = all[k][r].stem + all[k][r].okurigana;
            reading.words = used[k][r];
            std::sort(reading.words.begin(), reading.words.end(),
                      [](const auto& a, const auto& b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
            reading.words.erase(std::unique(reading.words.begin(), reading.words.end()), reading.words.end());
            out[k].readings.push_back(std::move(reading));
        }
    }
}

std::u32string firstReadingKey(const KanjiEntry& k)
{
    const std::u32string first = !k.on.empty() ? k.on.front() : k.kun.front();
    std::u32string plain;
    for (const char32_t ch : first)
        if (ch != U'-' && ch != U'.')
            plain += ch;
    return gojuonKey(plain);
}

// Sample appearances: most readings appear in most columns, in the kanji's grade or a later one.
std::array<Appearance, 6> appearanceRow(const SampleKanji& k, std::size_t r)
{
    std::array<Appearance, 6> row;
    const Reading& reading = k.readings[r];
    if (!reading.common)
        return row;
    for (std::uint32_t c = 0; c < 6; ++c) {
        const std::uint32_t h = mix(static_cast<std::uint32_t>(k.number), static_cast<std::uint32_t>(r), c);
        if (h % 10 == 0)
            continue;
        const int grade = std::min(6, k.source->grade + (r == 0 ? 0 : static_cast<int>((h >> 4) % 3)));
        const int part = c == 5 || (c == 4 && grade >= 5) ? 0 : 1 + static_cast<int>((h >> 6) % 2);
        Appearance& a = row[c];
        a.code = grade * 10 + part;
        a.page = 1 + static_cast<int>((h >> 8) % 140);
        if (!reading.words.empty())
            a.example = reading.words[(h >> 16) % std::min<std::size_t>(3, reading.words.size())];
    }
    return row;
}

// The jukujikun words of the official appendix table that primary schools teach.
const std::vector<std::pair<std::u32string_view, std::u32string_view>>& jukujikunWords()
{
    static const std::vector<std::pair<std::u32string_view, std::u32string_view>> words = {
        {U"明日", U"あす"},       {U"大人", U"おとな"},     {U"母さん", U"かあさん"}, {U"河原", U"かわら"},   {U"川原", U"かわら"},
        {U"昨日", U"きのう"},     {U"今日", U"きょう"},     {U"果物", U"くだもの"},   {U"今朝", U"けさ"},     {U"景色", U"けしき"},
        {U"今年", U"ことし"},     {U"清水", U"しみず"},     {U"上手", U"じょうず"},   {U"七夕", U"たなばた"}, {U"一日", U"ついたち"},
        {U"手伝う", U"てつだう"}, {U"父さん", U"とうさん"}, {U"時計", U"とけい"},     {U"友達", U"ともだち"}, {U"兄さん", U"にいさん"},
        {U"姉さん", U"ねえさん"}, {U"博士", U"はかせ"},     {U"二十日", U"はつか"},   {U"一人", U"ひとり"},   {U"二人", U"ふたり"},
        {U"二日", U"ふつか"},     {U"下手", U"へた"},       {U"部屋", U"へや"},       {U"迷子", U"まいご"},   {U"真っ赤", U"まっか"},
        {U"真っ青", U"まっさお"}, {U"眼鏡", U"めがね"},     {U"八百屋", U"やおや"},
    };
    return words;
}

std::vector<Jukujikun> makeJukujikun(const std::vector<KanjiEntry>& kanji)
{
    std::map<char32_t, int> grade;
    for (const auto& k : kanji)
        grade[k.literal[0]] = k.grade;
    std::vector<Jukujikun> out;
    std::uint32_t row = 0;
    for (const auto& [word, reading] : jukujikunWords()) {
        Jukujikun j{std::u32string(word), std::u32string(reading), {}};
        int taught = 1;
        for (const char32_t ch : word)
            if (grade.count(ch))
                taught = std::max(taught, grade[ch]);
        for (std::uint32_t c = 0; c < 6; ++c) {
            const std::uint32_t h = mix(5000 + row, 0, c);
            if (h % 8 == 0)
                continue;
            const int g = std::min(6, taught + static_cast<int>((h >> 4) % 2));
            j.columns[c].code = g * 10 + (c == 5 ? 0 : 1 + static_cast<int>((h >> 6) % 2));
            j.columns[c].page = 1 + static_cast<int>((h >> 8) % 140);
            j.columns[c].example = j.word;
        }
        out.push_back(std::move(j));
        ++row;
    }
    return out;
}

} // namespace

SampleSet buildSampleSet(const std::vector<KanjiEntry>& kanji, const std::vector<Word>& words, const std::map<int, char32_t>& cjkRadicals,
                         const std::vector<bool>& hasGlyph)
{
    std::vector<std::size_t> order(kanji.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::u32string> keys;
    keys.reserve(kanji.size());
    for (const auto& k : kanji)
        keys.push_back(firstReadingKey(k));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::tie(keys[a], kanji[a].strokes, kanji[a].literal) < std::tie(keys[b], kanji[b].strokes, kanji[b].literal);
    });

    // Japanese dictionaries name these radicals by their modern forms; 疒 and 辵 have no
    // Shift-JIS form at all, so a common (non-education) kanji built on them stands in.
    const std::map<int, std::u32string> modernForms = {{58, U"彑"},  {63, U"戸"},  {104, U"疾"}, {162, U"込"}, {199, U"麦"},
                                                       {201, U"黄"}, {203, U"黒"}, {211, U"歯"}, {212, U"竜"}, {213, U"亀"}};
    SampleSet set;
    std::map<int, int> radicalIndex;
    for (const auto& k : kanji)
        radicalIndex[k.radical] = 0;
    for (auto& [kangxi, index] : radicalIndex) {
        index = static_cast<int>(set.radicals.size());
        const auto modern = modernForms.find(kangxi);
        set.radicals.push_back({kangxi, modern != modernForms.end() ? modern->second : std::u32string(1, cjkRadicals.at(kangxi)),
                                std::u32string(radicalName(kangxi))});
    }

    for (std::size_t i = 0; i < order.size(); ++i) {
        SampleKanji k;
        k.source = &kanji[order[i]];
        k.number = static_cast<int>(i) + 1;
        k.radicalIndex = radicalIndex.at(k.source->radical);
        k.hasPicture = hasGlyph[order[i]];
        set.kanji.push_back(std::move(k));
    }
    chooseReadings(set.kanji, words);
    for (auto& k : set.kanji) {
        for (std::size_t r = 0; r < k.readings.size(); ++r)
            k.appearances.push_back(appearanceRow(k, r));
        set.readingTotal += static_cast<int>(k.readings.size());
    }
    set.jukujikun = makeJukujikun(kanji);
    return set;
}

} // namespace mkdata
