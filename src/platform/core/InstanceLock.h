#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace sorban::platform {

/// A lock named `name` that one process of the user holds at a time, for as long as it lives. The
/// system frees it when the process ends, also by a crash (a lock left by a dead process is stale
/// and taken over).
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// True when another running process holds the lock.
    bool heldElsewhere() const { return m_heldElsewhere; }

    /// The lock file's path: `name` in the user's runtime folder.
    static QString lockPath(const QString& name);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_heldElsewhere = false;
};

} // namespace sorban::platform
