#include "platform/widgets/FormStyle.h"

#include "platform/widgets/Accessibility.h"
#include "platform/widgets/QtTranslations.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QWidget>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>

namespace sorban::platform {

std::jthread loadFontConfiguration()
{
    return std::jthread([] { FcInit(); });
}

namespace {

struct StandIn {
    const QString& face;
    QString family;
};

// The IPA font that stands for each Japanese face the windows name.
const std::array<StandIn, 3>& standIns()
{
    static const std::array<StandIn, 3> table{{{faces::PGothic, QStringLiteral("IPAPGothic")},
                                               {faces::Mincho, QStringLiteral("IPAMincho")},
                                               {faces::Gothic, QStringLiteral("IPAGothic")}}};
    return table;
}

} // namespace

QStyle* makeWindowStyle()
{
    class WindowStyle : public QProxyStyle {
    public:
        WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
        QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
        {
            if (icon == SP_ToolBarHorizontalExtensionButton)
                return {};
            return QProxyStyle::standardIcon(icon, option, widget);
        }
        int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override
        {
            // Alt pressed and released alone opens the menu bar to the keyboard, as on Windows.
            if (hint == SH_MenuBar_AltKeyNavigation)
                return 1;
            return QProxyStyle::styleHint(hint, option, widget, data);
        }
    };
    return new WindowStyle;
}

void installFontSubstitutes()
{
    for (const auto& standIn : standIns())
        QFont::insertSubstitution(standIn.face, standIn.family);
}

void setupApplication(QApplication& app)
{
    app.setStyle(makeWindowStyle());
    installQtTranslations(app);
    installFontSubstitutes();
    app.setFont(pixelFont(faces::PGothic, 12));
    installAccessibility();
    // The style keeps each button's picture under its palette's key, and a button whose caption
    // changes colour gets a new palette each time: 1 MiB holds every live picture, where Qt's
    // default of 10 MiB filled up with stale ones in a long session.
    QPixmapCache::setCacheLimit(1024);
}

QString installedFamily(const QString& face)
{
    for (const auto& standIn : standIns())
        if (standIn.face == face)
            return standIn.family;
    return face;
}

QDialogButtonBox* makeOkCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    for (QAbstractButton* button : buttons->buttons())
        button->setIcon(QIcon());
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(installedFamily(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void placeControl(QWidget* w, const QRect& geometry, const QFont& font, const QColor& text, const QColor& background)
{
    w->setGeometry(geometry);
    w->setFont(font);
    QPalette palette = w->palette();
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        w->setAutoFillBackground(true);
    }
    w->setPalette(palette);
    if (text.isValid())
        setTextColor(w, text);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry, const QFont& font, const QColor& textColor,
                  const QColor& background, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    placeControl(label, geometry, font, textColor, background);
    label->setAlignment(align);
    return label;
}

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette palette = w->palette();
    const auto roles = {QPalette::WindowText, QPalette::ButtonText, QPalette::Text};
    // The disabled group keeps the platform's grey: a disabled button must look disabled.
    const auto groups = {QPalette::Active, QPalette::Inactive};
    const auto same = [&](QPalette::ColorGroup group) {
        return std::all_of(roles.begin(), roles.end(), [&](QPalette::ColorRole role) { return palette.color(group, role) == color; });
    };
    // A palette set anew, even an equal one, gets a new key, and the style caches every button's
    // picture under its palette's key.
    if (std::all_of(groups.begin(), groups.end(), same))
        return;
    for (const auto group : groups)
        for (const auto role : roles)
            palette.setColor(group, role, color);
    w->setPalette(palette);
}

} // namespace sorban::platform
