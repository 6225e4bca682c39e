#pragma once

#include <QFrame>

namespace sorban::platform {

/// A small coloured square with a single border whose hint is its tooltip.
class LampPanel : public QFrame {
    Q_OBJECT

public:
    explicit LampPanel(QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

} // namespace sorban::platform
