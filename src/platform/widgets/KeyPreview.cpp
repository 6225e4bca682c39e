#include "KeyPreview.h"

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
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event == m_lastEvent && key->timestamp() == m_lastTimestamp)
        return false;
    m_lastEvent = event;
    m_lastTimestamp = key->timestamp();
    m_handler(key->key(), key->modifiers());
    return false;
}

} // namespace sorban::platform
