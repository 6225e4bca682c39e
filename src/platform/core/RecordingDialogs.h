#pragma once

#include "Dialogs.h"

#include <string>
#include <utility>
#include <vector>

namespace sorban::platform {

/// A Dialogs for tests: remembers every box and beep in order, shows nothing.
class RecordingDialogs final : public Dialogs {
public:
    struct Event {
        enum class Kind { Box, Beep } kind;
        std::string text;
        std::string caption;
        bool operator==(const Event&) const = default;
    };

    static Event box(std::string text, std::string caption) { return {Event::Kind::Box, std::move(text), std::move(caption)}; }
    static Event beepEvent() { return {Event::Kind::Beep, {}, {}}; }

    void messageBox(const std::string& text, const std::string& caption) override { events.push_back(box(text, caption)); }
    void beep() override { events.push_back(beepEvent()); }

    std::vector<Event> events;
};

} // namespace sorban::platform
