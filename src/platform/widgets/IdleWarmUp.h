#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace sorban::platform {

/// Draws hidden windows once, off screen, while the program waits for its user, so that their
/// text is laid out and their glyphs are rasterised before their first opening. It begins after
/// the main window's first paint, draws one window per event-loop turn, leaves out a window that
/// is already open and stops for good at the first key, click or wheel turn. It deletes itself.
class IdleWarmUp : public QObject {
public:
    IdleWarmUp(QWidget* mainWindow, std::vector<QPointer<QWidget>> windows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step();
    void stop();

    QWidget* m_main;
    std::vector<QPointer<QWidget>> m_windows;
    std::size_t m_next = 0;
    bool m_started = false;
};

} // namespace sorban::platform
