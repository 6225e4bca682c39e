#include "handwriting/WritingPad.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <QTouchEvent>

namespace sorban::handwriting {
namespace {

constexpr qreal InkWidth = 6;

QRectF around(InkPoint a, InkPoint b)
{
    return QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized().adjusted(-InkWidth, -InkWidth, InkWidth, InkWidth);
}

} // namespace

WritingPad::WritingPad(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pad"));
    setFixedSize(Side, Side);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAccessibleName(QStringLiteral("手書き欄"));
    describe();
}

void WritingPad::describe()
{
    setAccessibleDescription(QStringLiteral("マウス、ペン、指で漢字を一字書きます。%1画").arg(m_ink.strokes().size()));
}

bool WritingPad::undo()
{
    if (!m_ink.undo())
        return false;
    update();
    describe();
    emit inkChanged();
    return true;
}

void WritingPad::clear()
{
    const bool had = !m_ink.empty();
    m_ink.clear();
    update();
    describe();
    if (had)
        emit inkChanged();
}

void WritingPad::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    // The frame is the edge left by the white: at a fractional scale the pad may start between two
    // device pixels, and a line drawn on its first row would fall outside it.
    p.fillRect(rect(), QColor(96, 96, 96));
    p.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
    // Cosmetic one-pixel lines without smoothing stay sharp at any scale.
    QPen guide(QColor(160, 160, 160), 0, Qt::DotLine);
    guide.setCosmetic(true);
    p.setPen(guide);
    p.drawLine(QPointF(Side / 2.0, 1), QPointF(Side / 2.0, Side - 1));
    p.drawLine(QPointF(1, Side / 2.0), QPointF(Side - 1, Side / 2.0));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, InkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Stroke& s : m_ink.strokes()) {
        if (s.size() == 1) {
            p.drawPoint(QPointF(s.front().x, s.front().y));
            continue;
        }
        QPainterPath path(QPointF(s.front().x, s.front().y));
        for (std::size_t i = 1; i < s.size(); ++i)
            path.lineTo(s[i].x, s[i].y);
        p.drawPath(path);
    }
}

void WritingPad::press(QPointF at)
{
    if (!m_ink.begin(static_cast<float>(at.x()), static_cast<float>(at.y())))
        return;
    const InkPoint p = m_ink.strokes().back().back();
    update(around(p, p).toAlignedRect());
}

void WritingPad::move(QPointF at)
{
    if (!m_ink.writing())
        return;
    const InkPoint from = m_ink.strokes().back().back();
    m_ink.extend(static_cast<float>(at.x()), static_cast<float>(at.y()));
    update(around(from, m_ink.strokes().back().back()).toAlignedRect());
}

void WritingPad::release(QPointF at)
{
    move(at); // where the pen left the pad ends the stroke
    if (!m_ink.end())
        return;
    describe();
    emit inkChanged();
}

void WritingPad::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        press(event->position());
}

void WritingPad::mouseMoveEvent(QMouseEvent* event)
{
    move(event->position());
}

void WritingPad::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        release(event->position());
}

void WritingPad::tabletEvent(QTabletEvent* event)
{
    // Taken here, a pen's events are not sent again as the mouse's.
    if (event->type() == QEvent::TabletPress)
        press(event->position());
    else if (event->type() == QEvent::TabletMove)
        move(event->position());
    else if (event->type() == QEvent::TabletRelease)
        release(event->position());
    event->accept();
}

bool WritingPad::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        // The first finger writes; a second one on the screen (a palm, a hand) is not ink.
        auto* touch = static_cast<QTouchEvent*>(event);
        const QEventPoint& first = touch->points().constFirst();
        if (first.state() == QEventPoint::Pressed && touch->points().size() == 1)
            press(first.position());
        else if (first.state() == QEventPoint::Updated || first.state() == QEventPoint::Stationary)
            move(first.position());
        else if (first.state() == QEventPoint::Released)
            release(first.position());
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        if (m_ink.writing())
            m_ink.undo(); // the system took the touch back: so is its stroke
        update();
        return true;
    default:
        return QWidget::event(event);
    }
}

} // namespace sorban::handwriting
