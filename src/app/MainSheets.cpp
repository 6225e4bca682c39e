// TsorbanForm: printing, saving as PDF and copying the table in view.
#include "app/KanjiSheet.h"
#include "app/SheetDialog.h"
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/FormStyle.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <functional>
#include <memory>
#include <optional>

namespace sorban::app {
namespace {

// Runs of more pages than this show a progress window that can stop them.
constexpr std::size_t QuietPages = 3;

// The kanji the user chooses in the sheet dialog; nothing when cancelled or when the choice
// holds no kanji (said in a box).
std::optional<std::vector<std::int32_t>> chooseKanji(TsorbanForm& form, const QString& title, const data::KanjiStore& store,
                                                     const settings::Selection& selection, const settings::Settings& settings)
{
    const std::int32_t n = selection.KanNum;
    const bool known = data::KanjiStore::isKanjiNumber(n);
    const int memoCount = static_cast<int>(kanjiForScope(store, {SheetScope::Kind::Memo, 1, 1, 1}, n, settings.Memo).size());
    SheetDialog dialog(title, QString::fromStdString(platform::sjisToUtf8(selection.KanjiNow)), n,
                       known ? store.HaitouNen[static_cast<std::size_t>(n - 1)] : 1, memoCount, &form);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<std::int32_t> numbers = kanjiForScope(store, dialog.scope(), n, settings.Memo);
    if (numbers.empty()) {
        platform::dialogs().messageBox("選んだ範囲に教育漢字がありません。", "ご注意！");
        return std::nullopt;
    }
    return numbers;
}

// A progress call for a run: a window with a stop button for long runs, none for short ones.
std::function<bool(int, int)> progressFor(QWidget* parent, std::size_t pages, std::shared_ptr<QProgressDialog>& window)
{
    if (pages <= QuietPages)
        return [](int, int) { return true; };
    window = std::make_shared<QProgressDialog>(QStringLiteral("漢字のページを作っています…"), QStringLiteral("中止"), 0,
                                               static_cast<int>(pages), parent);
    window->setWindowTitle(QStringLiteral("Sorban"));
    window->setWindowModality(Qt::WindowModal);
    window->setMinimumDuration(300);
    return [progress = window.get()](int done, int) {
        progress->setValue(done);
        return !progress->wasCanceled();
    };
}

} // namespace

KanjiPage TsorbanForm::sheetPage(std::int32_t n)
{
    if (m_selection.GokuLoaded == 0) {
        data::LoadGokuData(m_store, m_paths.dataDir);
        m_selection.GokuLoaded = 1;
    }
    return makeKanjiPage(m_store, n, true, m_paths.pictureDir);
}

bool TsorbanForm::saveSheetsAsPdf(const QString& path, const std::vector<std::int32_t>& numbers)
{
    std::shared_ptr<QProgressDialog> window;
    SheetRun run{numbers, [this](std::int32_t n) { return sheetPage(n); }, sheetStyle(), progressFor(this, numbers.size(), window)};
    const PdfResult result = writeKanjiPdf(path, run);
    if (result == PdfResult::NotWritable)
        platform::dialogs().messageBox("PDFファイルに書き込めません。\n" + path.toStdString(), "ご注意！");
    return result == PdfResult::Written;
}

void TsorbanForm::PdfClick()
{
    const auto numbers = chooseKanji(*this, QStringLiteral("PDFに保存"), m_store, m_selection, m_settings);
    if (!numbers)
        return;
    const QString suggested = QDir::home().filePath(QStringLiteral("sorban-%1.pdf").arg(numbers->front()));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDFに保存"), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveSheetsAsPdf(path, *numbers);
}

void TsorbanForm::PrintClick()
{
    const auto numbers = chooseKanji(*this, QStringLiteral("印刷"), m_store, m_selection, m_settings);
    if (!numbers)
        return;
    if (QPrinterInfo::availablePrinters().isEmpty())
        platform::dialogs().messageBox("プリンタが見つかりません。\n次の画面で「PDF」を選ぶと、ファイルに印刷できます。", "ご注意！");
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::shared_ptr<QProgressDialog> window;
    const SheetRun run{*numbers, [this](std::int32_t n) { return sheetPage(n); }, sheetStyle(), progressFor(this, numbers->size(), window)};
    if (!drawKanjiSheets(printer, run) && !(window && window->wasCanceled()))
        platform::dialogs().messageBox("印刷できませんでした。", "ご注意！");
}

void TsorbanForm::CopyClick()
{
    const bool examples = m_selection.GokuMode == 1;
    const KanjiPage page = makeKanjiPage(m_store, m_selection.KanNum, examples, m_paths.pictureDir);
    auto* data = new QMimeData;
    data->setText(tableAsTsv(page, examples));
    data->setHtml(tableAsHtml(page, examples));
    QGuiApplication::clipboard()->setMimeData(data);
}

SheetStyle TsorbanForm::sheetStyle() const
{
    const QString face = QString::fromStdString(platform::sjisToUtf8(m_settings.KanjiFont));
    return {platform::installedFamily(face.isEmpty() ? platform::faces::Mincho : face), QDate::currentDate()};
}

} // namespace sorban::app
