#include "app/SheetDialog.h"
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "platform/core/Dialogs.h"
#include "platform/widgets/FormStyle.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// mkdata stands beside this benchmark in the build's bin folder.
std::filesystem::path mkdataPath()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "mkdata";
}

// One kanji step as the user sees it: HyouDsp for the next kanji, then the whole window painted.
void BM_ShowKanji(benchmark::State& state)
{
    const sorban::test::TempDir dir;
    const std::string command = mkdataPath().string() + " " + dir.path().string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("mkdata failed");
        return;
    }
    sorban::platform::installFontSubstitutes();
    auto store = std::make_unique<sorban::data::KanjiStore>();
    sorban::settings::Settings settings;
    sorban::settings::Selection selection;
    selection.ExeDir = dir.path().string() + "/";
    sorban::app::TsorbanForm form(*store, selection, settings, {dir / "kdata"});
    form.show();
    QApplication::processEvents();
    QImage image(form.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        selection.KanNum = selection.KanNum % 1026 + 1;
        form.HyouDsp();
        QPainter painter(&image);
        form.render(&painter);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShowKanji)->Unit(benchmark::kMillisecond);

// A whole grade as a PDF, as PDFに保存 writes it: grade 1 of the sample set, one page a kanji.
void BM_GradePdf(benchmark::State& state)
{
    const sorban::test::TempDir dir;
    const std::string command = mkdataPath().string() + " " + dir.path().string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("mkdata failed");
        return;
    }
    sorban::platform::installFontSubstitutes();
    auto store = std::make_unique<sorban::data::KanjiStore>();
    sorban::settings::Settings settings;
    sorban::settings::Selection selection;
    selection.ExeDir = dir.path().string() + "/";
    sorban::app::TsorbanForm form(*store, selection, settings, {dir / "kdata", dir / "hitudata"});
    const std::vector<std::int32_t> grade =
        sorban::app::kanjiForScope(*store, {sorban::app::SheetScope::Kind::Grade, 1, 1, 1}, 1, settings.Memo);
    const QString path = QString::fromStdString((dir / "grade1.pdf").string());
    for (auto _ : state)
        if (!form.saveSheetsAsPdf(path, grade))
            state.SkipWithError("the PDF was not written");
    state.counters["pages"] = static_cast<double>(grade.size());
}
BENCHMARK(BM_GradePdf)->Unit(benchmark::kMillisecond);

} // namespace
