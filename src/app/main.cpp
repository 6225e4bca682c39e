#include "app/TsorbanForm.h"
#include "data/DataFile.h"
#include "data/KanjiStore.h"
#include "platform/core/CommandLine.h"
#include "platform/core/Dialogs.h"
#include "platform/core/InstanceLock.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/QtDialogs.h"
#include "settings/Selection.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <exception>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

// The folder of the running executable, with its trailing separator.
std::string executableDir()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("./") : exe.parent_path().string() + "/";
}

// An installed program keeps its data, pictures and manual in <prefix>/share/sorban.
std::filesystem::path installedDataDir(const std::string& exeDir)
{
    return std::filesystem::path(exeDir).parent_path().parent_path() / "share" / "sorban";
}

// The manual beside the program (a copy kept in a folder of its own), else the installed one.
std::filesystem::path manualDir(const std::string& exeDir, const std::filesystem::path& shared)
{
    std::error_code error;
    const bool beside =
        std::filesystem::exists(exeDir + "Sorban_Man.chm", error) || std::filesystem::exists(exeDir + "manual/index.html", error);
    if (!beside && std::filesystem::exists(shared / "manual" / "index.html", error))
        return shared;
    return exeDir;
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before any window or display is needed.
    const auto line = sorban::platform::readCommandLine(argc, argv, 0, true);
    if (const int code = sorban::platform::answerCommandLine(
            line, "sorban", "usage: sorban",
            "Shows where each reading of the 1026 education kanji first appears in primary-school\n"
            "textbooks. Reads kdata/ and hitudata/ in the folder it is started in, else /usr/share/sorban/.\n"
            "The window toolkit's own options (-platform, -display ...) are passed on.\n\n"
            "  --help     show this help\n  --version  show the version\n");
        code >= 0)
        return code;
    // The font configuration loads while the application starts; the first text laid out needs it.
    std::jthread fontConfiguration = sorban::platform::loadFontConfiguration();
    QApplication app(argc, argv);
    fontConfiguration.join();
    app.setApplicationName(QStringLiteral("Sorban"));
    // Docks and window lists find the desktop entry, and with it the program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("sorban"));
    sorban::platform::setupApplication(app);
    app.setQuitOnLastWindowClosed(false); // the main window alone ends the program
    sorban::platform::QtDialogs dialogs;
    sorban::platform::DialogsGuard guard(dialogs);

    const sorban::platform::InstanceLock lock(QStringLiteral("sorban2.0"));
    if (lock.heldElsewhere()) {
        dialogs.messageBox("Sorbanはすでに起動しています。", "ご注意!!");
        return 0;
    }
    const std::string exeDir = executableDir();
    const std::filesystem::path shared = installedDataDir(exeDir);
    std::error_code error;
    // Started in a folder without data (from a menu, or a terminal anywhere): use the installed data.
    using sorban::data::DataFolder;
    if (!std::filesystem::is_directory(DataFolder, error) && std::filesystem::is_directory(shared / DataFolder, error))
        std::filesystem::current_path(shared, error);
    try {
        auto store = std::make_unique<sorban::data::KanjiStore>();
        sorban::settings::Selection selection;
        selection.ExeDir = exeDir;
        sorban::settings::Settings settings;
        sorban::app::TsorbanForm form(*store, selection, settings, {DataFolder, sorban::data::PictureFolder, manualDir(exeDir, shared)});
        form.createStartupWindows();
        form.show();
        // The icon is read once the window is on screen: its SVG engine need not delay the first frame.
        QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sorban.svg"))); });
        app.exec();
    } catch (const std::exception& e) {
        dialogs.messageBox(e.what(), "Sorban");
    }
    return 0;
}
