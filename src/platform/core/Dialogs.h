#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorban::platform {

/// A font as the font dialog offers it: a face, the effects underline and strike-out, and a colour.
struct FontChoice {
    std::string family; ///< UTF-8
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t rgb = 0x000000; ///< 0xRRGGBB
    bool operator==(const FontChoice&) const = default;
};

/// A window that can run modally: exec() returns when the user closes it.
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    virtual void execModal() = 0;
};

/// Every message box and beep the user sees goes through the installed Dialogs, so that tests can
/// answer them. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// A modal box with `text`, the title `caption`, one OK button and no icon.
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;
    virtual void beep() = 0;
    /// The font dialog (scalable faces only, no size or style choice), starting from `initial`;
    /// nothing when the user cancels.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    /// Runs `window` modally: the caller waits until it is closed.
    virtual void runModal(ModalWindow& window) = 0;
    /// Starts `program` with `arguments` without waiting for it, and later calls `finished` with
    /// true when it ended with exit code 0, or with false when it could not start or ended with
    /// another code. A program that outlives this one is left running.
    virtual void launch(const std::string& program, const std::vector<std::string>& arguments,
                        std::function<void(bool succeeded)> finished) = 0;
};

/// The Dialogs in force: the innermost installed one, else one that writes to standard error.
Dialogs& dialogs();

/// Installs a Dialogs for the guard's lifetime and restores the previous one afterwards.
class DialogsGuard {
public:
    explicit DialogsGuard(Dialogs& installed);
    ~DialogsGuard();
    DialogsGuard(const DialogsGuard&) = delete;
    DialogsGuard& operator=(const DialogsGuard&) = delete;

private:
    Dialogs* m_previous;
};

} // namespace sorban::platform
