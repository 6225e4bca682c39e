#include "FormStyle.h"

#include <QFontInfo>
#include <QIcon>
#include <QProxyStyle>
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
