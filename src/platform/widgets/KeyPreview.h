#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace sorban::platform {

/// Gives a window's FormKeyDown every key pressed anywhere inside the window before the focused
/// control gets it. It never consumes the key.
class KeyPreview : public QObject {
public:
    using Handler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;

    KeyPreview(QWidget* form, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_form;
    Handler m_handler;
};

} // namespace sorban::platform
