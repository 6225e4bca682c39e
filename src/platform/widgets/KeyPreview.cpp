#include "platform/widgets/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sorban::platform {

KeyPreview::KeyPreview(QWidget* form, Handler handler) : QObject(form), m_form(form), m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_form)
        return false;
    // A key goes first to the focused control; one that it ignores travels on to its parents,
    // and is previewed only on its first stop.
    QWidget* first = QApplication::focusWidget();
    if (widget != (first && first->window() == m_form ? first : m_form))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    m_handler(key->key(), key->modifiers());
    return false;
}

} // namespace sorban::platform
