#pragma once

#include "handwriting/Recogniser.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QThread;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::settings {
class Settings;
}

namespace sorban::handwriting {

class WritingPad;

/// What the window reads and whom it tells: the store (which kanji are education kanji), the
/// settings (its place), the main window (which shows a picked kanji), and where the recognisers are.
struct HandwritingContext {
    const data::KanjiStore& store;
    settings::Settings& settings;
    std::function<void(std::int32_t)> showKanji;
    RecogniserSetup setup;
};

/// 手書き検索: a kanji written on the pad, and after each stroke a row of candidates to show in
/// the main window. The recognisers are loaded on a thread of their own at the first opening.
class HandwritingWindow : public QWidget {
    Q_OBJECT

public:
    HandwritingWindow(HandwritingContext context, QWidget* parent);
    ~HandwritingWindow() override;

    /// Shows the window where it was last; the first time, starts loading the recognisers.
    void open();
    /// Whether the recognisers have been loaded (or found missing).
    bool ready() const { return m_recogniser != nullptr; }
    const std::vector<Candidate>& candidates() const { return m_candidates; }
    WritingPad& pad() const { return *m_pad; }
    QString status() const;

    /// Shows candidate `index` (0-based) in the main window and clears the pad; false for no such
    /// candidate or one that is no education kanji.
    bool pick(std::size_t index);

signals:
    /// The row of candidates was made anew (tests and the benchmark wait for it).
    void candidatesShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setupControls();
    void setupKeys();
    void load();
    void recognise();
    void fillRow();

    HandwritingContext m_context;
    KanjiNumbers m_education;
    std::unique_ptr<Recogniser> m_recogniser; // set when the loading thread has ended
    std::unique_ptr<Recogniser> m_loaded;     // the loading thread alone touches these two
    QString m_problem;
    QPointer<QThread> m_loader;
    std::vector<Candidate> m_candidates;

    WritingPad* m_pad = nullptr;
    QListWidget* m_row = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace sorban::handwriting
