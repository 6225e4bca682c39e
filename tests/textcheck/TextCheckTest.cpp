#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "jukuji/JukujiTables.h"
#include "platform/core/TextCodec.h"
#include "textcheck/Aligner.h"
#include "textcheck/Kana.h"
#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"
#include "textcheck/SentenceSet.h"
#include "textcheck/TextCheck.h"
#include "textcheck/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorban;
using textcheck::MarkKind;
using textcheck::Segment;

namespace {

const std::filesystem::path Sample = std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata";

std::u32string u32(const char* utf8)
{
    return textcheck::toU32(QString::fromUtf8(utf8));
}

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A store of a few kanji whose readings first appear in column 1 where the test says: the code
// of each reading (0 where the column never teaches it).
struct Kanji {
    const char* kanji;
    std::vector<std::pair<const char*, std::int32_t>> readings;
};

std::unique_ptr<data::KanjiStore> smallStore(const std::vector<Kanji>& kanji)
{
    auto store = std::make_unique<data::KanjiStore>();
    std::int32_t total = 0;
    for (std::size_t n = 1; n <= kanji.size(); ++n) {
        const Kanji& k = kanji[n - 1];
        store->KanjiText[n] = platform::utf8ToSjis(k.kanji);
        store->YomiCount[n] = static_cast<std::int32_t>(k.readings.size());
        for (const auto& [text, code] : k.readings) {
            store->YomiText[static_cast<std::size_t>(total)] = platform::utf8ToSjis(text);
            store->AprRecord[static_cast<std::size_t>(total)][0] = code;
            store->AprRecord[static_cast<std::size_t>(total)][1] = 10 + total;
            ++total;
        }
        store->YomiTotal[n] = total;
    }
    return store;
}

const std::vector<Kanji> Few = {
    {"学", {{"ガク", 11}, {"まな(ぶ)", 21}}},
    {"校", {{"コウ", 11}}},
    {"人", {{"ジン", 11}, {"ひと", 11}}},
    {"入", {{"ニュウ", 11}, {"い(る)", 11}, {"はい(る)", 11}}},
    {"口", {{"コウ", 11}, {"くち", 11}}},
    {"筆", {{"ヒツ", 31}, {"ふで", 31}}},
    {"生", {{"セイ", 11}, {"い(きる)", 11}, {"ショウ(▲)", 0}}},
    {"大", {{"ダイ", 11}, {"おお(きい)", 11}}},
    {"発", {{"ハツ", 11}}},
    {"表", {{"ヒョウ", 11}}},
};

QString describe(const std::vector<Segment>& segments)
{
    QString out;
    for (const Segment& s : segments)
        out += QStringLiteral("%1 %2:%3 ").arg(static_cast<int>(s.kind)).arg(s.begin).arg(textcheck::toQString(s.read));
    return out.trimmed();
}

class TextCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QString problem;
        analyser = textcheck::Morphology::load({}, problem).release();
        ASSERT_NE(analyser, nullptr) << problem.toStdString();
    }
    static void TearDownTestSuite() { delete analyser; }

    std::unique_ptr<data::KanjiStore> store = smallStore(Few);
    textcheck::ReadingTable table{*store, nullptr};
    static inline textcheck::Morphology* analyser = nullptr;
};

} // namespace

TEST_F(TextCheckTest, aWordsReadingSplitsOverItsKanjiWithTheSoundChangesOfCompounds)
{
    // surface, reading, the split (kind, first character, reading there); 1 = a reading of the data,
    // 0 = kana, 3 = a reading the data lacks, 4 = left open
    const struct {
        const char* surface;
        const char* reading;
        const char* split;
    } cases[] = {
        {"学校", "ガッコウ", "1 0:ガッ 1 1:コウ"},     // 促音化
        {"発表", "ハッピョウ", "1 0:ハッ 1 1:ピョウ"}, // 促音化 and 半濁
        {"人々", "ヒトビト", "1 0:ヒト 1 1:ビト"},     // the repeat mark, voiced
        {"入口", "イリグチ", "1 0:イリ 1 1:グチ"},     // okurigana dropped, 連濁
        {"学ぶ", "まなぶ", "1 0:マナ 0 1:ブ"},         // okurigana, hiragana reading
        {"鉛筆", "エンピツ", "4 0:エン 1 1:ピツ"},     // not an education kanji takes what is left
        {"学人", "ガクヤ", "1 0:ガク 3 1:ヤ"},         // one reading the data lacks
        {"生", "ナマ", "3 0:ナマ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(textcheck::align(u32(c.surface), u32(c.reading), table)).toStdString(), c.split) << c.surface;
    // Two readings the data lacks, or kana that do not match, leave no split at all.
    EXPECT_TRUE(textcheck::align(u32("大人"), u32("オトナ"), table).empty());
    EXPECT_TRUE(textcheck::align(u32("学ぶ"), u32("マナム"), table).empty());
    EXPECT_TRUE(textcheck::align(std::u32string(40, U'学'), u32("ガク"), table).empty()) << "too long to split";
}

TEST_F(TextCheckTest, marksTellUnlearnedKanjiAndReadingsAndNeverGuessLearned)
{
    const textcheck::TextChecker checker(table, analyser);
    // Column 1 up to １上 (11): 学 ガク, 校, 人 … learned; 学 まな(ぶ) from ２上; 筆 from ３上.
    const textcheck::CheckResult r = checker.check(u32("学校で学ぶ。\n筆と漢字、生の大人。"), 0, 11);
    ASSERT_TRUE(r.readingsChecked);
    QStringList got;
    for (const textcheck::Mark& m : r.marks)
        got << QStringLiteral("%1:%2 %3 %4 %5 %6").arg(m.line).arg(m.column).arg(m.kanji, m.reading, textcheck::kindName(m.kind), m.where);
    const QStringList expected = {
        u("1:4 学 まな 未習読み ２上：11"),               // learned kanji, reading from a later volume
        u("2:1 筆 ふで 未習漢字 ３上：21"),               // no reading of it learned yet
        u("2:3 漢 かんじ 教育漢字外 小学校では習わない"), // not education kanji: read together
        u("2:4 字 かんじ 教育漢字外 小学校では習わない"),
        u("2:6 生 なま 未習読み 小学校では習わない"), // a reading the data does not list
        u("2:8 大  読み不明 "),                       // おとな does not split over 大 and 人
        u("2:9 人  読み不明 "),
    };
    EXPECT_EQ(got.join(QLatin1Char('|')).toStdString(), expected.join(QLatin1Char('|')).toStdString());
    // By ２上 まなぶ is learned; ruby goes to every marked word but the unknown ones.
    const textcheck::CheckResult later = checker.check(u32("学ぶ"), 0, 21);
    EXPECT_TRUE(later.marks.empty());
    ASSERT_EQ(r.ruby.size(), 4u);
    EXPECT_EQ(textcheck::rubyPlain(u32("学校で学ぶ。\n筆と漢字、生の大人。"), r.ruby),
              u("学校で学（まな）ぶ。\n筆（ふで）と漢字（かんじ）、生（なま）の大人。"));
}

TEST_F(TextCheckTest, numbersAndCountersReadAsTheyAreSaidTogether)
{
    // The analyser gives each its dictionary form (イチ, ホン); the ruby must say いっぽん.
    const textcheck::TextChecker checker(table, analyser);
    QStringList got;
    for (const textcheck::KanjiInText& k : checker.readings(u32("一本、三本、六百、三匹、八回、十本、四分、三日")))
        got << textcheck::toQString(textcheck::toHiragana(k.wordReading));
    EXPECT_EQ(got.join(QLatin1Char(' ')).toStdString(), "いっ ぽん さん ぼん ろっ ぴゃく さん びき はっ かい じっ ぽん よん ぷん みっ か");
}

TEST_F(TextCheckTest, rubyCopiesCarryTheReadingAsHtmlRtfAndPlainText)
{
    const std::u32string text = u32("<学ぶ>\n{x}");
    const std::vector<textcheck::RubyWord> words = {{1, 3, u("まなぶ")}};
    EXPECT_EQ(textcheck::rubyPlain(text, words), u("<学（まな）ぶ>\n{x}"));
    const QString html = textcheck::rubyHtml(text, words);
    EXPECT_TRUE(html.contains(u("&lt;<ruby>学<rp>（</rp><rt>まな</rt><rp>）</rp></ruby>ぶ&gt;<br>"))) << html.toStdString();
    const QByteArray rtf = textcheck::rubyRtf(text, words);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    // 学 is U+5B66 (23398), ま U+307E (12414): the ruby field holds the reading, then the base
    EXPECT_TRUE(rtf.contains("EQ \\\\* jc2 \\\\* hps12 \\\\o\\\\ad(\\\\s\\\\up 11(\\u12414?\\u12394?),\\u23398?)")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\par\n\\{x\\}")) << "line ends and braces are escaped";
}

TEST_F(TextCheckTest, withoutTheAnalyserKanjiAloneAreJudgedAndTheMissingPackageIsNamed)
{
    QString problem;
    textcheck::AnalyserSetup setup;
    setup.dictionary = "/nonexistent/dic";
    EXPECT_EQ(textcheck::Morphology::load(setup, problem), nullptr);
    EXPECT_TRUE(problem.contains(u("mecab-ipadic-utf8"))) << problem.toStdString();
    setup = {};
    setup.library = "libmecab-missing.so.9";
    EXPECT_EQ(textcheck::Morphology::load(setup, problem), nullptr);
    EXPECT_TRUE(problem.contains(u("libmecab2"))) << problem.toStdString();

    const textcheck::CheckResult r = textcheck::TextChecker(table, nullptr).check(u32("学ぶ筆漢"), 0, 11);
    EXPECT_FALSE(r.readingsChecked);
    ASSERT_EQ(r.marks.size(), 2u) << "学 is learned: its reading is not checked";
    EXPECT_EQ(r.marks[0].kind, MarkKind::NewKanji);
    EXPECT_EQ(r.marks[1].kind, MarkKind::NotEducation);
    EXPECT_TRUE(r.ruby.empty()) << "no reading is known to give";
}

TEST(TextFileTest, filesDecodeAsUtf8OrShiftJisAndOthersAreRefusedUntouched)
{
    EXPECT_EQ(textcheck::decodeText(QByteArray("\xEF\xBB\xBF") + u("学校").toUtf8()).text, u("学校"));
    EXPECT_EQ(textcheck::decodeText(QByteArray("\xEF\xBB\xBF") + u("学校").toUtf8()).encoding, u("UTF-8（BOM付き）"));
    EXPECT_EQ(textcheck::decodeText(u("学校").toUtf8()).encoding, u("UTF-8"));
    const textcheck::LoadedText sjis = textcheck::decodeText(QByteArray::fromStdString(platform::utf8ToSjis("学校だより")));
    EXPECT_EQ(sjis.encoding, u("Shift-JIS"));
    EXPECT_EQ(sjis.text, u("学校だより"));
    EXPECT_FALSE(textcheck::decodeText(QByteArray("\x82\xa0\xff\xfe")).ok) << "neither UTF-8 nor Shift-JIS";
    EXPECT_FALSE(textcheck::decodeText(QByteArray("ab\0cd", 5)).ok) << "not text";

    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.txt"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(textcheck::MaxTextFileBytes + 1, 'a'));
    file.close();
    const textcheck::LoadedText refused = textcheck::readTextFile(big);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.problem.contains(u("1 MiB")));
    EXPECT_FALSE(textcheck::readTextFile(dir.path()).ok) << "a folder";
}

TEST(SentenceSetTest, theAnalyserReadsTheSentencesOfTheSetAsAnnotated)
{
    data::KanjiStore store;
    data::LoadYomiData(store, Sample);
    jukuji::JukujiTables jukuji;
    jukuji::readAppearances(jukuji, Sample);
    const textcheck::ReadingTable table(store, &jukuji);
    QString problem;
    const auto analyser = textcheck::Morphology::load({}, problem);
    ASSERT_NE(analyser, nullptr) << problem.toStdString();
    const textcheck::TextChecker checker(table, analyser.get());
    const std::vector<test::Sentence> set = test::readSentences(std::filesystem::path(SORBAN_TEST_SENTENCES));
    ASSERT_GE(set.size(), 100u);
    int judged = 0;
    for (const test::Sentence& s : set) {
        if (s.knownMiss)
            continue;
        const auto read = checker.readings(s.text);
        for (const test::ExpectedReading& e : s.expected) {
            const test::Verdict v = test::judge(e, read, table);
            ++judged;
            EXPECT_TRUE(v == test::Verdict::Right || v == test::Verdict::SameEntry || v == test::Verdict::Outside)
                << "line " << s.line << ": " << textcheck::toQString(s.text).toStdString() << " at " << e.begin;
        }
    }
    EXPECT_GT(judged, 400);
}
