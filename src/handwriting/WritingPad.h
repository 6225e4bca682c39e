#pragma once

#include "handwriting/Ink.h"

#include <QWidget>

namespace sorban::handwriting {

/// The square pad a kanji is written on, with its dotted 田 guide: strokes by mouse, pen (its
/// pressure ignored) or one finger on a touch screen.
class WritingPad : public QWidget {
    Q_OBJECT

public:
    static constexpr int Side = 300;

    explicit WritingPad(QWidget* parent);

    const Ink& ink() const { return m_ink; }
    /// Takes back the last stroke; false when there was none.
    bool undo();
    void clear();

    QSize sizeHint() const override { return {Side, Side}; }

signals:
    /// A stroke was finished, taken back or the pad cleared: the strokes are other than they were.
    void inkChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;
    bool event(QEvent* event) override;

private:
    void press(QPointF at);
    void move(QPointF at);
    void release(QPointF at);
    void describe();

    Ink m_ink{Side};
};

} // namespace sorban::handwriting
