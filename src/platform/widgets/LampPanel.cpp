#include "platform/widgets/LampPanel.h"

#include "platform/widgets/Accessibility.h"

#include <QPainter>

namespace sorban::platform {

LampPanel::LampPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAccessibleRole(this, QAccessible::StaticText); // a state to read, not a frame around others
}

void LampPanel::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void LampPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), m_color);
    painter.end();
    QFrame::paintEvent(event);
}

} // namespace sorban::platform
