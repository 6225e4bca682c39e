#include "platform/widgets/UpDown.h"

#include "platform/widgets/Accessibility.h"

#include <QToolButton>

#include <algorithm>
#include <cstdint>

namespace sorban::platform {

UpDown::UpDown(QWidget* parent) : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    platform::setAccessibleRole(this, QAccessible::Grouping); // its two buttons belong together
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setRange(int min, int max)
{
    m_min = min;
    m_max = max;
    setPosition(m_position);
}

void UpDown::setPosition(int position)
{
    m_position = std::clamp(static_cast<int>(static_cast<std::int16_t>(position)), m_min, m_max);
}

void UpDown::step(int by)
{
    setPosition(std::clamp(m_position + by, m_min, m_max));
    emit clicked();
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

} // namespace sorban::platform
