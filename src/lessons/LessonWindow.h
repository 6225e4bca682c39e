#pragma once

#include "lessons/NewReadings.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::jukuji {
struct JukujiTables;
}
namespace sorban::settings {
class Settings;
struct Selection;
} // namespace sorban::settings
namespace sorban::platform {
class StringGrid;
}
namespace sorban::sheets {
class SheetPrinter;
struct TableDocument;
} // namespace sorban::sheets

namespace sorban::lessons {

/// What the window reads and whom it tells: the store and the jukujikun tables (their examples
/// read on first use), the view state (whether the examples are read), the settings (its place),
/// the printed sheets' path, and the main window, which shows a picked kanji.
struct LessonContext {
    data::KanjiStore& store;
    settings::Selection& selection;
    settings::Settings& settings;
    jukuji::JukujiTables& jukuji;
    std::filesystem::path dataDir;
    sheets::SheetPrinter& printer;
    std::function<void(std::int32_t)> showKanji;
};

/// 教科書別 新出一覧: for a textbook column and a volume, every reading (and jukujikun word) that
/// first appears in that volume, in page order, whether it brings a new kanji or a new reading of
/// one met before, and that column's example; the totals under the list. An ordinary window of its
/// own whose place is kept in sorban.ini.
class LessonWindow : public QWidget {
    Q_OBJECT

public:
    LessonWindow(LessonContext context, QWidget* parent);
    ~LessonWindow() override;

    /// Shows the window where it was last (the examples read if they are not yet).
    void open();
    /// Chooses column `col` (0-based) and volume `code`, and lists them.
    void choose(int col, std::int32_t code);
    const std::vector<NewReading>& rows() const { return m_rows; }

    /// The list as tab-separated lines (heading row first) and as an HTML table.
    QString listAsTsv() const;
    QString listAsHtml() const;
    /// The list as a printed document: column and volume, totals, the sample-data notice.
    sheets::TableDocument document() const;

    void copyList();
    void printList();
    void saveList();
    /// 練習プリント of the volume shown.
    void practiceSheets();
    /// Shows the kanji of the list's row `row` in the main window; a jukujikun word has none.
    void pick(int row);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupControls();
    void fillVolumes();
    void fill();
    QStringList rowTexts(const NewReading& row) const;
    QString totalsText() const;
    QString heading() const;

    LessonContext m_context;
    std::unique_ptr<FirstAppearances> m_first;
    std::vector<NewReading> m_rows;
    QComboBox* m_column = nullptr;
    QComboBox* m_volume = nullptr;
    platform::StringGrid* m_list = nullptr;
    QLabel* m_totals = nullptr;
};

} // namespace sorban::lessons
