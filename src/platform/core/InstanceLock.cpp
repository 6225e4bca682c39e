#include "InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace sorban::platform {

QString InstanceLock::lockPath(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
}

InstanceLock::InstanceLock(const QString& name) : m_lock(std::make_unique<QLockFile>(lockPath(name)))
{
    // Held for the life of the program, however long: never stale by age, only when its owner died.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0))
        m_heldElsewhere = m_lock->error() == QLockFile::LockFailedError;
}

InstanceLock::~InstanceLock() = default;

} // namespace sorban::platform
