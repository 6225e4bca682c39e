#pragma once

#include <QWidget>

class QToolButton;

namespace sorban::platform {

/// A spinner of two arrow buttons beside an edit box: a position between min and max that the
/// arrows move by one, stopping at the ends (no wrapping). `clicked` follows every arrow press.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void setRange(int min, int max);
    /// Kept within the range, as a 16-bit value.
    void setPosition(int position);
    int position() const { return m_position; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int by);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
};

} // namespace sorban::platform
