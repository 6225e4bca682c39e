#include "textcheck/Aligner.h"

#include "textcheck/Kana.h"
#include "textcheck/ReadingTable.h"

#include <limits>

namespace sorban::textcheck {
namespace {

constexpr int MaxSurface = 24;
constexpr int MaxReading = 72;
constexpr int Impossible = std::numeric_limits<int>::max() / 4;
constexpr int ChangeCost = 1;
constexpr int OtherKanjiCost = 3; // above any sound change: a reading in the data wins
constexpr int JukujiGuessCost = 50;
constexpr int UnlistedCost = 100;

bool isWordKanji(char32_t c)
{
    return isKanji(c) || c == RepeatMark || c == U'ヶ' || c == U'ヵ' || c == U'〆';
}

struct Variant {
    std::u32string text;
    int cost;
};

// The forms a reading takes inside a word: as it is, its first sound voiced or half-voiced (not at
// the word's start), its last sound doubled (ツ, チ, ク, キ → ッ), and both.
std::vector<Variant> variantsOf(const std::u32string& stem, bool wordStart)
{
    std::vector<Variant> out{{stem, 0}};
    std::vector<std::u32string> starts{stem};
    if (!wordStart) {
        for (const char32_t changed : {voicedKana(stem[0]), halfVoicedKana(stem[0])}) {
            if (changed == 0)
                continue;
            std::u32string s = stem;
            s[0] = changed;
            s = comparable(s); // readings are compared with ヂ as ジ, ヅ as ズ
            out.push_back({s, ChangeCost});
            starts.push_back(s);
        }
    }
    if (stem.size() >= 2 && std::u32string_view(U"ツチクキ").find(stem.back()) != std::u32string_view::npos) {
        for (std::size_t k = 0; k < starts.size(); ++k) {
            std::u32string s = starts[k];
            s.back() = U'ッ';
            out.push_back({s, ChangeCost * (k == 0 ? 1 : 2)});
        }
    }
    return out;
}

struct Step {
    Segment::Kind kind = Segment::Kind::Kana;
    int surfaceLength = 0;
    int readingLength = 0;
    int ref = -1;
    bool soundChange = false;
    bool guess = false;     // its reading is what the rest leaves
    bool education = false; // an education kanji guessed
};

class Search {
public:
    Search(std::u32string_view surface, std::u32string_view reading, const ReadingTable& table)
        : m_surface(surface), m_reading(reading), m_table(table)
    {
        m_memo.assign(static_cast<std::size_t>((m_surface.size() + 1) * (m_reading.size() + 1) * 4), Unsolved);
        m_steps.resize(m_memo.size());
    }

    bool solve() { return cost(0, 0, false, false) < Impossible; }
    std::vector<Segment> segments() const;

private:
    static constexpr int Unsolved = -1;
    std::size_t key(std::size_t i, std::size_t j, bool used, bool afterGuess) const
    {
        return ((i * (m_reading.size() + 1) + j) * 2 + (used ? 1 : 0)) * 2 + (afterGuess ? 1 : 0);
    }
    int cost(std::size_t i, std::size_t j, bool used, bool afterGuess);
    void tryStep(std::size_t i, std::size_t j, bool used, bool afterGuess, const Step& step, int stepCost, int& best, Step& chosen);
    void kanjiSteps(std::size_t i, std::size_t j, bool used, bool afterGuess, int& best, Step& chosen);
    void guessSteps(std::size_t i, std::size_t j, bool used, int& best, Step& chosen);
    std::int32_t numberAt(std::size_t i) const;

    std::u32string_view m_surface, m_reading;
    const ReadingTable& m_table;
    std::vector<int> m_memo;
    std::vector<Step> m_steps;
};

std::int32_t Search::numberAt(std::size_t i) const
{
    // the repeat mark reads as the kanji before it
    while (i > 0 && m_surface[i] == RepeatMark)
        --i;
    return m_table.number(m_surface[i]);
}

void Search::tryStep(std::size_t i, std::size_t j, bool used, bool afterGuess, const Step& step, int stepCost, int& best, Step& chosen)
{
    if (step.guess && afterGuess)
        return; // two open pieces side by side leave their border open
    const int rest = cost(i + static_cast<std::size_t>(step.surfaceLength), j + static_cast<std::size_t>(step.readingLength),
                          used || step.education, step.guess);
    if (rest < Impossible && rest + stepCost < best) {
        best = rest + stepCost;
        chosen = step;
    }
}

void Search::kanjiSteps(std::size_t i, std::size_t j, bool used, bool afterGuess, int& best, Step& chosen)
{
    const std::u32string_view readingLeft = m_reading.substr(j);
    for (const JukujiWord& word : m_table.words()) {
        if (m_surface.substr(i, word.kanji.size()) != word.kanji)
            continue;
        const auto length = static_cast<int>(word.kanji.size());
        if (readingLeft.starts_with(word.stem))
            tryStep(i, j, used, afterGuess, {Segment::Kind::Jukujikun, length, static_cast<int>(word.stem.size()), word.row}, 0, best,
                    chosen);
        for (std::size_t k = 1; k <= readingLeft.size() && k <= 6 * word.kanji.size(); ++k)
            tryStep(i, j, used, afterGuess, {Segment::Kind::Jukujikun, length, static_cast<int>(k), word.row, false, true}, JukujiGuessCost,
                    best, chosen);
    }
    const bool wordStart = i == 0 && m_surface[i] != RepeatMark;
    for (const KanjiReading& r : m_table.readings(numberAt(i))) {
        for (const auto& [form, extra] : {std::pair{&r.stem, 0}, std::pair{&r.joined, ChangeCost}}) {
            if (form->empty())
                continue;
            for (const Variant& v : variantsOf(*form, wordStart)) {
                if (readingLeft.starts_with(v.text))
                    tryStep(i, j, used, afterGuess,
                            {Segment::Kind::Reading, 1, static_cast<int>(v.text.size()), r.index, v.cost + extra > 0}, v.cost + extra, best,
                            chosen);
            }
        }
    }
}

// Kanji whose reading is taken from what the rest of the word leaves: a run of them, of which at
// most one in the word may be an education kanji.
void Search::guessSteps(std::size_t i, std::size_t j, bool used, int& best, Step& chosen)
{
    int education = 0;
    for (std::size_t end = i + 1; end <= m_surface.size() && isWordKanji(m_surface[end - 1]); ++end) {
        if (numberAt(end - 1) != 0)
            ++education;
        if (education + (used ? 1 : 0) > 1)
            return;
        const auto run = static_cast<int>(end - i);
        const bool unlisted = run == 1 && education == 1;
        const Segment::Kind kind = unlisted ? Segment::Kind::Unlisted : Segment::Kind::Unknown;
        for (std::size_t k = 1; j + k <= m_reading.size() && k <= 6 * static_cast<std::size_t>(run); ++k)
            tryStep(i, j, used, false, {kind, run, static_cast<int>(k), -1, false, true, education > 0},
                    UnlistedCost * education + OtherKanjiCost * (run - education), best, chosen);
    }
}

int Search::cost(std::size_t i, std::size_t j, bool used, bool afterGuess)
{
    if (i == m_surface.size())
        return j == m_reading.size() ? 0 : Impossible;
    if (j == m_reading.size())
        return Impossible;
    const std::size_t at = key(i, j, used, afterGuess);
    if (m_memo[at] != Unsolved)
        return m_memo[at];
    int best = Impossible;
    Step chosen;
    const char32_t c = m_surface[i];
    if (isWordKanji(c)) {
        kanjiSteps(i, j, used, afterGuess, best, chosen);
        if (!afterGuess)
            guessSteps(i, j, used, best, chosen);
    } else if (comparable(toKatakana(std::u32string(1, c)))[0] == m_reading[j]) {
        tryStep(i, j, used, false, {Segment::Kind::Kana, 1, 1}, 0, best, chosen);
    }
    m_memo[at] = best;
    m_steps[at] = chosen;
    return best;
}

std::vector<Segment> Search::segments() const
{
    std::vector<Segment> out;
    std::size_t i = 0, j = 0;
    bool used = false, afterGuess = false;
    while (i < m_surface.size()) {
        const Step& step = m_steps[key(i, j, used, afterGuess)];
        Segment s;
        s.kind = step.kind;
        s.begin = static_cast<int>(i);
        s.end = static_cast<int>(i) + step.surfaceLength;
        s.ref = step.ref;
        s.read = std::u32string(m_reading.substr(j, static_cast<std::size_t>(step.readingLength)));
        s.soundChange = step.soundChange;
        afterGuess = step.guess;
        used = used || step.education;
        out.push_back(std::move(s));
        i += static_cast<std::size_t>(step.surfaceLength);
        j += static_cast<std::size_t>(step.readingLength);
    }
    return out;
}

} // namespace

bool isFormOf(std::u32string_view form, const std::u32string& stem)
{
    if (stem.empty())
        return false;
    const std::u32string wanted = comparable(toKatakana(form));
    for (const Variant& v : variantsOf(stem, false))
        if (v.text == wanted)
            return true;
    return false;
}

std::vector<Segment> align(std::u32string_view surface, std::u32string_view reading, const ReadingTable& table)
{
    if (surface.empty() || reading.empty() || surface.size() > MaxSurface || reading.size() > MaxReading)
        return {};
    const std::u32string comparableReading = comparable(toKatakana(reading));
    Search search(surface, comparableReading, table);
    if (!search.solve())
        return {};
    return search.segments();
}

} // namespace sorban::textcheck
