// memory-soak DATA_DIR [CYCLES] [STEPS]: the real main window on the data in DATA_DIR, as a user
// drives it: CYCLES times every tool window opened, painted and closed, then STEPS kanji changes,
// each painted. Prints the resident memory after start, after the cycles and after the steps.
// Not a test: scripts/bench-memory runs it under Xvfb and reports the figures.
#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "extras/THitujunF.h"
#include "extras/ThelpW.h"
#include "jukuji/TJukujiForm.h"
#include "platform/core/Dialogs.h"
#include "platform/widgets/FormStyle.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDialog>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

// Resident memory, and how much of it is the program's own (anonymous) memory, pages of mapped
// files (libraries, fonts: shared and given back under pressure) and shared memory (the X server's
// window images).
std::string resident()
{
    std::ifstream status("/proc/self/status");
    long rss = 0, anon = 0, file = 0, shmem = 0;
    for (std::string line; std::getline(status, line);) {
        std::sscanf(line.c_str(), "VmRSS: %ld", &rss);
        std::sscanf(line.c_str(), "RssAnon: %ld", &anon);
        std::sscanf(line.c_str(), "RssFile: %ld", &file);
        std::sscanf(line.c_str(), "RssShmem: %ld", &shmem);
    }
    char line[160];
    std::snprintf(line, sizeof line, "%.1f MB (anonymous %.1f, files %.1f, shared %.1f)", rss / 1024.0, anon / 1024.0, file / 1024.0,
                  shmem / 1024.0);
    return line;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Boxes are not shown; the modal viewer is shown, painted and closed instead of waited for.
class SoakDialogs final : public sorban::platform::Dialogs {
public:
    void messageBox(const std::string&, const std::string&) override {}
    void beep() override {}
    std::optional<sorban::platform::FontChoice> chooseFont(const sorban::platform::FontChoice&) override { return std::nullopt; }
    void runModal(sorban::platform::ModalWindow& window) override
    {
        auto* dialog = dynamic_cast<QDialog*>(&window);
        if (!dialog)
            return;
        dialog->show();
        settle();
        dialog->close();
        settle();
    }
    void launch(const std::string&, const std::vector<std::string>&, std::function<void(bool)> finished) override { finished(false); }
};

// Opens a window by its command, lets it paint, and closes it.
void openAndClose(sorban::app::TsorbanForm& form, void (sorban::app::TsorbanForm::*open)(), const std::function<QWidget*()>& window)
{
    (form.*open)();
    settle();
    if (QWidget* w = window())
        w->close();
    settle();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: memory-soak DATA_DIR [CYCLES] [STEPS]\n");
        return 2;
    }
    const std::filesystem::path data = argv[1];
    const int cycles = argc > 2 ? std::atoi(argv[2]) : 500;
    const int steps = argc > 3 ? std::atoi(argv[3]) : 5000;
    QApplication app(argc, argv);
    sorban::platform::setupApplication(app);
    SoakDialogs dialogs;
    sorban::platform::DialogsGuard guard(dialogs);
    std::filesystem::current_path(data);
    const auto exeDir = std::filesystem::temp_directory_path() / "sorban-memory-soak";
    std::filesystem::create_directories(exeDir);
    auto store = std::make_unique<sorban::data::KanjiStore>();
    sorban::settings::Settings settings;
    sorban::settings::Selection selection;
    selection.ExeDir = exeDir.string() + "/";
    sorban::app::TsorbanForm form(*store, selection, settings, {"kdata", "hitudata"});
    form.createStartupWindows();
    form.show();
    settle();
    std::printf("after start: %s\n", resident().c_str());

    using Form = sorban::app::TsorbanForm;
    const auto search = [&form](Form::Search kind) { return [&form, kind] { return form.searchWindow(kind); }; };
    const auto jukujikun = [&form] { return static_cast<QWidget*>(form.findChild<sorban::jukuji::TJukujiForm*>()); };
    for (int i = 0; i < cycles; ++i) {
        openAndClose(form, &Form::K2Click, search(Form::Search::StrokeCount));
        openAndClose(form, &Form::H1Click, search(Form::Search::Grade));
        openAndClose(form, &Form::B1Click, search(Form::Search::Radical));
        openAndClose(form, &Form::SpeedButton6Click, search(Form::Search::Reading));
        openAndClose(form, &Form::J1Click, jukujikun);
        form.SpeedButton14Click(); // the stroke-order viewer of the kanji shown
        form.About1Click();
        settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* about = qobject_cast<sorban::extras::ThelpW*>(w))
                about->close();
        settle();
        form.SpeedButton8Click(); // a kanji with other pictures and readings next time
        settle();
    }
    std::printf("after %d cycles of every tool window: %s\n", cycles, resident().c_str());
    for (int i = 0; i < steps; ++i) {
        form.SpeedButton8Click();
        if (i % 7 == 0)
            form.gokuRandDClick(); // now and then the example view
        settle();
    }
    std::printf("after %d more kanji changes: %s\n", steps, resident().c_str());

    return 0;
}
