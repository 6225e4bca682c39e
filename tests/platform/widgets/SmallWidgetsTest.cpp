#include "platform/widgets/FontDialog.h"
#include "platform/widgets/IdleWarmUp.h"
#include "platform/widgets/KeyPreview.h"
#include "platform/widgets/LampPanel.h"
#include "platform/widgets/UpDown.h"

#include <QIcon>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using namespace sorban::platform;

TEST(KeyPreviewTest, formSeesEveryKeyOnceBeforeTheFocusedControlWhichStillGetsIt)
{
    QWidget form;
    auto* edit = new QLineEdit(&form);
    auto* other = new QLineEdit(&form);
    new QVBoxLayout(&form);
    form.layout()->addWidget(edit);
    form.layout()->addWidget(other);
    std::vector<std::pair<int, QString>> seen;
    new KeyPreview(&form, [&](int key, Qt::KeyboardModifiers) { seen.emplace_back(key, edit->text()); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_F5, Qt::ShiftModifier); // ignored by the edit, so it travels to its parent
    EXPECT_EQ(edit->text(), QStringLiteral("a"));
    ASSERT_EQ(seen.size(), 3u);                                    // A, then Shift and F5 (the shift key is a key press of its own)
    EXPECT_EQ(seen[0], std::make_pair(int(Qt::Key_A), QString())); // before the edit took the letter
    EXPECT_EQ(seen[1].first, int(Qt::Key_Shift));
    EXPECT_EQ(seen[2].first, int(Qt::Key_F5));

    QWidget elsewhere;
    auto* outside = new QLineEdit(&elsewhere);
    elsewhere.show();
    QTest::keyClick(outside, Qt::Key_B);
    EXPECT_EQ(seen.size(), 3u); // keys of other windows are not previewed
}

TEST(UpDownTest, arrowsMoveByOneAndStopAtTheEnds)
{
    UpDown spinner;
    spinner.setRange(1, 1026);
    spinner.setPosition(1025);
    int clicks = 0;
    QObject::connect(&spinner, &UpDown::clicked, [&] { ++clicks; });
    spinner.upButton()->click();
    EXPECT_EQ(spinner.position(), 1026);
    spinner.upButton()->click();
    EXPECT_EQ(spinner.position(), 1026);
    spinner.setPosition(1);
    spinner.downButton()->click();
    EXPECT_EQ(spinner.position(), 1);
    EXPECT_EQ(clicks, 3);
    spinner.setPosition(70000); // a 16-bit position: 70000 wraps to 4464, then the range holds it
    EXPECT_EQ(spinner.position(), 1026);
    spinner.setPosition(-5);
    EXPECT_EQ(spinner.position(), 1);
}

TEST(LampPanelTest, paintsItsColourInsideTheBorder)
{
    LampPanel lamp;
    lamp.resize(18, 18);
    lamp.setColor(QColor(0, 0, 128));
    const QImage image = lamp.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(9, 9)), QColor(0, 0, 128));
    EXPECT_NE(QColor(image.pixel(0, 0)), QColor(0, 0, 128));
}

TEST(FontDialogTest, buttonsSpeakJapaneseAndShowNoPictures)
{
    FontDialog dialog(FontChoice{"IPAMincho", false, false, 0});
    QStringList texts;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        texts << button->text();
        EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
    }
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
}

namespace {

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

TEST(IdleWarmUpTest, drawsEachHiddenWindowOnceAfterTheMainWindowsFirstPaintAndStopsAtTheFirstKey)
{
    for (const bool userTypesFirst : {false, true}) {
        PaintCounter main;
        main.resize(200, 100);
        auto* hidden = new PaintCounter;
        auto* shown = new PaintCounter;
        const std::unique_ptr<QWidget> owner(hidden), owner2(shown);
        hidden->resize(300, 200);
        shown->resize(300, 200);
        const QPointer<IdleWarmUp> warmUp = new IdleWarmUp(&main, {hidden, shown});
        QCoreApplication::processEvents();
        EXPECT_EQ(hidden->paints, 0) << "nothing is drawn before the main window's first frame";

        if (userTypesFirst)
            QTest::keyClick(&main, Qt::Key_Down);
        shown->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown));
        const int shownPaints = shown->paints;
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        for (int turn = 0; turn < 10 && warmUp; ++turn) {
            QTest::qWait(5);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(hidden->paints, userTypesFirst ? 0 : 1);
        EXPECT_EQ(shown->paints, shownPaints) << "an open window is not drawn again off screen";
        EXPECT_TRUE(warmUp.isNull()) << "it removes itself when done";
    }
}
