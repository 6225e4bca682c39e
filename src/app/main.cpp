#include "Dialogs.h"
#include "FormStyle.h"
#include "InstanceLock.h"
#include "KanjiStore.h"
#include "QtDialogs.h"
#include "Settings.h"
#include "TsorbanForm.h"

#include <QApplication>
#include <QStyleFactory>

#include <exception>
#include <filesystem>
#include <memory>

namespace {

// The folder of the running executable, with its trailing separator.
std::string executableDir()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("./") : exe.parent_path().string() + "/";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sorban"));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setQuitOnLastWindowClosed(false); // the main window alone ends the program
    sorban::platform::installFontSubstitutes();
    // Every window's own font is this one; as the default it also spares the menus a search
    // through the system's fonts for one with Japanese glyphs.
    app.setFont(sorban::platform::pixelFont(sorban::platform::faces::PGothic, 12));
    sorban::platform::QtDialogs dialogs;
    sorban::platform::DialogsGuard guard(dialogs);

    const sorban::platform::InstanceLock lock(QStringLiteral("sorban2.0"));
    if (lock.heldElsewhere()) {
        dialogs.messageBox("Sorbanはすでに起動しています。", "ご注意!!");
        return 0;
    }
    try {
        auto store = std::make_unique<sorban::data::KanjiStore>();
        sorban::settings::Settings settings;
        sorban::app::TsorbanForm form(*store, settings, {executableDir(), "kdata"});
        form.createStartupWindows();
        form.show();
        app.exec();
    } catch (const std::exception& e) {
        dialogs.messageBox(e.what(), "Sorban");
    }
    return 0;
}
