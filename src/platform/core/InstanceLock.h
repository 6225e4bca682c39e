#pragma once

#include <QString>

namespace sorban::platform {

/// A lock named `name` that one process of the user holds at a time, for as long as it lives: an
/// advisory lock (flock) on a file in the user's folder of the temporary folder, sorban-<uid>
/// (created 0700; used only while it is a folder of the user that no one else may enter), which a
/// copy started from the desktop and one started without a runtime folder both find. The system frees it when the
/// process ends in any way, a crash or SIGKILL included; whatever the file holds (a leftover of
/// any program, another host's name, garbage) does not matter, only a live holder does.
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// True when another running process holds the lock. A lock that cannot be taken at all (no
    /// folder of the user's own, a special file in the lock's place) is not held elsewhere: the
    /// program then runs as the first copy.
    bool heldElsewhere() const { return m_heldElsewhere; }

    /// The lock file's path: `name` in the user's lock folder.
    static QString lockPath(const QString& name);
    /// The user's lock folder: sorban-<uid> in the temporary folder ($TMPDIR, else /tmp).
    static QString lockFolder();

private:
    /// Makes `folder` (0700) when it is not there; true when it is a folder of the user's own that
    /// no one else may enter.
    static bool ownFolder(const QString& folder);

    int m_fd = -1;
    bool m_heldElsewhere = false;
};

} // namespace sorban::platform
