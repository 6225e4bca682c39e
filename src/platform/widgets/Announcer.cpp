#include "platform/widgets/Announcer.h"

#include "platform/widgets/Accessibility.h"

#include <QAccessible>

#include <utility>

namespace sorban::platform {

Announcer::Announcer(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("Announcer"));
    setAccessibleRole(this, QAccessible::Notification);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString& text)
{
    if (text.isEmpty())
        return;
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &Announcer::speak, Qt::QueuedConnection);
    m_pending = text;
}

void Announcer::speak()
{
    const QString text = std::exchange(m_pending, {});
    setAccessibleName(text);
    // The notification appears without being drawn: a reader reads its name when told it shows.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit spoken(text);
}

} // namespace sorban::platform
