#pragma once

#include "sheets/KanjiPage.h"
#include "sheets/SheetDialog.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "sheets/TableDocument.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

class QPrinter;
class QWidget;

namespace sorban::data {
class KanjiStore;
}
namespace sorban::settings {
class Settings;
struct Selection;
} // namespace sorban::settings

namespace sorban::sheets {

/// What the sheets read of the program: the store, the view state (the current kanji, whether the
/// examples are read), the settings (the memo list, the kanji font, the last PDF folder) and the folders.
struct SheetSource {
    data::KanjiStore& store;
    settings::Selection& selection;
    settings::Settings& settings;
    std::filesystem::path dataDir;
    std::filesystem::path pictureDir;
    /// The kanji of a textbook column's volume, from the lesson-planning window's lists.
    VolumeKanji volumeKanji;
};

/// 印刷, PDFに保存 and コピー of the main window: the choice of kanji and options, the print dialog or
/// the file dialog, the progress window, the boxes for what went wrong.
class SheetPrinter {
public:
    SheetPrinter(SheetSource source, QWidget* window);

    void print();
    void savePdf();
    /// Puts the table in view (pages or examples) on the clipboard as tab-separated text and HTML.
    void copyTable();

    /// The sheet's page of kanji `n`: every reading, with the examples (read on first use).
    KanjiPage pageOf(std::int32_t n);
    /// The kanji font of the settings and today's date.
    SheetStyle style() const;
    /// Saves the sheets of `numbers` as a PDF at `path` with a progress window for long runs, and
    /// says in a box when the path cannot be written. True when written.
    bool savePdfAs(const QString& path, const std::vector<std::int32_t>& numbers, const SheetOptions& options = {},
                   const QString& title = QStringLiteral("教育漢字教科書別・読み別 出現ページ表"));
    /// Prints the sheets of `numbers` on `printer` as its dialog set it up (pages, copies,
    /// collation, order), with a progress window for long runs. True when every page was sent.
    bool printOn(QPrinter& printer, const std::vector<std::int32_t>& numbers, const SheetOptions& options = {});

    /// Prints a document laid out already (a list of another window) through the print dialog,
    /// parented to `window`.
    void printDocument(
        QWidget* window, const PagedDocument& document, const QString& title, const Progress& progress = [](int, int) { return true; });
    /// Saves a document as a PDF through the file dialog, offered as `fileName` in the last PDF folder.
    void saveDocumentPdf(QWidget* window, const PagedDocument& document, const QString& fileName, const QString& title);

    /// 練習プリント: the choice of kanji and of the practice sheet, then the print dialog or the file
    /// dialog; with `volume` (column, volume code) the choice begins at that volume.
    void practice(std::optional<std::pair<int, std::int32_t>> volume = std::nullopt);
    /// The practice sheets of `numbers` as `scope` and `options` make them.
    PracticeRun practiceRun(const std::vector<std::int32_t>& numbers, const SheetScope& scope, const PracticeOptions& options,
                            const QString& title);

private:
    struct Choice {
        std::vector<std::int32_t> numbers;
        SheetOptions options;
        PracticeOptions practice;
        SheetScope scope;
        QString fileName;
        QString title;
        int result; ///< how the dialog was closed
    };
    std::optional<Choice> choose(const QString& command, SheetDialog::Kind kind,
                                 std::optional<std::pair<int, std::int32_t>> volume = std::nullopt);
    /// The path the user chose in the file dialog for a PDF offered as `fileName`; empty when cancelled.
    QString choosePdfPath(QWidget* window, const QString& fileName);
    /// Says that there is no printer and how to print to a file instead.
    static void tellNoPrinter();
    QString currentKanji() const;

    SheetSource m_source;
    QWidget* m_window;
};

} // namespace sorban::sheets
