#include "sheets/SheetOutput.h"

#include "version/Version.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

namespace sorban::sheets {
namespace {

QString programName()
{
    return QStringLiteral("Sorban v") + QString::fromLatin1(Version);
}

// The document's metadata as XMP: Qt writes only the title and the creating program into the
// PDF's information dictionary.
QByteArray xmpMetadata(const QString& title, const QString& subject)
{
    const auto text = [](const QString& s) { return s.toHtmlEscaped().toUtf8(); };
    return QByteArrayLiteral("<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
                             "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
                             "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
                             "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'"
                             " xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n"
                             "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>")
           + text(title)
           + QByteArrayLiteral("</rdf:li></rdf:Alt></dc:title>\n"
                               "<dc:creator><rdf:Seq><rdf:li>")
           + text(programName())
           + QByteArrayLiteral("</rdf:li></rdf:Seq></dc:creator>\n"
                               "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>")
           + text(subject)
           + QByteArrayLiteral("</rdf:li></rdf:Alt></dc:description>\n"
                               "<xmp:CreatorTool>")
           + text(programName())
           + QByteArrayLiteral("</xmp:CreatorTool>\n"
                               "</rdf:Description>\n"
                               "</rdf:RDF>\n"
                               "</x:xmpmeta>\n"
                               "<?xpacket end='w'?>");
}

} // namespace

std::optional<LaidOutRun> LaidOutRun::layOut(const SheetRun& run)
{
    LaidOutRun laid;
    laid.m_options = run.options;
    const int total = static_cast<int>(run.numbers.size());
    const std::size_t perPage = run.options.twoPerPage ? 2 : 1;
    for (int done = 0; done < total; ++done) {
        if (!run.progress(done, total))
            return std::nullopt;
        const SheetLayout& sheet =
            laid.m_sheets.emplace_back(run.pageOf(run.numbers[static_cast<std::size_t>(done)]), run.style, run.options);
        const bool pageFull = laid.m_pages.empty() || laid.m_pages.back().size() == perPage;
        if (!pageFull && sheet.slotCount() > 1)
            laid.m_pages.emplace_back(); // a sheet of several slots starts a page
        for (int slot = 0; slot < sheet.slotCount(); ++slot) {
            if (laid.m_pages.empty() || laid.m_pages.back().size() == perPage)
                laid.m_pages.emplace_back();
            laid.m_pages.back().push_back({laid.m_sheets.size() - 1, slot});
        }
    }
    return laid;
}

void LaidOutRun::drawPage(QPainter& painter, const QRectF& page, int index) const
{
    const QSizeF slot = SheetLayout::slotSize(m_options);
    const std::vector<Slot>& onPage = m_pages[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < onPage.size(); ++i) {
        painter.save();
        painter.translate(page.topLeft());
        const double scale = std::min(page.width() / slot.width(), page.height() / (slot.height() * (m_options.twoPerPage ? 2 : 1)));
        painter.scale(scale, scale);
        painter.translate(0, slot.height() * static_cast<double>(i));
        m_sheets[onPage[i].sheet].draw(painter, onPage[i].slot);
        painter.restore();
    }
    if (m_options.twoPerPage) { // where to cut the page in two
        const double scale = std::min(page.width() / slot.width(), page.height() / (slot.height() * 2));
        painter.save();
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        painter.setPen(QPen(QColor(150, 150, 150), 3, Qt::DashLine));
        painter.drawLine(QPointF(0, slot.height()), QPointF(slot.width(), slot.height()));
        painter.restore();
    }
}

PageChoice pageChoice(const QPrinter& printer)
{
    PageChoice choice;
    if (printer.printRange() == QPrinter::PageRange)
        choice.ranges = printer.pageRanges();
    choice.copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    choice.collate = printer.collateCopies();
    choice.lastFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    return choice;
}

std::vector<int> pageOrder(int pages, const PageChoice& choice)
{
    std::vector<int> chosen;
    for (int page = 0; page < pages; ++page)
        if (choice.ranges.isEmpty() || choice.ranges.contains(page + 1))
            chosen.push_back(page);
    if (choice.lastFirst)
        std::reverse(chosen.begin(), chosen.end());
    std::vector<int> order;
    const int copies = std::max(1, choice.copies);
    if (choice.collate) {
        for (int copy = 0; copy < copies; ++copy)
            order.insert(order.end(), chosen.begin(), chosen.end());
    } else {
        for (const int page : chosen)
            order.insert(order.end(), static_cast<std::size_t>(copies), page);
    }
    return order;
}

bool drawPages(QPagedPaintDevice& device, const PagedDocument& document, const std::vector<int>& order, const Progress& progress)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int total = static_cast<int>(order.size());
    for (int done = 0; done < total; ++done) {
        if (!progress(done, total)) {
            painter.end();
            return false;
        }
        if (done > 0 && !device.newPage())
            return false;
        document.drawPage(painter, QRectF(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height())),
                          order[static_cast<std::size_t>(done)]);
    }
    progress(total, total);
    return painter.end();
}

PdfResult writeSheetsPdf(const QString& path, const SheetRun& run, const QString& title, const QString& subject)
{
    const std::optional<LaidOutRun> laid = LaidOutRun::layOut(run);
    if (!laid)
        return PdfResult::Stopped;
    return writeDocumentPdf(path, *laid, title, subject, run.progress);
}

PdfResult writeDocumentPdf(const QString& path, const PagedDocument& document, const QString& title, const QString& subject,
                           const Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return PdfResult::NotWritable;
    bool stopped = false;
    const Progress watched = [&](int done, int total) {
        stopped = !progress(done, total);
        return !stopped;
    };
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setCreator(programName());
        writer.setTitle(title);
        writer.setDocumentXmpMetadata(xmpMetadata(title, subject));
        drawn = drawPages(writer, document, pageOrder(document.pages(), {}), watched);
    }
    if (!drawn) {
        file.cancelWriting();
        return stopped ? PdfResult::Stopped : PdfResult::NotWritable;
    }
    return file.commit() ? PdfResult::Written : PdfResult::NotWritable;
}

} // namespace sorban::sheets
