#include "platform/core/Dialogs.h"

#include <cstdio>

namespace sorban::platform {
namespace {

// Without a window system (command-line tools), boxes become lines on standard error.
class StderrDialogs final : public Dialogs {
public:
    void messageBox(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    }
    void beep() override { std::fputc('\a', stderr); }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
    void runModal(ModalWindow& window) override { window.execModal(); }
    void launch(const std::string&, const std::vector<std::string>&, std::function<void(bool)> finished) override { finished(false); }
};

StderrDialogs g_stderrDialogs;
Dialogs* g_current = &g_stderrDialogs;

} // namespace

Dialogs& dialogs()
{
    return *g_current;
}

DialogsGuard::DialogsGuard(Dialogs& installed) : m_previous(g_current)
{
    g_current = &installed;
}

DialogsGuard::~DialogsGuard()
{
    g_current = m_previous;
}

} // namespace sorban::platform
