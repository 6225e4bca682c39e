#include "platform/widgets/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace sorban::platform;

namespace {

QStringList buttonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const auto* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    return texts;
}

} // namespace

TEST(QtTranslationsTest, qtsOwnDialogsSpeakJapanese)
{
    QTranslator* catalogue = installQtTranslations(*qApp);
    ASSERT_NE(catalogue, nullptr) << "qtbase_ja.qm (qt6-translations-l10n) is not installed";

    QFileDialog files(nullptr, QStringLiteral("PDFに保存"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList fileButtons = buttonTexts(files);
    EXPECT_TRUE(fileButtons.contains(QStringLiteral("保存(&S)"))) << fileButtons.join(u'|').toStdString();
    EXPECT_TRUE(fileButtons.contains(QStringLiteral("キャンセル"))) << fileButtons.join(u'|').toStdString();

    QDialogButtonBox box(QDialogButtonBox::Close | QDialogButtonBox::Retry);
    EXPECT_EQ(box.button(QDialogButtonBox::Close)->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(box.button(QDialogButtonBox::Retry)->text(), QStringLiteral("再試行"));

    QCoreApplication::removeTranslator(catalogue);
    delete catalogue;
    QDialogButtonBox english(QDialogButtonBox::Close);
    EXPECT_EQ(english.button(QDialogButtonBox::Close)->text(), QStringLiteral("Close"));
}
