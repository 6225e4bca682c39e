#include "platform/core/Dialogs.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>

using namespace sorban::platform;

TEST(DialogsGuardTest, installsForItsLifetimeAndRestoresTheOuterOne)
{
    RecordingDialogs outer;
    DialogsGuard outerGuard(outer);
    {
        RecordingDialogs inner;
        DialogsGuard innerGuard(inner);
        dialogs().messageBox("text", "caption");
        dialogs().beep();
        EXPECT_EQ(inner.events, (std::vector{RecordingDialogs::box("text", "caption"), RecordingDialogs::beepEvent()}));
    }
    dialogs().beep();
    EXPECT_EQ(outer.events, std::vector{RecordingDialogs::beepEvent()});
}
