#pragma once
// One running instance per user: a lock file in the user's runtime directory. The lock is
// released by the system when the process dies, so a crash never blocks the next start.

#include <QLockFile>
#include <QString>

#include <memory>

namespace quellor {

class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    // True when this process is the only instance; holds the lock until destroyed. Asking
    // again once held answers true.
    bool acquire();
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace quellor
