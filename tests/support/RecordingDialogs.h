#pragma once

#include "platform/core/Dialogs.h"

#include <string>
#include <utility>
#include <vector>

namespace sorban::platform {

/// A Dialogs for tests: remembers every box and beep in order, shows nothing.
class RecordingDialogs final : public Dialogs {
public:
    struct Event {
        enum class Kind { Box, Beep, FontDialog, Modal, Launch } kind;
        std::string text;
        std::string caption;
        bool operator==(const Event&) const = default;
    };

    static Event box(std::string text, std::string caption) { return {Event::Kind::Box, std::move(text), std::move(caption)}; }
    static Event beepEvent() { return {Event::Kind::Beep, {}, {}}; }

    void messageBox(const std::string& text, const std::string& caption) override { events.push_back(box(text, caption)); }
    void beep() override { events.push_back(beepEvent()); }
    /// Records the dialog with its starting face as text and answers with `fontAnswer`.
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override
    {
        events.push_back({Event::Kind::FontDialog, initial.family, {}});
        fontStarts.push_back(initial);
        return fontAnswer;
    }

    /// Records the modal run and returns at once, as if the user had closed the window.
    void runModal(ModalWindow&) override { events.push_back({Event::Kind::Modal, {}, {}}); }
    /// Records the program and its first argument, and answers at once with the next of
    /// `launchAnswers` (true once they are used up).
    void launch(const std::string& program, const std::vector<std::string>& arguments, std::function<void(bool)> finished) override
    {
        events.push_back({Event::Kind::Launch, program, arguments.empty() ? std::string() : arguments.front()});
        launchArguments = arguments;
        const bool answer = launches < launchAnswers.size() ? launchAnswers[launches] : true;
        ++launches;
        finished(answer);
    }

    std::vector<Event> events;
    std::vector<bool> launchAnswers;
    std::size_t launches = 0;
    std::vector<std::string> launchArguments;
    std::optional<FontChoice> fontAnswer;
    std::vector<FontChoice> fontStarts;
};

} // namespace sorban::platform
