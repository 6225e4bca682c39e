#pragma once

#include <QObject>
#include <QString>
#include <gtest/gtest.h>

namespace sorban::test {

/// A window's control, found by the name every control has: tests reach controls this way, never
/// through the window's members.
template <typename T>
T* child(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace sorban::test
