#include "app/KanjiSheet.h"

#include "platform/core/JpegDecoder.h"
#include "platform/widgets/FormStyle.h"
#include "version/Version.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace sorban::app {
namespace {

// The sheet is laid out in tenths of a millimetre on an A4 page.
constexpr double PageWidth = 2100;
constexpr double PageHeight = 2970;
constexpr double Margin = 150;
constexpr double Inner = PageWidth - 2 * Margin;

const QColor Ink(0, 0, 0);
const QColor Rule(90, 90, 90);
const QColor HeadingFill(225, 235, 245);
const QColor ReadingFill(240, 240, 228);
const QColor SampleRed(190, 0, 0);

QFont gothic(double units)
{
    QFont font(platform::installedFamily(platform::faces::PGothic));
    font.setPixelSize(static_cast<int>(units));
    return font;
}

// Text that does not fit its box on one line is broken anywhere, as Japanese text is.
constexpr int CellFlags = Qt::AlignCenter | Qt::TextWrapAnywhere;

double textHeight(const QFont& font, double width, const QString& text)
{
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 10000), CellFlags, text).height();
}

// A table of rows of seven cells: the first column the readings (or headings), the first row the
// headings. Row heights follow the tallest cell; the font shrinks until the table fits `height`.
struct Table {
    const std::array<QString, 7>* headings;
    const std::vector<std::array<QString, 7>>* rows;
    std::array<double, 7> widths;
};

struct TableFit {
    QFont font;
    std::vector<double> heights; // the headings' row first
    double total = 0;
};

TableFit fitTable(const Table& table, double height, double largest, double smallest)
{
    TableFit fit;
    for (double units = largest;; units -= 2) {
        fit.font = gothic(units);
        fit.heights.clear();
        fit.total = 0;
        const auto rowHeight = [&](const std::array<QString, 7>& row) {
            double tallest = QFontMetricsF(fit.font).height();
            for (std::size_t col = 0; col < row.size(); ++col)
                tallest = std::max(tallest, textHeight(fit.font, table.widths[col] - 16, row[col]));
            fit.heights.push_back(tallest + 18);
            fit.total += fit.heights.back();
        };
        rowHeight(*table.headings);
        for (const auto& row : *table.rows)
            rowHeight(row);
        if (fit.total <= height || units <= smallest)
            return fit;
    }
}

void drawTable(QPainter& painter, const Table& table, const TableFit& fit, QPointF at)
{
    painter.setFont(fit.font);
    double y = at.y();
    const auto drawRow = [&](const std::array<QString, 7>& cells, double height, bool heading) {
        double x = at.x();
        for (std::size_t col = 0; col < cells.size(); ++col) {
            const QRectF cell(x, y, table.widths[col], height);
            if (heading || col == 0)
                painter.fillRect(cell, heading ? HeadingFill : ReadingFill);
            painter.setPen(QPen(Rule, 3));
            painter.drawRect(cell);
            painter.setPen(Ink);
            painter.drawText(cell.adjusted(8, 4, -8, -4), CellFlags, cells[col]);
            x += table.widths[col];
        }
        y += height;
    };
    drawRow(*table.headings, fit.heights[0], true);
    for (std::size_t r = 0; r < table.rows->size(); ++r)
        drawRow((*table.rows)[r], fit.heights[r + 1], false);
}

void drawHeading(QPainter& painter, double y, const QString& text, const QString& note = {})
{
    painter.setPen(Ink);
    painter.setFont(gothic(40));
    painter.drawText(QRectF(Margin, y, Inner, 50), Qt::AlignLeft | Qt::AlignVCenter, text);
    if (!note.isEmpty()) {
        painter.setFont(gothic(30));
        painter.drawText(QRectF(Margin, y, Inner, 50), Qt::AlignRight | Qt::AlignVCenter, note);
    }
}

std::optional<QImage> strokeOrderPicture(const std::filesystem::path& file)
{
    if (file.empty())
        return std::nullopt;
    const std::optional<platform::RgbPicture> picture = platform::decodeJpeg(file);
    if (!picture)
        return std::nullopt;
    return QImage(picture->rgb.data(), picture->width, picture->height, static_cast<qsizetype>(picture->width) * 3, QImage::Format_RGB888)
        .copy();
}

} // namespace

void drawKanjiSheet(QPainter& painter, const QRectF& page, const KanjiPage& kanji, const SheetStyle& style)
{
    painter.save();
    painter.translate(page.topLeft());
    const double scale = std::min(page.width() / PageWidth, page.height() / PageHeight);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);

    // The title line, and the edition note of the appearance view.
    painter.setPen(Ink);
    painter.setFont(gothic(58));
    painter.drawText(QRectF(Margin, Margin, Inner, 80), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("◇教育漢字教科書別・読み別 出現ページ表◇"));
    painter.setFont(gothic(36));
    painter.drawText(QRectF(Margin, Margin, Inner, 80), Qt::AlignRight | Qt::AlignVCenter, kanji.appearanceNote);
    painter.setPen(QPen(Ink, 5));
    painter.drawLine(QPointF(Margin, Margin + 95), QPointF(PageWidth - Margin, Margin + 95));
    double y = Margin + 120;
    if (kanji.sample) {
        painter.setPen(SampleRed);
        painter.setFont(gothic(36));
        painter.drawText(QRectF(Margin, y, Inner, 50), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("見本のデータです。実際の教科書の出現ページではありません。"));
        y += 70;
    }

    // The kanji large in the settings' kanji font, its number, and its stroke order.
    const QRectF kanjiBox(Margin, y, 470, 470);
    painter.setPen(QPen(Rule, 4));
    painter.drawRect(kanjiBox);
    QFont large(style.kanjiFamily);
    large.setPixelSize(390);
    painter.setFont(large);
    painter.setPen(Ink);
    painter.drawText(kanjiBox, Qt::AlignCenter, kanji.kanji);
    painter.setFont(gothic(50));
    painter.drawText(QRectF(kanjiBox.right() + 50, y, 700, 70), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("漢字番号 ") + QString::number(kanji.number));
    painter.setFont(gothic(34));
    painter.drawText(QRectF(kanjiBox.right() + 50, y + 80, 700, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("読み数 ") + QString::number(kanji.readings));
    const QRectF pictureBox(PageWidth - Margin - 470, y, 470, 470);
    if (const std::optional<QImage> picture = strokeOrderPicture(kanji.picture)) {
        const QSizeF fitted = QSizeF(picture->size()).scaled(pictureBox.size() - QSizeF(20, 70), Qt::KeepAspectRatio);
        const QRectF target(pictureBox.center().x() - fitted.width() / 2, pictureBox.top() + 10, fitted.width(), fitted.height());
        painter.drawImage(target, *picture);
        painter.setFont(gothic(30));
        painter.drawText(QRectF(pictureBox.left(), pictureBox.bottom() - 50, pictureBox.width(), 50), Qt::AlignCenter,
                         QStringLiteral("筆順"));
        painter.setPen(QPen(Rule, 4));
        painter.drawRect(pictureBox);
    }
    y = kanjiBox.bottom() + 50;

    // The attributes: six headings over six values.
    drawHeading(painter, y, QStringLiteral("◆属性"), QStringLiteral("*部首(読み)の欄はあくまで参考です。"));
    y += 60;
    painter.setFont(gothic(36));
    const double attributeWidth = Inner / 6;
    for (std::size_t col = 0; col < 6; ++col) {
        const QRectF heading(Margin + attributeWidth * static_cast<double>(col), y, attributeWidth, 65);
        const QRectF value = heading.translated(0, 65);
        painter.fillRect(heading, HeadingFill);
        painter.setPen(QPen(Rule, 3));
        painter.drawRect(heading);
        painter.drawRect(value);
        painter.setPen(Ink);
        painter.drawText(heading, Qt::AlignCenter, kanji.attributeHeadings[col]);
        painter.drawText(value, Qt::AlignCenter, kanji.attributes[col]);
    }
    y += 130 + 50;

    // The appearance table, then the usage examples in the space that is left above the legend.
    const double legendTop = PageHeight - Margin - 160;
    const std::array<double, 7> widths = {330, 245, 245, 245, 245, 245, 245};
    const Table appearances{&kanji.columns, &kanji.appearances, widths};
    const bool examples = !kanji.examples.empty();
    drawHeading(painter, y, QStringLiteral("◆教科書別・読み別 出現ページ"));
    y += 60;
    const TableFit appearanceFit = fitTable(appearances, examples ? (legendTop - y) / 2 - 60 : legendTop - y - 20, 36, 22);
    drawTable(painter, appearances, appearanceFit, QPointF(Margin, y));
    y += appearanceFit.total + 40;
    if (examples) {
        drawHeading(painter, y, QStringLiteral("◆用例"), kanji.exampleNote);
        y += 60;
        const Table table{&kanji.columns, &kanji.examples, widths};
        const TableFit fit = fitTable(table, legendTop - y - 20, 32, 16);
        drawTable(painter, table, fit, QPointF(Margin, y));
    }

    // The legend and the footer.
    painter.setPen(Ink);
    painter.setFont(gothic(30));
    painter.drawText(QRectF(Margin, legendTop, Inner, 45), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("◎カタカナ…音読み，ひらがな…訓読み　　(▲)…小学校では習わない読み方"));
    if (examples)
        painter.drawText(QRectF(Margin, legendTop + 45, Inner, 45), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("☆用例中、漢字の直前の記号「・」は同ページ後出、「*」は後出ルビ、「…」は中略、「#」は表外読み。"));
    painter.setPen(QPen(Rule, 3));
    painter.drawLine(QPointF(Margin, PageHeight - Margin - 60), QPointF(PageWidth - Margin, PageHeight - Margin - 60));
    painter.setPen(Ink);
    painter.setFont(gothic(28));
    const QRectF footer(Margin, PageHeight - Margin - 50, Inner, 50);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, style.date.toString(QStringLiteral("yyyy年M月d日")));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Sorban v") + QString::fromLatin1(Version));
    painter.restore();
}

bool drawKanjiSheets(QPagedPaintDevice& device, const SheetRun& run)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int total = static_cast<int>(run.numbers.size());
    for (int done = 0; done < total; ++done) {
        if (!run.progress(done, total))
            return false;
        if (done > 0)
            device.newPage();
        const QRectF page(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
        drawKanjiSheet(painter, page, run.pageOf(run.numbers[static_cast<std::size_t>(done)]), run.style);
    }
    run.progress(total, total);
    return painter.end();
}

PdfResult writeKanjiPdf(const QString& path, const SheetRun& run)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return PdfResult::NotWritable;
    bool stopped = false;
    SheetRun watched = run;
    watched.progress = [&](int done, int total) {
        stopped = !run.progress(done, total);
        return !stopped;
    };
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Sorban v") + QString::fromLatin1(Version));
        writer.setTitle(QStringLiteral("教育漢字教科書別・読み別 出現ページ表"));
        drawn = drawKanjiSheets(writer, watched);
    }
    if (!drawn) {
        file.cancelWriting();
        return stopped ? PdfResult::Stopped : PdfResult::NotWritable;
    }
    return file.commit() ? PdfResult::Written : PdfResult::NotWritable;
}

} // namespace sorban::app
