#include "platform/widgets/IdleWarmUp.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QTimer>

namespace sorban::platform {

IdleWarmUp::IdleWarmUp(QWidget* mainWindow, std::vector<QPointer<QWidget>> windows)
    : QObject(mainWindow), m_main(mainWindow), m_windows(std::move(windows))
{
    qApp->installEventFilter(this);
}

bool IdleWarmUp::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // The main window's first frame comes first; the drawing begins in the turn after it.
        if (watched == m_main && !m_started) {
            m_started = true;
            QTimer::singleShot(0, this, &IdleWarmUp::step);
        }
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        stop();
        break;
    default:
        break;
    }
    return false;
}

void IdleWarmUp::step()
{
    if (!m_windows.empty() && m_next < m_windows.size()) {
        QWidget* window = m_windows[m_next++];
        if (window && !window->isVisible()) {
            // The screen's own pixel format, so that the glyphs cached are the ones a window draws.
            QImage image(window->size(), QImage::Format_RGB32);
            window->render(&image);
        }
    }
    if (m_next >= m_windows.size())
        stop();
    else
        QTimer::singleShot(0, this, &IdleWarmUp::step);
}

void IdleWarmUp::stop()
{
    m_windows.clear();
    qApp->removeEventFilter(this);
    deleteLater();
}

} // namespace sorban::platform
