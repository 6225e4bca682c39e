#pragma once

#include "data/KanjiStore.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace sorban::platform {
inline void PrintTo(const RecordingDialogs::Event& e, std::ostream* os)
{
    if (e.kind == RecordingDialogs::Event::Kind::Beep)
        *os << "beep";
    else
        *os << "box(\"" << e.text << "\", \"" << e.caption << "\")";
}
} // namespace sorban::platform

namespace sorban::test {

/// A store, a temporary data folder and a recorder for the boxes shown while loading.
class DataFileTest : public ::testing::Test {
protected:
    using Box = platform::RecordingDialogs;

    void write(std::string_view name, std::string_view utf8) { writeSjis(dir / name, utf8); }
    const std::vector<Box::Event>& shown() const { return recorder.events; }
    static std::string sj(std::string_view utf8) { return sjis(utf8); }

    TempDir dir;
    std::unique_ptr<data::KanjiStore> storePtr = std::make_unique<data::KanjiStore>();
    data::KanjiStore& store = *storePtr;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

} // namespace sorban::test
