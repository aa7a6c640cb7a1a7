#pragma once
// SPDX-License-Identifier: MIT
// One running instance per user: a lock file in the user's runtime directory, held with an
// advisory lock that the system lets go of when the process dies, so a crash never blocks the next
// start. The folder is the user's to fill with anything, so the lock is only ever a regular file:
// a symlink is never followed, a FIFO or a device never opened, and no more than a line is read.
// The file also says whether the holder's lock screen stands, for a copy started meanwhile.

#include <QString>

namespace quellor {

class SingleInstance {
public:
    enum class Result {
        Acquired,       // this process is the only instance and holds the lock
        OtherCopyRuns,  // a live copy of the program holds it
        LockUnavailable // the lock could not be taken for another reason; see why()
    };

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Holds the lock until destroyed when it answers Acquired; asked again then, answers Acquired.
    Result acquire();
    // Why the lock was unavailable, for the standard error stream.
    const QString& why() const { return m_why; }
    // After OtherCopyRuns: that copy's lock screen stood when it was asked.
    bool otherCopyLocked() const { return m_otherLocked; }
    // The holder tells a copy started later that its lock screen stands, or no longer does.
    void setLocked(bool locked);
    static QString defaultLockPath();

private:
    bool writeState(bool locked);

    QString m_path;
    QString m_why;
    int m_fd = -1; // open and locked while held
    bool m_otherLocked = false;
};

} // namespace quellor
