#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "handwriting/HandwritingWindow.h"
#include "handwriting/WritingPad.h"
#include "settings/Settings.h"

#include <QAccessible>
#include <QListWidget>
#include <QPushButton>
#include <QTabletEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorban;
using handwriting::HandwritingWindow;
using handwriting::WritingPad;

namespace {

const std::filesystem::path Sample = std::filesystem::path(SORBAN_SAMPLE_DIR) / "kdata";

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// 木 as a hand draws it: its strokes through these points of the pad.
const std::vector<std::vector<QPoint>> Tree = {{{50, 120}, {150, 115}, {250, 110}},
                                               {{150, 30}, {150, 150}, {152, 280}},
                                               {{145, 120}, {100, 180}, {40, 240}},
                                               {{155, 120}, {200, 180}, {260, 240}}};
// 口 with its last two strokes swapped.
const std::vector<std::vector<QPoint>> Mouth = {{{80, 80}, {85, 220}}, {{85, 215}, {215, 215}}, {{80, 80}, {220, 80}, {215, 220}}};

class HandwritingWindowTest : public ::testing::Test {
protected:
    void SetUp() override { data::LoadYomiData(*store, Sample); }

    std::unique_ptr<HandwritingWindow> window(handwriting::RecogniserSetup setup = {})
    {
        auto w = std::make_unique<HandwritingWindow>(
            handwriting::HandwritingContext{*store, settings, [this](std::int32_t n) { shown.push_back(n); }, std::move(setup)}, nullptr);
        w->open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        EXPECT_TRUE(QTest::qWaitFor([&w] { return w->ready(); }, 20000));
        return w;
    }

    // Draws with the mouse and waits for the final row of candidates.
    static void draw(HandwritingWindow& w, const std::vector<std::vector<QPoint>>& strokes)
    {
        WritingPad& pad = w.pad();
        for (const auto& s : strokes) {
            QTest::mousePress(&pad, Qt::LeftButton, {}, s.front());
            for (const QPoint& p : s) {
                QMouseEvent move(QEvent::MouseMove, p, pad.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
                QCoreApplication::sendEvent(&pad, &move);
            }
            QTest::mouseRelease(&pad, Qt::LeftButton, {}, s.back());
        }
        EXPECT_TRUE(QTest::qWaitFor([&w] { return w.settled(); }, 5000));
    }

    std::int32_t number(const char* kanji) const { return handwriting::educationKanji(*store).at(u(kanji).toUcs4().constFirst()); }
    static QString first(const HandwritingWindow& w)
    {
        return w.candidates().empty() ? QString() : QString::fromUcs4(&w.candidates().front().kanji, 1);
    }

    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    settings::Settings settings;
    std::vector<std::int32_t> shown;
};

} // namespace

TEST_F(HandwritingWindowTest, aKanjiDrawnWithTheMouseIsOfferedAndPickedByItsDigit)
{
    auto w = window();
    draw(*w, Tree);
    EXPECT_EQ(first(*w), u("木"));
    EXPECT_EQ(w->status(), u("4画"));
    auto* row = w->findChild<QListWidget*>(QStringLiteral("candidates"));
    ASSERT_EQ(row->count(), static_cast<int>(w->candidates().size()));
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(row)->child(0);
    EXPECT_EQ(item->text(QAccessible::Name), u("木"));
    EXPECT_EQ(item->text(QAccessible::Description), u("数字キー 1")) << "a screen reader hears the digit that picks it";
    QTest::keyClick(w.get(), Qt::Key_1);
    ASSERT_EQ(shown, std::vector<std::int32_t>{number("木")});
    EXPECT_TRUE(w->pad().ink().empty()) << "the pad is ready for the next kanji";
    EXPECT_EQ(row->count(), 0);
    QTest::keyClick(w.get(), Qt::Key_1);
    EXPECT_EQ(shown.size(), 1U) << "nothing to pick on an empty pad";
}

TEST_F(HandwritingWindowTest, theMatchersRowComesAtOnceAndTheMergedRowAfter)
{
    auto w = window();
    WritingPad& pad = w->pad();
    for (const auto& s : Tree) {
        QTest::mousePress(&pad, Qt::LeftButton, {}, s.front());
        QTest::mouseRelease(&pad, Qt::LeftButton, {}, s.back());
    }
    EXPECT_EQ(first(*w), u("木")) << "shown before the trained recogniser has answered";
    EXPECT_FALSE(w->settled());
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w->settled(); }, 5000));
    EXPECT_EQ(first(*w), u("木"));
}

TEST_F(HandwritingWindowTest, strokesInAnotherOrderAreFoundAndEnterOrAClickPicks)
{
    auto w = window();
    draw(*w, Mouth);
    EXPECT_EQ(first(*w), u("口"));
    QTest::keyClick(w.get(), Qt::Key_Return);
    ASSERT_EQ(shown, std::vector<std::int32_t>{number("口")});

    draw(*w, Tree);
    auto* row = w->findChild<QListWidget*>(QStringLiteral("candidates"));
    const QRect second = row->visualItemRect(row->item(1));
    const std::int32_t secondNumber = w->candidates()[1].number;
    QTest::mouseClick(row->viewport(), Qt::LeftButton, {}, second.center());
    QTRY_COMPARE(shown.size(), 2U);
    EXPECT_EQ(shown.back(), secondNumber);
}

TEST_F(HandwritingWindowTest, theKeysAndButtonsTakeBackAStrokeOrClearThePad)
{
    auto w = window();
    draw(*w, Tree);
    QTest::keyClick(w.get(), Qt::Key_Backspace);
    EXPECT_EQ(w->pad().ink().strokes().size(), 3U);
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->pad().ink().strokes().size(), 2U);
    w->findChild<QPushButton*>(QStringLiteral("undo"))->click();
    EXPECT_EQ(w->pad().ink().strokes().size(), 1U);
    EXPECT_FALSE(w->candidates().empty()) << "the candidates follow what is left";
    draw(*w, Mouth);
    QTest::keyClick(w.get(), Qt::Key_Delete);
    EXPECT_TRUE(w->pad().ink().empty());
    EXPECT_TRUE(w->candidates().empty());
    draw(*w, Mouth);
    w->findChild<QPushButton*>(QStringLiteral("clear"))->click();
    EXPECT_TRUE(w->pad().ink().empty());
    EXPECT_TRUE(shown.empty());
}

TEST_F(HandwritingWindowTest, oneFingerOnATouchScreenWritesAndASecondDoesNot)
{
    auto w = window();
    static QPointingDevice* const screen = QTest::createTouchDevice(); // registered with Qt for the whole run
    WritingPad& pad = w->pad();
    for (const auto& s : Tree) {
        QTest::touchEvent(&pad, screen).press(0, s.front());
        for (const QPoint& p : s)
            QTest::touchEvent(&pad, screen).move(0, p);
        QTest::touchEvent(&pad, screen).release(0, s.back());
    }
    EXPECT_EQ(pad.ink().strokes().size(), 4U);
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w->settled(); }, 5000));
    EXPECT_EQ(first(*w), u("木"));
    // A palm resting beside the writing finger adds nothing.
    QTest::touchEvent(&pad, screen).press(0, {100, 100});
    QTest::touchEvent(&pad, screen).stationary(0).press(1, {250, 250});
    QTest::touchEvent(&pad, screen).move(0, {100, 200}).move(1, {260, 260});
    QTest::touchEvent(&pad, screen).release(0, {100, 200}).release(1, {260, 260});
    ASSERT_EQ(pad.ink().strokes().size(), 5U);
    EXPECT_EQ(pad.ink().strokes().back().back().y, 200);
}

TEST_F(HandwritingWindowTest, aPenWritesOnceNotAlsoAsTheMouse)
{
    auto w = window();
    WritingPad& pad = w->pad();
    const auto pen = [&pad](QEvent::Type type, QPointF at) {
        QTabletEvent e(type, QPointingDevice::primaryPointingDevice(), at, pad.mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, {}, Qt::LeftButton,
                       type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
        QCoreApplication::sendEvent(&pad, &e);
        return e.isAccepted();
    };
    EXPECT_TRUE(pen(QEvent::TabletPress, {80, 80}));
    pen(QEvent::TabletMove, {150, 150});
    pen(QEvent::TabletRelease, {220, 220});
    ASSERT_EQ(pad.ink().strokes().size(), 1U);
    ASSERT_EQ(pad.ink().strokes()[0].size(), 3U);
    EXPECT_EQ(pad.ink().strokes()[0].back().x, 220) << "the stroke ends where the pen was lifted";
    EXPECT_FALSE(w->candidates().empty());
}

TEST_F(HandwritingWindowTest, withoutTheModelTheWindowSaysWhichPackageIsMissing)
{
    handwriting::RecogniserSetup setup;
    setup.model = "/nonexistent/handwriting-ja.model";
    setup.templates = "/nonexistent/data.json";
    auto w = window(setup);
    EXPECT_TRUE(w->status().contains(u("tegaki-zinnia-japanese"))) << w->status().toStdString();
    EXPECT_TRUE(w->status().contains(u("python3-kanjidraw")));
    draw(*w, Tree);
    EXPECT_TRUE(w->candidates().empty());
    EXPECT_EQ(w->pad().ink().strokes().size(), 4U) << "the pad still takes strokes";
}

TEST_F(HandwritingWindowTest, anOutsiderIsGreyedAndNotPickedAndThePlaceIsKept)
{
    auto w = window();
    w->move(120, 80);
    draw(*w, Mouth);
    auto* row = w->findChild<QListWidget*>(QStringLiteral("candidates"));
    for (int i = 0; i < row->count(); ++i) {
        const bool outsider = w->candidates()[static_cast<std::size_t>(i)].number == 0;
        EXPECT_EQ(row->item(i)->flags().testFlag(Qt::ItemIsEnabled), !outsider);
        if (outsider) {
            EXPECT_TRUE(row->item(i)->toolTip().contains(u("教育漢字ではありません")));
            EXPECT_FALSE(w->pick(static_cast<std::size_t>(i)));
        }
    }
    EXPECT_EQ(w->pad().accessibleName(), u("手書き欄"));
    EXPECT_EQ(row->accessibleName(), u("候補"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(row)->role(), QAccessible::List);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    const auto place = settings.place("HANDWRITING");
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->left, w->x());
}
