#pragma once

#include <QAccessible>

class QWidget;

namespace sorban::platform {

/// Makes the application's own widgets readable by screen readers: a StringGrid is exposed as a
/// table of its cells, a top-level plain widget as a window with its caption, and a plain widget
/// given a role with setAccessibleRole as an object of that role. Called once, before any window
/// is shown.
void installAccessibility();

/// The role a widget is exposed with where Qt's own is wrong or missing, e.g. a picture.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

/// Lets `button` take the focus by a click only, never by Tab; a screen reader is then told that it
/// takes no focus, as a keyboard user finds.
void setClickFocusOnly(QWidget* button);

} // namespace sorban::platform
