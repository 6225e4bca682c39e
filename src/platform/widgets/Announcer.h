#pragma once

#include <QString>
#include <QWidget>

namespace sorban::platform {

/// Tells a screen reader what a change led to where the change shows away from the focus (the
/// kanji a pick in a search window shows in the main window, a view switched by a key). An
/// invisible notification in its window: screen readers speak a notification when it appears,
/// whichever window is active, where they pass over new names of labels and table cells.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);

    /// Says `text` once, when this turn of the event loop is over: a later text of the same turn
    /// replaces it, so a change made in several steps is heard once.
    void announce(const QString& text);

signals:
    /// The notification was shown with `text`.
    void spoken(const QString& text);

private:
    void speak();

    QString m_pending;
};

} // namespace sorban::platform
