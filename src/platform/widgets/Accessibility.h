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

} // namespace sorban::platform
