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
/// the main window. The recognisers are loaded on a thread of their own at the first opening; at
/// each stroke the matcher's row is shown at once, and the row merged with the trained
/// recogniser's guesses (reading its whole model takes it a couple of frames) when they come from
/// a thread of their own.
class HandwritingWindow : public QWidget {
    Q_OBJECT

public:
    HandwritingWindow(HandwritingContext context, QWidget* parent);
    ~HandwritingWindow() override;

    /// Shows the window where it was last; the first time, starts loading the recognisers.
    void open();
    /// Whether the recognisers have been loaded (or found missing).
    bool ready() const { return m_recogniser != nullptr; }
    /// Whether the row is the final one for the strokes on the pad.
    bool settled() const;
    const std::vector<Candidate>& candidates() const { return m_candidates; }
    WritingPad& pad() const { return *m_pad; }
    QString status() const;

    /// Shows candidate `index` (0-based) in the main window and clears the pad; false for no such
    /// candidate or one that is no education kanji.
    bool pick(std::size_t index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setupControls();
    void setupKeys();
    void load();
    void recognise();
    void askTrained();
    void fillRow();

    HandwritingContext m_context;
    KanjiNumbers m_education;
    std::unique_ptr<Recogniser> m_recogniser; // set when the loading thread has ended
    std::unique_ptr<Recogniser> m_loaded;     // the loading thread alone touches these two
    QString m_problem;
    QPointer<QThread> m_loader;
    struct Asked {
        quint64 generation = 0;
        std::vector<Stroke> strokes;
        std::vector<Guess> guesses; // written by the asking thread
    };
    std::unique_ptr<Asked> m_asked; // the strokes the trained recogniser was last asked about
    bool m_asking = false;          // while its thread runs
    quint64 m_generation = 0;       // of the strokes on the pad
    quint64 m_mergedGeneration = 0; // of the strokes whose merged row is shown
    std::vector<Candidate> m_candidates;

    WritingPad* m_pad = nullptr;
    QListWidget* m_row = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace sorban::handwriting
