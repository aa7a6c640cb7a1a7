#include "single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace quellor {

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath)) {
    m_lock->setStaleLockTime(0); // stale only when the owning process is gone
}

bool SingleInstance::acquire() {
    return m_lock->isLocked() || m_lock->tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/quellor.lock");
}

} // namespace quellor
