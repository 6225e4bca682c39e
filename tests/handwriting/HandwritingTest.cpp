#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "handwriting/InkSynth.h"
#include "handwriting/Recogniser.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sorban;
using handwriting::Ink;
using handwriting::Stroke;

namespace {

const std::filesystem::path Sample = std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata";
constexpr float Pad = 300;

char32_t k(const char* utf8)
{
    return QString::fromUtf8(utf8).toUcs4().constFirst();
}

// The education kanji of the sample set, and the recognisers over them, loaded once.
class Recognition : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        auto store = std::make_unique<data::KanjiStore>();
        data::LoadYomiData(*store, Sample);
        education = new handwriting::KanjiNumbers(handwriting::educationKanji(*store));
        QString problem;
        recogniser = handwriting::Recogniser::load({}, *education, problem).release();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        templates =
            new std::vector<handwriting::Template>(handwriting::readTemplates(handwriting::RecogniserSetup{}.templates, *education));
    }
    static void TearDownTestSuite()
    {
        delete recogniser;
        delete templates;
        delete education;
    }
    static const handwriting::Template& of(char32_t kanji)
    {
        return *std::find_if(templates->begin(), templates->end(), [kanji](const auto& t) { return t.kanji == kanji; });
    }
    static std::size_t rankOf(char32_t kanji, const std::vector<Stroke>& strokes)
    {
        const auto row = recogniser->candidates(strokes, Pad);
        const auto at = std::find_if(row.begin(), row.end(), [kanji](const auto& c) { return c.kanji == kanji; });
        return at == row.end() ? 99 : static_cast<std::size_t>(at - row.begin());
    }

    static inline handwriting::KanjiNumbers* education = nullptr;
    static inline handwriting::Recogniser* recogniser = nullptr;
    static inline std::vector<handwriting::Template>* templates = nullptr;
};

} // namespace

TEST(Ink, pointsAreClippedToThePadAndThinnedSoNoStrokeGrowsWithoutBound)
{
    Ink ink(Pad);
    ASSERT_TRUE(ink.begin(-50, 400));
    ink.extend(std::numeric_limits<float>::quiet_NaN(), 10);
    ink.extend(std::numeric_limits<float>::infinity(), 1e9F);
    for (const auto& p : ink.strokes().back()) {
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, Pad);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, Pad);
    }
    EXPECT_EQ(ink.strokes().back().front().y, Pad);
    ink.clear();

    // A pen reporting a hundred thousand points: the stroke keeps its ends and stays small.
    ink.begin(0, 0);
    for (int i = 1; i <= 100000; ++i)
        ink.extend(static_cast<float>(i % 300), static_cast<float>((i / 300) % 300));
    ink.extend(299, 299);
    ASSERT_TRUE(ink.end());
    EXPECT_LT(ink.strokes().back().size(), Ink::MaxPoints);
    EXPECT_EQ(ink.strokes().back().front().x, 0);
    EXPECT_EQ(ink.strokes().back().back().x, 299);
    EXPECT_FALSE(ink.end()) << "a stroke ends once";

    // Points closer than a hand can mean are one point; a tap is a stroke of one point.
    ink.begin(10, 10);
    ink.extend(10.5F, 10.5F);
    ink.end();
    EXPECT_EQ(ink.strokes().back().size(), 1U);
}

TEST(Ink, strokesAreCountedTakenBackAndCleared)
{
    Ink ink(Pad);
    for (std::size_t i = 0; i < Ink::MaxStrokes; ++i) {
        ASSERT_TRUE(ink.begin(1, 1));
        ink.end();
    }
    EXPECT_FALSE(ink.begin(5, 5)) << "a full pad takes no more strokes";
    EXPECT_FALSE(ink.writing());
    EXPECT_TRUE(ink.undo());
    EXPECT_EQ(ink.strokes().size(), Ink::MaxStrokes - 1);
    ink.extend(9, 9);
    EXPECT_EQ(ink.strokes().back().size(), 1U) << "no stroke is being written after an undo";
    ink.clear();
    EXPECT_TRUE(ink.empty());
    EXPECT_FALSE(ink.undo());
}

TEST_F(Recognition, theTemplatesAreTheEducationKanjiInNumberOrder)
{
    ASSERT_EQ(templates->size(), education->size());
    EXPECT_EQ(templates->front().number, 1);
    EXPECT_EQ(of(k("木")).strokes.size(), 4U);
    EXPECT_EQ(of(k("学")).number, education->at(k("学")));
    QTemporaryDir dir;
    const std::string broken = (dir.path() + QStringLiteral("/data.json")).toStdString();
    std::FILE* f = std::fopen(broken.c_str(), "w");
    std::fputs(R"({"1": {"一": [[1, 2, 3]]}, "2": {"ア": [[0, 0, 1, 1]]}, "4": )", f);
    std::fclose(f);
    EXPECT_TRUE(handwriting::readTemplates(broken, *education).empty()) << "a cut-off file gives nothing, not half";
}

// A sample of the test set: every 25th education kanji, written by the test's hand clean and
// with each slip; the ranks asked of the shipped program are those its teachers rely on.
TEST_F(Recognition, aSampleOfTheWrittenTestSetIsFoundCleanAndWithSlips)
{
    struct Goal {
        test::Slip slip;
        int firstAtLeast; // of 100
        int fiveAtLeast;
    };
    for (const Goal goal : {Goal{test::Slip::None, 95, 99}, Goal{test::Slip::Swapped, 90, 95}, Goal{test::Slip::LastMissing, 85, 95},
                            Goal{test::Slip::Joined, 85, 95}}) {
        std::mt19937 random(7 + static_cast<unsigned>(goal.slip));
        int writings = 0, first = 0, five = 0;
        for (std::size_t i = 0; i < templates->size(); i += 25) {
            const auto& t = (*templates)[i];
            if (goal.slip != test::Slip::None && t.strokes.size() < 2)
                continue;
            const std::size_t rank = rankOf(t.kanji, test::writtenBy(t, goal.slip, random, Pad));
            ++writings;
            first += rank == 0 ? 1 : 0;
            five += rank < 5 ? 1 : 0;
        }
        SCOPED_TRACE(static_cast<int>(goal.slip));
        EXPECT_GE(first * 100, goal.firstAtLeast * writings);
        EXPECT_GE(five * 100, goal.fiveAtLeast * writings);
    }
}

TEST_F(Recognition, theOrderOfStrokesDoesNotMatterToTheMatcher)
{
    const handwriting::StrokeMatcher matcher(*templates);
    std::mt19937 random(3);
    auto strokes = test::writtenBy(of(k("学")), test::Slip::None, random, Pad);
    const auto inOrder = matcher.rank(strokes, 1);
    std::reverse(strokes.begin(), strokes.end());
    const auto reversed = matcher.rank(strokes, 1);
    ASSERT_EQ(inOrder.size(), 1U);
    ASSERT_EQ(reversed.size(), 1U);
    EXPECT_EQ(matcher.templates()[reversed[0].index].kanji, k("学"));
    EXPECT_FLOAT_EQ(reversed[0].cost, inOrder[0].cost);
    // Written backwards, the whole kanji in reverse order, it is still found first.
    EXPECT_EQ(rankOf(k("学"), strokes), 0U);
}

TEST_F(Recognition, oddStrokesGiveCandidatesOrNoneButNeverFail)
{
    EXPECT_TRUE(recogniser->candidates({}, Pad).empty());
    const auto dot = recogniser->candidates({Stroke{{150, 150}}}, Pad);
    EXPECT_FALSE(dot.empty()) << "a single tap is a stroke like any other";
    std::vector<Stroke> many(Ink::MaxStrokes, Stroke{{0, 0}, {300, 300}});
    EXPECT_LE(recogniser->candidates(many, Pad).size(), handwriting::Recogniser::Shown + handwriting::Recogniser::Outsiders);
    std::vector<Stroke> same(5, Stroke{{100, 100}});
    EXPECT_FALSE(recogniser->candidates(same, Pad).empty()) << "strokes all on one spot";
    Stroke long_;
    for (int i = 0; i < 5000; ++i)
        long_.push_back({static_cast<float>(i % 300), static_cast<float>(std::abs(150 - i % 300))});
    EXPECT_FALSE(recogniser->candidates({long_}, Pad).empty());
}

TEST_F(Recognition, educationKanjiComeFirstAndAnOutsiderOnlyAtTheEnd)
{
    std::mt19937 random(11);
    for (const char* kanji : {"木", "口", "学", "森"}) {
        const auto row = recogniser->candidates(test::writtenBy(of(k(kanji)), test::Slip::LastMissing, random, Pad), Pad);
        ASSERT_GE(row.size(), handwriting::Recogniser::Shown);
        for (std::size_t i = 0; i < handwriting::Recogniser::Shown; ++i)
            EXPECT_NE(row[i].number, 0) << kanji;
        for (std::size_t i = handwriting::Recogniser::Shown; i < row.size(); ++i) {
            EXPECT_EQ(row[i].number, 0) << kanji;
            EXPECT_GE(row[i].kanji, U'\u3400') << "an outsider is a kanji, not a kana like one";
        }
    }
}

TEST_F(Recognition, whatIsMissingIsNamedByItsPackageAndTheRestStillWorks)
{
    QString problem;
    handwriting::RecogniserSetup noModel;
    noModel.model = "/nonexistent/handwriting-ja.model";
    auto r = handwriting::Recogniser::load(noModel, *education, problem);
    EXPECT_TRUE(problem.contains(QStringLiteral("tegaki-zinnia-japanese"))) << problem.toStdString();
    std::mt19937 random(5);
    const auto row = r->candidates(test::writtenBy(of(k("木")), test::Slip::None, random, Pad), Pad);
    ASSERT_FALSE(row.empty()) << "the order-free matcher still finds kanji";
    EXPECT_EQ(row[0].kanji, k("木"));

    handwriting::RecogniserSetup noLibrary;
    noLibrary.library = "libzinnia-nonexistent.so.0";
    noLibrary.templates = "/nonexistent/data.json";
    r = handwriting::Recogniser::load(noLibrary, *education, problem);
    EXPECT_TRUE(problem.contains(QStringLiteral("libzinnia0"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("python3-kanjidraw"))) << problem.toStdString();
    EXPECT_FALSE(r->works());
    EXPECT_TRUE(r->candidates({Stroke{{1, 1}, {200, 200}}}, Pad).empty());
}
