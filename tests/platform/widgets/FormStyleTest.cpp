#include "platform/widgets/FormStyle.h"

#include <QFontInfo>
#include <QIcon>
#include <QProxyStyle>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

using namespace sorban::platform;

TEST(FormStyleTest, fontsNameTheInstalledFamilyOfEachJapaneseFace)
{
    installFontSubstitutes();
    EXPECT_EQ(pixelFont(faces::PGothic, 12).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(pixelFont(faces::Mincho, 15, true).family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(installedFamily(faces::Gothic), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(pixelFont(faces::Gothic, 20)).family(), QStringLiteral("IPAGothic"));
    // A face the user picks by its own name keeps it.
    EXPECT_EQ(installedFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(pixelFont(faces::PGothic, 19, true).pixelSize(), 19);
    EXPECT_TRUE(pixelFont(faces::PGothic, 19, true).bold());
}

TEST(FormStyleTest, windowStyleIsFusionWithoutTheMenuBarOverflowIcon)
{
    const std::unique_ptr<QStyle> style(makeWindowStyle());
    const auto* proxy = qobject_cast<QProxyStyle*>(style.get());
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy->baseStyle()->name(), QStringLiteral("fusion"));
    EXPECT_TRUE(style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull());
    EXPECT_FALSE(style->standardIcon(QStyle::SP_ArrowUp).isNull());
}

TEST(FormStyleTest, aCaptionColourLeavesTheDisabledLookToThePlatform)
{
    QPushButton button(QStringLiteral("→筆順"));
    const QColor disabledBefore = button.palette().color(QPalette::Disabled, QPalette::ButtonText);
    setTextColor(&button, colors::Blue);
    EXPECT_EQ(button.palette().color(QPalette::Active, QPalette::ButtonText), colors::Blue);
    EXPECT_EQ(button.palette().color(QPalette::Inactive, QPalette::ButtonText), colors::Blue);
    EXPECT_EQ(button.palette().color(QPalette::Disabled, QPalette::ButtonText), disabledBefore);
    EXPECT_NE(disabledBefore, colors::Blue);

    // Setting the same colour again keeps the palette, and with it the style's cached pictures.
    const auto key = button.palette().cacheKey();
    setTextColor(&button, colors::Blue);
    EXPECT_EQ(button.palette().cacheKey(), key);
}

TEST(FormStyleTest, altAloneOpensTheMenuBarToTheKeyboard)
{
    const std::unique_ptr<QStyle> style(makeWindowStyle());
    EXPECT_EQ(style->styleHint(QStyle::SH_MenuBar_AltKeyNavigation), 1);
}
