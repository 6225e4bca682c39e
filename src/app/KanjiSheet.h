#pragma once

#include "app/KanjiPage.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QRectF;

namespace sorban::app {

/// What a sheet takes beyond its kanji's page: the family of the kanji font chosen in the
/// settings, and the date in its footer.
struct SheetStyle {
    QString kanjiFamily;
    QDate date;
};

/// Draws one kanji's A4 portrait sheet into `page` (the painter's coordinates): the title line
/// with the edition note, the kanji large with its number, the attribute table, the appearance
/// table and the usage-example table, the stroke-order picture when it decodes, the legend and a
/// footer with the date and the program's name and version. The text stays text.
void drawKanjiSheet(QPainter& painter, const QRectF& page, const KanjiPage& kanji, const SheetStyle& style);

/// The pages of a run: the kanji numbers in page order, the page of each, and a progress call
/// made before each page with (pages done, pages in all) that returns false to stop the run.
struct SheetRun {
    std::vector<std::int32_t> numbers;
    std::function<KanjiPage(std::int32_t)> pageOf;
    SheetStyle style;
    std::function<bool(int done, int total)> progress = [](int, int) { return true; };
};

/// Draws the run on a printer or a PDF writer set to A4, one page per kanji. False when the
/// progress call stopped it or the device could not be painted on.
bool drawKanjiSheets(QPagedPaintDevice& device, const SheetRun& run);

enum class PdfResult { Written, Stopped, NotWritable };

/// Writes the run as a PDF file at `path`, through a temporary file beside it that takes the
/// path's place only when every page is written: a stopped or failed run leaves no file behind
/// and an older file at the path as it was.
PdfResult writeKanjiPdf(const QString& path, const SheetRun& run);

} // namespace sorban::app
