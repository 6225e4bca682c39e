#include "sheets/SheetPrinter.h"

#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "data/VolumeOrder.h"
#include "platform/core/Dialogs.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/SheetDialog.h"
#include "sheets/SheetOutput.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace sorban::sheets {
namespace {

// Runs of more kanji than this show a progress window that can stop them.
constexpr std::size_t QuietPages = 3;

const QString Subject = QStringLiteral("教育漢字教科書別・読み別 出現ページ表");

// A progress call for a run: a window with a stop button for long runs, none for short ones.
Progress progressFor(QWidget* parent, std::size_t kanji, std::shared_ptr<QProgressDialog>& window)
{
    if (kanji <= QuietPages)
        return [](int, int) { return true; };
    window = std::make_shared<QProgressDialog>(QStringLiteral("漢字のページを作っています…"), QStringLiteral("中止"), 0,
                                               static_cast<int>(kanji), parent);
    window->setWindowTitle(QStringLiteral("Sorban"));
    window->setWindowModality(Qt::WindowModal);
    window->setMinimumDuration(300);
    return [progress = window.get()](int done, int total) {
        progress->setMaximum(total);
        progress->setValue(done);
        return !progress->wasCanceled();
    };
}

} // namespace

SheetPrinter::SheetPrinter(SheetSource source, QWidget* window) : m_source(std::move(source)), m_window(window)
{}

QString SheetPrinter::currentKanji() const
{
    return QString::fromStdString(platform::sjisToUtf8(m_source.selection.KanjiNow));
}

// The kanji and options the user chooses in the sheet dialog; nothing when cancelled or when the
// choice holds no kanji (said in a box).
std::optional<SheetPrinter::Choice> SheetPrinter::choose(const QString& command, SheetDialog::Kind kind,
                                                         std::optional<std::pair<int, std::int32_t>> volume)
{
    const data::KanjiStore& store = m_source.store;
    const std::int32_t n = m_source.selection.KanNum;
    const bool known = data::KanjiStore::isKanjiNumber(n);
    const auto& memo = m_source.settings.Memo;
    QStringList columns;
    for (const std::string& label : store.ColumnLabel)
        columns << QString::fromStdString(platform::sjisToUtf8(label));
    const DialogStart start{currentKanji(),
                            n,
                            known ? store.HaitouNen[static_cast<std::size_t>(n - 1)] : 1,
                            static_cast<int>(kanjiForScope(store, {SheetScope::Kind::Memo}, n, memo).size()),
                            columns,
                            style().kanjiFamily};
    SheetDialog dialog(command, kind, start, m_window);
    if (volume)
        dialog.chooseVolume(volume->first, volume->second);
    const int result = dialog.exec();
    if (result == QDialog::Rejected)
        return std::nullopt;
    const SheetScope scope = dialog.scope();
    Choice choice{kanjiForScope(store, scope, n, memo, m_source.volumeKanji),
                  dialog.options(),
                  dialog.practice(),
                  scope,
                  suggestedFileName(scope, currentKanji()),
                  titleOf(scope, currentKanji(), n, columns),
                  result};
    if (choice.numbers.empty()) {
        platform::dialogs().messageBox("選んだ範囲に教育漢字がありません。", "ご注意！");
        return std::nullopt;
    }
    return choice;
}

KanjiPage SheetPrinter::pageOf(std::int32_t n)
{
    if (m_source.selection.GokuLoaded == 0) {
        data::LoadGokuData(m_source.store, m_source.dataDir);
        m_source.selection.GokuLoaded = 1;
    }
    return makeKanjiPage(m_source.store, n, {true, true}, m_source.pictureDir);
}

SheetStyle SheetPrinter::style() const
{
    const QString face = QString::fromStdString(platform::sjisToUtf8(m_source.settings.KanjiFont));
    return {platform::installedFamily(face.isEmpty() ? platform::faces::Mincho : face), QDate::currentDate()};
}

bool SheetPrinter::savePdfAs(const QString& path, const std::vector<std::int32_t>& numbers, const SheetOptions& options,
                             const QString& title)
{
    std::shared_ptr<QProgressDialog> window;
    const SheetRun run{numbers, [this](std::int32_t n) { return pageOf(n); }, style(), options,
                       progressFor(m_window, numbers.size(), window)};
    const PdfResult result = writeSheetsPdf(path, run, title, Subject);
    if (result == PdfResult::NotWritable)
        platform::dialogs().messageBox("PDFファイルに書き込めません。\n" + path.toStdString(), "ご注意！");
    return result == PdfResult::Written;
}

QString SheetPrinter::choosePdfPath(QWidget* window, const QString& fileName)
{
    // The folder of the last PDF saved, while it is there; else the home folder.
    const QString last = QString::fromStdString(m_source.settings.PdfFolder);
    const QDir folder(!last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath());
    QString path =
        QFileDialog::getSaveFileName(window, QStringLiteral("PDFに保存"), folder.filePath(fileName), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return path;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    m_source.settings.PdfFolder = QFileInfo(path).absolutePath().toStdString();
    return path;
}

void SheetPrinter::savePdf()
{
    const auto choice = choose(QStringLiteral("PDFに保存"), SheetDialog::Kind::Reference);
    if (!choice)
        return;
    const QString path = choosePdfPath(m_window, choice->fileName);
    if (!path.isEmpty())
        savePdfAs(path, choice->numbers, choice->options, choice->title);
}

void SheetPrinter::saveDocumentPdf(QWidget* window, const PagedDocument& document, const QString& fileName, const QString& title)
{
    const QString path = choosePdfPath(window, fileName);
    if (path.isEmpty())
        return;
    if (writeDocumentPdf(path, document, title, Subject, [](int, int) { return true; }) == PdfResult::NotWritable)
        platform::dialogs().messageBox("PDFファイルに書き込めません。\n" + path.toStdString(), "ご注意！");
}

void SheetPrinter::tellNoPrinter()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        return;
    // The print dialog's own name for printing to a PDF file, in the language it speaks.
    const QString toFile = QCoreApplication::translate("QPrintDialog", "Print to File (PDF)");
    platform::dialogs().messageBox(
        "プリンタが見つかりません。\n次の画面で「" + toFile.toStdString() + "」を選ぶと、ファイルに印刷できます。", "ご注意！");
}

void SheetPrinter::printDocument(QWidget* window, const PagedDocument& document, const QString& title, const Progress& progress)
{
    tellNoPrinter();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, window);
    dialog.setMinMax(1, document.pages());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!drawPages(printer, document, pageOrder(document.pages(), pageChoice(printer)), progress))
        platform::dialogs().messageBox("印刷できませんでした。", "ご注意！");
}

PracticeRun SheetPrinter::practiceRun(const std::vector<std::int32_t>& numbers, const SheetScope& scope, const PracticeOptions& options,
                                      const QString& title)
{
    const data::KanjiStore& s = m_source.store;
    PracticeRun run{{}, title, false, style().kanjiFamily, options};
    const auto col = static_cast<std::size_t>(std::clamp(scope.column, 0, data::Columns - 1));
    for (const std::int32_t n : numbers) {
        const KanjiPage page = pageOf(n); // the examples read, the picture found
        run.sample = run.sample || page.sample;
        PracticeKanji kanji{n, page.kanji, page.attributes[1], {}, {}, page.picture};
        const std::int64_t first = s.FirstYomi(n);
        for (std::size_t k = 0; k < page.appearances.size(); ++k) {
            const std::int64_t index = first + static_cast<std::int64_t>(k);
            // A volume's sheet shows the readings the class has met by that volume.
            if (scope.kind == SheetScope::Kind::Volume
                && (!data::KanjiStore::isReadingIndex(index)
                    || !data::metBy(s.AprRecord[static_cast<std::size_t>(index)][2 * col], scope.volume)))
                continue;
            kanji.readings << page.appearances[k][0];
            kanji.examples << page.examples[k][col + 1];
        }
        run.kanji.push_back(std::move(kanji));
    }
    return run;
}

void SheetPrinter::practice(std::optional<std::pair<int, std::int32_t>> volume)
{
    const auto choice = choose(QStringLiteral("練習プリント"), SheetDialog::Kind::Practice, volume);
    if (!choice)
        return;
    std::shared_ptr<QProgressDialog> window;
    const Progress progress = progressFor(m_window, choice->numbers.size(), window);
    const PracticePages pages(practiceRun(choice->numbers, choice->scope, choice->practice, choice->title));
    const QString title = choice->title + QStringLiteral(" 練習プリント");
    if (choice->result == SheetDialog::PrintChosen) {
        printDocument(m_window, pages, title, progress);
        return;
    }
    const QString path = choosePdfPath(m_window, QStringLiteral("練習_") + choice->fileName);
    if (!path.isEmpty() && writeDocumentPdf(path, pages, title, Subject, progress) == PdfResult::NotWritable)
        platform::dialogs().messageBox("PDFファイルに書き込めません。\n" + path.toStdString(), "ご注意！");
}

bool SheetPrinter::printOn(QPrinter& printer, const std::vector<std::int32_t>& numbers, const SheetOptions& options)
{
    std::shared_ptr<QProgressDialog> window;
    const SheetRun run{numbers, [this](std::int32_t n) { return pageOf(n); }, style(), options,
                       progressFor(m_window, numbers.size(), window)};
    const std::optional<LaidOutRun> laid = LaidOutRun::layOut(run);
    return laid && drawPages(printer, *laid, pageOrder(laid->pages(), pageChoice(printer)), run.progress);
}

void SheetPrinter::print()
{
    const auto choice = choose(QStringLiteral("印刷"), SheetDialog::Kind::Reference);
    if (!choice)
        return;
    tellNoPrinter();
    std::shared_ptr<QProgressDialog> window;
    const SheetRun run{choice->numbers, [this](std::int32_t n) { return pageOf(n); }, style(), choice->options,
                       progressFor(m_window, choice->numbers.size(), window)};
    const std::optional<LaidOutRun> laid = LaidOutRun::layOut(run);
    if (!laid)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(choice->title);
    QPrintDialog dialog(&printer, m_window);
    dialog.setMinMax(1, laid->pages());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!drawPages(printer, *laid, pageOrder(laid->pages(), pageChoice(printer)), run.progress) && !(window && window->wasCanceled()))
        platform::dialogs().messageBox("印刷できませんでした。", "ご注意！");
}

void SheetPrinter::copyTable()
{
    const bool examples = m_source.selection.GokuMode == 1;
    const KanjiPage page = makeKanjiPage(m_source.store, m_source.selection.KanNum, {examples, false}, m_source.pictureDir);
    auto* data = new QMimeData;
    data->setText(tableAsTsv(page, examples));
    data->setHtml(tableAsHtml(page, examples));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace sorban::sheets
