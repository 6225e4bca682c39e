#pragma once

#include "platform/core/Dialogs.h"

namespace sorban::platform {

/// The Dialogs of the running program: real modal boxes owned by the application.
class QtDialogs final : public Dialogs {
public:
    void messageBox(const std::string& text, const std::string& caption) override;
    void beep() override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void runModal(ModalWindow& window) override { window.execModal(); }
    void launch(const std::string& program, const std::vector<std::string>& arguments, std::function<void(bool)> finished) override;
};

} // namespace sorban::platform
