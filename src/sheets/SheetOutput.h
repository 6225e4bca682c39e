#pragma once

#include "sheets/SheetLayout.h"
#include "sheets/TableDocument.h"

#include <QPageRanges>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace sorban::sheets {

/// Calls made as a run goes: (done, total) before each kanji laid out and again before each page
/// drawn; false stops the run.
using Progress = std::function<bool(int done, int total)>;

/// A run of sheets: the kanji numbers in order, the page of each, how the sheets look.
struct SheetRun {
    std::vector<std::int32_t> numbers;
    std::function<KanjiPage(std::int32_t)> pageOf;
    SheetStyle style;
    SheetOptions options;
    Progress progress = [](int, int) { return true; };
};

/// A run laid out: every kanji's sheet and the pages its slots fall on. With two kanji a page, a
/// sheet of more than one slot starts on a page of its own.
class LaidOutRun : public PagedDocument {
public:
    /// Nothing when the progress call stopped it.
    static std::optional<LaidOutRun> layOut(const SheetRun& run);

    int pages() const override { return static_cast<int>(m_pages.size()); }
    void drawPage(QPainter& painter, const QRectF& page, int index) const override;

private:
    struct Slot {
        std::size_t sheet;
        int slot;
    };
    std::vector<SheetLayout> m_sheets;
    std::vector<std::vector<Slot>> m_pages;
    SheetOptions m_options;
};

/// What a print dialog asked for: the pages (1-based as the dialog shows them; none for all), the
/// copies the program must draw itself, whether they are collated, and whether the last page comes first.
struct PageChoice {
    QPageRanges ranges;
    int copies = 1;
    bool collate = true;
    bool lastFirst = false;
};

/// What `printer` was set to in its dialog. Copies that the printing system makes itself are not
/// drawn again.
PageChoice pageChoice(const QPrinter& printer);

/// The pages to draw, 0-based, in the order they come out, every copy included.
std::vector<int> pageOrder(int pages, const PageChoice& choice);

/// Draws `order` of a document on a printer or PDF writer, set to A4 portrait. False when the
/// progress call stopped it or the device could not be painted on.
bool drawPages(QPagedPaintDevice& device, const PagedDocument& document, const std::vector<int>& order, const Progress& progress);

enum class PdfResult { Written, Stopped, NotWritable };

/// Writes the run as a PDF file at `path` with `title` and `subject` in its metadata (the
/// program as author), through a temporary file beside it that takes the path's place only when
/// every page is written: a stopped or failed run leaves no file behind and an older file as it was.
PdfResult writeSheetsPdf(const QString& path, const SheetRun& run, const QString& title, const QString& subject);

/// Writes a document laid out already as a PDF file at `path`, as writeSheetsPdf does.
PdfResult writeDocumentPdf(const QString& path, const PagedDocument& document, const QString& title, const QString& subject,
                           const Progress& progress);

} // namespace sorban::sheets
