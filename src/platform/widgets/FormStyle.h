#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <thread>

class QApplication;
class QLabel;
class QStyle;
class QDialog;
class QDialogButtonBox;
class QWidget;

namespace sorban::platform {

/// Fixed RGB values of the named colours the windows are drawn in.
namespace colors {
inline const QColor Cream(255, 251, 240);
inline const QColor Aqua(0, 255, 255);
inline const QColor Fuchsia(255, 0, 255);
inline const QColor Lime(0, 255, 0);
inline const QColor Teal(0, 128, 128);
inline const QColor Navy(0, 0, 128);
inline const QColor Green(0, 128, 0);
inline const QColor Purple(128, 0, 128);
inline const QColor Yellow(255, 255, 0);
inline const QColor Red(255, 0, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Black(0, 0, 0);
inline const QColor White(255, 255, 255);
inline const QColor Gray(128, 128, 128);
inline const QColor BtnFace(240, 240, 240);
} // namespace colors

/// Family names the windows ask for (as written in their definitions).
namespace faces {
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString Mincho = QStringLiteral("ＭＳ 明朝");
inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");
} // namespace faces

/// Starts reading the system's font configuration on a thread of its own, so that the reading
/// overlaps the start of the application instead of delaying the first text laid out. Whoever
/// uses a font first waits for the thread (destroying it waits too).
std::jthread loadFontConfiguration();

/// The style every window is drawn in: Fusion, except that the menu bar's overflow button, which
/// a window of fixed size never shows, gets no icon (loading it cost every start about 2 ms), and
/// that Alt pressed and released opens the menu bar to the keyboard.
QStyle* makeWindowStyle();

/// Maps the three Japanese faces the windows name to the IPA fonts, once per program.
void installFontSubstitutes();

/// What every window of the application shares: the window style, the font substitutes, the
/// default font (the windows' own, which also spares the menus a search through the system's
/// fonts for one with Japanese glyphs), a bound on the style's picture cache, and the accessible
/// interfaces of the application's own widgets.
void setupApplication(QApplication& app);

/// The installed family that stands for `face` (one of the Japanese faces above), or `face` itself.
/// Fonts name it directly, which spares Qt a search for fonts to fill in for the missing face.
QString installedFamily(const QString& face);

/// The OK and キャンセル buttons of a dialog, in Japanese and without pictures as every other
/// button of the program, accepting and rejecting `dialog`.
QDialogButtonBox* makeOkCancelButtons(QDialog* dialog);

/// A font of `family` with a character height of `pixels`.
QFont pixelFont(const QString& family, int pixels, bool bold = false);

/// Places `w` at its design geometry and gives it a font and colours (an invalid colour keeps
/// the widget's own).
void placeControl(QWidget* w, const QRect& geometry, const QFont& font, const QColor& text = {}, const QColor& background = {});

/// A label (or static text) named `name` at its design geometry.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry, const QFont& font,
                  const QColor& textColor = {}, const QColor& background = {}, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);

/// Sets the colour of a control's text (labels, buttons, edit boxes) while it is enabled; disabled,
/// it shows the platform's grey.
void setTextColor(QWidget* w, const QColor& color);

} // namespace sorban::platform
