#include "textcheck/TextCheck.h"

#include "data/AppearanceText.h"
#include "data/KanjiStore.h"
#include "data/VolumeOrder.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/TextCodec.h"
#include "textcheck/Aligner.h"
#include "textcheck/Kana.h"
#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"

namespace sorban::textcheck {
namespace {

struct Word {
    int begin = 0;
    int end = 0;
    std::u32string reading; // katakana; empty when unknown
};

bool isNumeral(char32_t c)
{
    return std::u32string_view(U"〇一二三四五六七八九十百千").find(c) != std::u32string_view::npos;
}

// The days of the month that the analyser reads as number and counter (三 サン + 日 ニチ): the
// number's reading for ミッカ and the others; none when the number is part of a larger one.
std::u32string_view dayReading(std::u32string_view text, const Token& number, const Token& counter)
{
    static constexpr std::u32string_view numbers = U"三四五六七八九十";
    static constexpr std::u32string_view readings[] = {U"ミッ", U"ヨッ", U"イツ", U"ムイ", U"ナノ", U"ヨウ", U"ココノ", U"トオ"};
    if (number.end - number.begin != 1 || counter.begin != number.end || counter.end - counter.begin != 1
        || text[static_cast<std::size_t>(counter.begin)] != U'日' || counter.reading != U"ニチ")
        return {};
    const char32_t n = text[static_cast<std::size_t>(number.begin)];
    const char32_t before = number.begin > 0 ? text[static_cast<std::size_t>(number.begin - 1)] : U' ';
    const auto at = numbers.find(n);
    if (at == std::u32string_view::npos || (isNumeral(before) && !(n == U'四' && before == U'十')))
        return {};
    return readings[at];
}

// A number and its counter as they are said together, where the analyser gives each its own
// reading: イチ + ホン → イッ + ポン, サン + ホン → サン + ボン, ロク + ヒャク → ロッ + ピャク.
void sayCounted(std::u32string_view text, Token& number, Token& counter)
{
    static constexpr std::u32string_view counters = U"本匹百杯分冊回個階歳才千足頭点発泊";
    std::u32string& n = number.reading;
    std::u32string& c = counter.reading;
    if (counter.begin != number.end || counter.end - counter.begin != 1 || n.empty() || c.empty())
        return;
    const char32_t unit = text[static_cast<std::size_t>(counter.begin)];
    for (int i = number.begin; i < number.end; ++i)
        if (!isNumeral(text[static_cast<std::size_t>(i)]) && text[static_cast<std::size_t>(i)] != U'何')
            return;
    if (counters.find(unit) == std::u32string_view::npos)
        return;
    const bool hRow = halfVoicedKana(c[0]) != 0;
    const bool doubled = voicedKana(c[0]) != 0; // カ, サ, タ and ハ rows: イチ → イッ
    const std::u32string_view stem(n);
    if (doubled && (stem.ends_with(U"イチ") || stem.ends_with(U"ロク") || stem.ends_with(U"ハチ") || stem.ends_with(U"ヒャク"))) {
        n.back() = U'ッ';
    } else if (doubled && stem.ends_with(U"ジュウ")) { // 十 before a counter, as the textbooks teach it: ジッ
        n.replace(n.size() - 3, 3, U"ジッ");
    } else if (stem.ends_with(U"サン") || stem.ends_with(U"ナン")) {
        if (unit == U'分' || unit == U'発' || unit == U'泊')
            c[0] = hRow ? halfVoicedKana(c[0]) : c[0];
        else if (hRow || unit == U'階' || unit == U'千')
            c[0] = voicedKana(c[0]);
        return;
    } else {
        if (stem.ends_with(U"ヨン") && unit == U'分')
            c[0] = halfVoicedKana(c[0]);
        return;
    }
    if (hRow)
        c[0] = halfVoicedKana(c[0]);
}

// The analyser's words, with the words of the jukujikun table that it cut in pieces joined again;
// a jukujikun word that it cut into number and counter (一人 イチ + ニン) reads as the table has it.
std::vector<Word> wordsOf(std::u32string_view text, std::vector<Token> tokens, const ReadingTable& table)
{
    for (std::size_t a = 0; a + 1 < tokens.size(); ++a) {
        if (const std::u32string_view day = dayReading(text, tokens[a], tokens[a + 1]); !day.empty()) {
            tokens[a].reading = day;
            tokens[a + 1].reading = U"カ";
        } else {
            sayCounted(text, tokens[a], tokens[a + 1]);
        }
    }
    std::vector<Word> words;
    for (std::size_t a = 0; a < tokens.size(); ++a) {
        Word w{tokens[a].begin, tokens[a].end, tokens[a].reading};
        for (const JukujiWord& j : table.words()) {
            const auto jEnd = static_cast<int>(w.begin + static_cast<int>(j.kanji.size()));
            if (jEnd <= w.end || text.substr(static_cast<std::size_t>(w.begin), j.kanji.size()) != j.kanji)
                continue;
            const bool counted = isNumeral(text[static_cast<std::size_t>(w.begin)]);
            while (a + 1 < tokens.size() && w.end < jEnd && tokens[a + 1].begin == w.end) {
                ++a;
                w.end = tokens[a].end;
                w.reading = w.reading.empty() || tokens[a].reading.empty() ? std::u32string{} : w.reading + tokens[a].reading;
            }
            // 一日 is いちにち as often as ついたち: the analyser's reading stands
            if (counted && w.end == jEnd && j.reading.size() == j.stem.size() && j.kanji != U"一日")
                w.reading = toKatakana(j.reading);
            break;
        }
        words.push_back(std::move(w));
    }
    return words;
}

// Each run of kanji on its own, unread: what is judged without the analyser.
std::vector<Word> kanjiRuns(std::u32string_view text)
{
    std::vector<Word> words;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isKanji(text[i]))
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && (isKanji(text[end]) || text[end] == RepeatMark))
            ++end;
        words.push_back({static_cast<int>(i), static_cast<int>(end), {}});
        i = end - 1;
    }
    return words;
}

QString q(const std::string& sjis)
{
    return QString::fromStdString(platform::sjisToUtf8(sjis));
}

// The learning state of one column up to one volume.
class Progress {
public:
    Progress(const ReadingTable& table, int column, std::int32_t volume) : m_table(table), m_column(column), m_volume(volume) {}

    bool learned(const KanjiReading& r) const { return !r.notTaught && data::metBy(code(r.index), m_volume); }
    bool kanjiLearned(std::int32_t n) const
    {
        for (const KanjiReading& r : m_table.readings(n))
            if (learned(r))
                return true;
        return false;
    }
    bool wordLearned(int row) const { return data::metBy(wordAppearance(row).code, m_volume); }
    QString placeOf(const KanjiReading& r) const
    {
        if (r.notTaught)
            return NotTaught;
        return place(code(r.index),
                     m_table.store().AprRecord[static_cast<std::size_t>(r.index)][2 * static_cast<std::size_t>(m_column) + 1]);
    }
    QString wordPlace(int row) const { return place(wordAppearance(row).code, wordAppearance(row).page); }
    // Where the kanji is met first in the column, for a kanji whose reading here is not known.
    QString firstPlace(std::int32_t n) const
    {
        const KanjiReading* first = nullptr;
        for (const KanjiReading& r : m_table.readings(n))
            if (!r.notTaught && data::volumeRank(code(r.index)) >= 0
                && (first == nullptr || data::volumeRank(code(r.index)) < data::volumeRank(code(first->index))))
                first = &r;
        return first == nullptr ? NotTaught : placeOf(*first);
    }
    const KanjiReading* readingOf(std::int32_t n, int index) const
    {
        for (const KanjiReading& r : m_table.readings(n))
            if (r.index == index)
                return &r;
        return nullptr;
    }

private:
    std::int32_t code(int index) const
    {
        return m_table.store().AprRecord[static_cast<std::size_t>(index)][2 * static_cast<std::size_t>(m_column)];
    }
    jukuji::Appearance wordAppearance(int row) const
    {
        const jukuji::JukujiTables* j = m_table.jukuji();
        return j == nullptr ? jukuji::Appearance{} : j->appearance[static_cast<std::size_t>(row)][static_cast<std::size_t>(m_column)];
    }
    static QString place(std::int32_t code, std::int32_t page)
    {
        return data::volumeRank(code) < 0 ? NotTaught : q(data::appearanceText(code, page)).trimmed();
    }

    const ReadingTable& m_table;
    int m_column;
    std::int32_t m_volume;
};

const Segment* segmentAt(const std::vector<Segment>& segments, int at)
{
    for (const Segment& s : segments)
        if (at >= s.begin && at < s.end)
            return &s;
    return nullptr;
}

// Judges one kanji of a word: whether it is marked, how, with what reading and place.
bool judge(Mark& m, const Segment* s, const Progress& progress)
{
    m.reading = s == nullptr ? QString() : toQString(toHiragana(s->read));
    const KanjiReading* r = s != nullptr && s->kind == Segment::Kind::Reading ? progress.readingOf(m.number, s->ref) : nullptr;
    if (m.number == 0) {
        m.kind = MarkKind::NotEducation;
        m.where = NotTaught;
        return true;
    }
    if (!progress.kanjiLearned(m.number)) {
        m.kind = MarkKind::NewKanji;
        m.where = r != nullptr ? progress.placeOf(*r) : progress.firstPlace(m.number);
        return true;
    }
    m.kind = MarkKind::NewReading;
    if (r != nullptr) {
        m.where = progress.placeOf(*r);
        return !progress.learned(*r);
    }
    if (s != nullptr && s->kind == Segment::Kind::Jukujikun) {
        m.where = progress.wordPlace(s->ref);
        return !progress.wordLearned(s->ref);
    }
    if (s != nullptr && s->kind == Segment::Kind::Unlisted) {
        m.where = NotTaught;
        return true;
    }
    m.kind = MarkKind::Unknown;
    m.reading.clear();
    m.where.clear();
    return true;
}

} // namespace

QString kindName(MarkKind kind)
{
    switch (kind) {
    case MarkKind::NotEducation:
        return QStringLiteral("教育漢字外");
    case MarkKind::NewKanji:
        return QStringLiteral("未習漢字");
    case MarkKind::NewReading:
        return QStringLiteral("未習読み");
    case MarkKind::Unknown:
        break;
    }
    return QStringLiteral("読み不明");
}

std::vector<KanjiInText> TextChecker::readings(std::u32string_view text) const
{
    std::vector<KanjiInText> out;
    const std::vector<Word> words = m_morphology != nullptr ? wordsOf(text, m_morphology->parse(text), m_table) : kanjiRuns(text);
    for (const Word& w : words) {
        const std::u32string_view surface = text.substr(static_cast<std::size_t>(w.begin), static_cast<std::size_t>(w.end - w.begin));
        const std::vector<Segment> segments = align(surface, w.reading, m_table);
        for (int p = w.begin; p < w.end; ++p) {
            if (!isKanji(text[static_cast<std::size_t>(p)]))
                continue;
            KanjiInText k{p, w.begin, w.end, m_table.number(text[static_cast<std::size_t>(p)]), std::nullopt, w.reading};
            if (const Segment* s = segmentAt(segments, p - w.begin))
                k.segment = *s;
            out.push_back(std::move(k));
        }
    }
    return out;
}

CheckResult TextChecker::check(std::u32string_view text, int column, std::int32_t volume) const
{
    CheckResult result;
    result.readingsChecked = m_morphology != nullptr;
    const Progress progress(m_table, column, volume);
    std::vector<int> lineStarts{0};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == U'\n')
            lineStarts.push_back(static_cast<int>(i) + 1);
    int rubyWord = -1; // the word last given ruby
    for (const KanjiInText& k : readings(text)) {
        Mark m;
        m.at = k.at;
        m.wordBegin = k.wordBegin;
        m.wordEnd = k.wordEnd;
        const auto line = std::upper_bound(lineStarts.begin(), lineStarts.end(), k.at) - lineStarts.begin();
        m.line = static_cast<int>(line);
        m.column = k.at - lineStarts[static_cast<std::size_t>(line - 1)] + 1;
        m.number = k.number;
        m.word = toQString(text.substr(static_cast<std::size_t>(k.wordBegin), static_cast<std::size_t>(k.wordEnd - k.wordBegin)));
        m.kanji = toQString(text.substr(static_cast<std::size_t>(k.at), 1));
        const Segment* segment = k.segment ? &*k.segment : nullptr;
        const bool marked = result.readingsChecked ? judge(m, segment, progress)
                                                   : (m.number == 0 || !progress.kanjiLearned(m.number)) && judge(m, nullptr, progress);
        if (!marked)
            continue;
        if (m.kind != MarkKind::Unknown && !k.wordReading.empty() && rubyWord != k.wordBegin) {
            result.ruby.push_back({k.wordBegin, k.wordEnd, toQString(toHiragana(k.wordReading))});
            rubyWord = k.wordBegin;
        }
        result.marks.push_back(std::move(m));
    }
    return result;
}

namespace {

struct RubyPiece {
    QString before, base, reading, after;
};

// The word's kana at either end stay out of the ruby: 行き（いき） is 行（い）き.
RubyPiece rubyPiece(std::u32string_view surface, std::u32string reading)
{
    std::u32string s(surface);
    std::size_t lead = 0;
    while (lead < s.size() && lead < reading.size() && !isKanji(s[lead]) && toHiragana(s.substr(lead, 1))[0] == reading[lead])
        ++lead;
    std::size_t trail = 0;
    while (trail < s.size() - lead && trail < reading.size() - lead && !isKanji(s[s.size() - 1 - trail])
           && toHiragana(s.substr(s.size() - 1 - trail, 1))[0] == reading[reading.size() - 1 - trail])
        ++trail;
    return {toQString(s.substr(0, lead)), toQString(s.substr(lead, s.size() - lead - trail)),
            toQString(reading.substr(lead, reading.size() - lead - trail)), toQString(s.substr(s.size() - trail))};
}

template <typename Decorate>
QString withRuby(std::u32string_view text, const std::vector<RubyWord>& words, Decorate decorate, QString (*plain)(const QString&))
{
    QString out;
    std::size_t from = 0;
    for (const RubyWord& w : words) {
        const auto begin = static_cast<std::size_t>(w.begin);
        out += plain(toQString(text.substr(from, begin - from)));
        const RubyPiece piece = rubyPiece(text.substr(begin, static_cast<std::size_t>(w.end) - begin), toU32(w.reading));
        out += plain(piece.before) + (piece.reading.isEmpty() ? plain(piece.base) : decorate(piece)) + plain(piece.after);
        from = static_cast<std::size_t>(w.end);
    }
    return out + plain(toQString(text.substr(std::min(from, text.size()))));
}

QString htmlText(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>\n"));
}

QString asIs(const QString& text)
{
    return text;
}

// RTF text: its control characters escaped, every other character as \uN? (UTF-16 units), line ends as \par.
QString rtfText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\par\n");
        else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x80)
            out += c;
        else
            out += QStringLiteral("\\u%1?").arg(static_cast<qint16>(c.unicode()));
    }
    return out;
}

} // namespace

QString rubyHtml(std::u32string_view text, const std::vector<RubyWord>& words)
{
    const QString body = withRuby(
        text, words,
        [](const RubyPiece& p) {
            return QStringLiteral("<ruby>") + p.base.toHtmlEscaped() + QStringLiteral("<rp>（</rp><rt>") + p.reading.toHtmlEscaped()
                   + QStringLiteral("</rt><rp>）</rp></ruby>");
        },
        htmlText);
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><p>") + body + QStringLiteral("</p></body></html>");
}

QByteArray rubyRtf(std::u32string_view text, const std::vector<RubyWord>& words)
{
    const QString body = withRuby(
        text, words,
        [](const RubyPiece& p) {
            return QStringLiteral("{\\field{\\*\\fldinst { EQ \\\\* jc2 \\\\* hps12 \\\\o\\\\ad(\\\\s\\\\up 11(") + rtfText(p.reading)
                   + QLatin1Char(')') + QLatin1Char(',') + rtfText(p.base) + QStringLiteral(")}}{\\fldrslt }}");
        },
        rtfText);
    return (QStringLiteral("{\\rtf1\\ansi\\ansicpg932\\uc1\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 IPAGothic;}}\\f0 ") + body
            + QStringLiteral("}"))
        .toLatin1();
}

QString rubyPlain(std::u32string_view text, const std::vector<RubyWord>& words)
{
    return withRuby(
        text, words, [](const RubyPiece& p) { return p.base + QStringLiteral("（") + p.reading + QStringLiteral("）"); }, asIs);
}

} // namespace sorban::textcheck
