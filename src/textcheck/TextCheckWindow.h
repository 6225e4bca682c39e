#pragma once

#include "textcheck/Morphology.h"
#include "textcheck/ReadingTable.h"
#include "textcheck/TextCheck.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QTextEdit;
class QThread;
class QTimer;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::jukuji {
struct JukujiTables;
}
namespace sorban::settings {
class Settings;
}
namespace sorban::platform {
class StringGrid;
}
namespace sorban::sheets {
class SheetPrinter;
}

namespace sorban::textcheck {

struct MarkedText;

/// What the window reads and whom it tells: the store and the jukujikun tables, the settings
/// (its place, the class's textbook and volume), the printed sheets' path, the main window (which
/// shows a picked kanji), and where the analyser is.
struct TextCheckContext {
    const data::KanjiStore& store;
    settings::Settings& settings;
    const jukuji::JukujiTables& jukuji;
    sheets::SheetPrinter& printer;
    std::function<void(std::int32_t)> showKanji;
    AnalyserSetup analyser;
};

/// The text area: plain text, and a dropped file is opened rather than its name inserted.
class TextArea : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void fileDropped(const QString& path);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

/// 未習チェック: a text checked, as it is typed, against what a class has learned in a textbook
/// column up to a volume; its marks in the text and in a list beside it; copies with ruby; print.
/// The analyser is loaded and every check made on a thread of its own, so typing never waits.
class TextCheckWindow : public QWidget {
    Q_OBJECT

public:
    TextCheckWindow(TextCheckContext context, QWidget* parent);
    ~TextCheckWindow() override;

    /// Shows the window where it was last.
    void open();
    void setText(const QString& text);
    QString text() const;
    /// Opens a text file into the text area; a refused file is said in a box and changes nothing.
    bool loadFile(const QString& path);
    /// Chooses column `col` (0-based) and the volume `code` the class has finished.
    void choose(int col, std::int32_t code);
    /// The marks in view, of the text as it was when they were made.
    const CheckResult& result() const { return m_result; }
    /// Whether the marks are those of the text and choices in view.
    bool upToDate() const { return m_shownGeneration == m_generation && !m_running; }
    /// The status line: the analyser's state, the file's encoding, the counts.
    QString status() const;

    /// The list as tab-separated lines: 位置, 語, 漢字, 読み, 区分, 初出 (heading row first).
    QString listAsTsv() const;
    /// The text with readings for every marked word of kinds 1-3, as HTML <ruby> and as 漢字（かんじ）.
    QString rubyAsHtml() const;
    QString rubyAsText() const;
    MarkedText printed() const;

    void copyList();
    void copyWithRuby();
    void printText();
    void saveText();
    void openFile();
    /// Shows the kanji of the list's row `row` (0-based) in the main window.
    void pick(int row);
    /// Selects the word of the list's row `row` in the text.
    void showInText(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Job;
    void setupControls();
    QWidget* setupChoices();
    void setupLegend(QTextEdit* legend);
    void schedule();
    void startCheck();
    void apply(const Job& job);
    void fillList();
    void remember();
    QStringList rowTexts(const Mark& m) const;
    QString heading() const;

    TextCheckContext m_context;
    ReadingTable m_table;
    std::unique_ptr<Morphology> m_morphology; // the check's thread alone touches these two
    bool m_loadTried = false;
    enum class Analyser { Loading, Ready, Missing } m_analyser = Analyser::Loading;
    QString m_analyserProblem;
    QString m_fileNote;

    QComboBox* m_column = nullptr;
    QComboBox* m_volume = nullptr;
    TextArea* m_text = nullptr;
    platform::StringGrid* m_list = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_delay = nullptr;
    QPointer<QThread> m_thread;
    std::unique_ptr<Job> m_job;
    bool m_running = false;
    quint64 m_generation = 0;
    quint64 m_shownGeneration = 0;
    CheckResult m_result;
    QString m_checkedText;
    std::vector<int> m_utf16; // where each character of the checked text starts in UTF-16
};

} // namespace sorban::textcheck
