#include "SampleSet.h"
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "platform/core/Dialogs.h"
#include "platform/widgets/FormStyle.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "sheets/PracticeSheet.h"
#include "sheets/SheetDialog.h"
#include "sheets/SheetOutput.h"
#include "sheets/SheetPrinter.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// The main window over a sample set that mkdata writes into a folder of its own.
struct SampleWindow {
    SampleWindow()
    {
        made = sorban::bench::writeSampleSet(dir.path());
        sorban::platform::installFontSubstitutes();
        selection.ExeDir = dir.path().string() + "/";
        if (made)
            form = std::make_unique<sorban::app::TsorbanForm>(*store, selection, settings,
                                                              sorban::app::FormPaths{dir / "kdata", dir / "hitudata"});
    }

    const sorban::test::TempDir dir;
    bool made = false;
    std::unique_ptr<sorban::data::KanjiStore> store = std::make_unique<sorban::data::KanjiStore>();
    sorban::settings::Settings settings;
    sorban::settings::Selection selection;
    std::unique_ptr<sorban::app::TsorbanForm> form;
};

// One kanji step as the user sees it: HyouDsp for the next kanji, then the whole window painted.
void BM_ShowKanji(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.made) {
        state.SkipWithError("mkdata failed");
        return;
    }
    sample.form->show();
    QApplication::processEvents();
    QImage image(sample.form->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        sample.selection.KanNum = sample.selection.KanNum % 1026 + 1;
        sample.form->HyouDsp();
        QPainter painter(&image);
        sample.form->render(&painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShowKanji)->Unit(benchmark::kMillisecond);

// A whole grade as a PDF, as PDFに保存 writes it: grade 1 of the sample set, one page a kanji.
void BM_GradePdf(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.made) {
        state.SkipWithError("mkdata failed");
        return;
    }
    const std::vector<std::int32_t> grade =
        sorban::sheets::kanjiForScope(*sample.store, {sorban::sheets::SheetScope::Kind::Grade, 1, 1, 1}, 1, sample.settings.Memo);
    const QString path = QString::fromStdString((sample.dir / "grade1.pdf").string());
    for (auto _ : state)
        if (!sample.form->sheets().savePdfAs(path, grade))
            state.SkipWithError("the PDF was not written");
    state.counters["pages"] = static_cast<double>(grade.size());
}
BENCHMARK(BM_GradePdf)->Unit(benchmark::kMillisecond);

// Practice sheets as a PDF, 17 mm boxes: grade 1 (argument 1), or all 1026 kanji (argument 0).
void BM_PracticePdf(benchmark::State& state)
{
    SampleWindow sample;
    if (!sample.made) {
        state.SkipWithError("mkdata failed");
        return;
    }
    const sorban::sheets::SheetScope scope = state.range(0) == 1
                                                 ? sorban::sheets::SheetScope{sorban::sheets::SheetScope::Kind::Grade, 1}
                                                 : sorban::sheets::SheetScope{sorban::sheets::SheetScope::Kind::Range, 1, 1, 1026};
    const std::vector<std::int32_t> kanji = sorban::sheets::kanjiForScope(*sample.store, scope, 1, sample.settings.Memo);
    const QString path = QString::fromStdString((sample.dir / "practice.pdf").string());
    sorban::sheets::PracticeOptions options;
    options.family = sample.form->sheets().style().kanjiFamily;
    int pages = 0;
    for (auto _ : state) {
        const sorban::sheets::PracticePages document(sample.form->sheets().practiceRun(kanji, scope, options, QStringLiteral("練習")));
        pages = document.pages();
        if (sorban::sheets::writeDocumentPdf(path, document, QStringLiteral("練習"), QStringLiteral("s"), [](int, int) { return true; })
            != sorban::sheets::PdfResult::Written)
            state.SkipWithError("the PDF was not written");
    }
    state.counters["kanji"] = static_cast<double>(kanji.size());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PracticePdf)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
