#include "platform/core/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorban::platform {

QString InstanceLock::lockFolder()
{
    // Not the runtime folder: a copy started without XDG_RUNTIME_DIR (after "su -") looks for it
    // elsewhere than one started from the desktop, and both would run.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("sorban-%1").arg(getuid()));
}

QString InstanceLock::lockPath(const QString& name)
{
    return QDir(lockFolder()).filePath(name + QStringLiteral(".lock"));
}

bool InstanceLock::ownFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    mkdir(path.constData(), 0700); // fails harmlessly when the folder is there
    struct stat info {};
    // Only a real folder of this user that no one else may enter: another user's folder, or a link
    // planted in its place, would let that user hold or see the lock.
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 0077) == 0;
}

InstanceLock::InstanceLock(const QString& name)
{
    if (!ownFolder(lockFolder()))
        return;
    const QByteArray path = QFile::encodeName(lockPath(name));
    // Never truncated or removed: another copy may hold the lock on this very file. Not inherited
    // by programs started from here, or a manual viewer would keep the lock after the program.
    m_fd = open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info {};
    if (m_fd >= 0 && (fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(m_fd);
        m_fd = -1;
    }
    if (m_fd < 0)
        return;
    int rc;
    do
        rc = flock(m_fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        m_heldElsewhere = errno == EWOULDBLOCK;
        close(m_fd);
        m_fd = -1;
    }
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        close(m_fd); // closing the last descriptor frees the lock
}

} // namespace sorban::platform
