#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace quellor {

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath)), m_path(lockPath) {
    m_lock->setStaleLockTime(0); // stale only when the owning process is gone
}

SingleInstance::Result SingleInstance::acquire() {
    if (m_lock->isLocked() || m_lock->tryLock(0)) {
        return Result::Acquired;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        // Qt has already found the owner alive (a dead owner's lock is taken over). Only a lock
        // that names its owner is a running copy; a folder or stray file in its place is not.
        // A copy starting this instant may not have written its name yet: look twice.
        for (int look = 0; look < 2; ++look) {
            qint64 pid = 0;
            QString host, app;
            if (m_lock->getLockInfo(&pid, &host, &app)) {
                return Result::OtherCopyRuns;
            }
            QThread::msleep(100);
        }
    }
    const QFileInfo info(m_path);
    switch (m_lock->error()) {
    case QLockFile::PermissionError:
        m_why = QStringLiteral("no permission to create %1").arg(m_path);
        break;
    case QLockFile::LockFailedError:
        m_why = info.isDir() ? QStringLiteral("%1 is a folder").arg(m_path)
                             : QStringLiteral("%1 holds no lock of a running copy").arg(m_path);
        break;
    default:
        m_why = QStringLiteral("cannot create %1").arg(m_path);
        break;
    }
    return Result::LockUnavailable;
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/quellor.lock");
}

} // namespace quellor
