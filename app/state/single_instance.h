#pragma once
// One running instance per user: a lock file in the user's runtime directory. The lock is
// released by the system when the process dies, so a crash never blocks the next start.

#include <QLockFile>
#include <QString>

#include <memory>

namespace quellor {

class SingleInstance {
public:
    enum class Result {
        Acquired,       // this process is the only instance and holds the lock
        OtherCopyRuns,  // a live copy of the program holds it
        LockUnavailable // the lock could not be taken for another reason; see why()
    };

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    // Holds the lock until destroyed when it answers Acquired; asked again then, answers Acquired.
    Result acquire();
    // Why the lock was unavailable, for the standard error stream.
    const QString& why() const { return m_why; }
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    QString m_why;
};

} // namespace quellor
