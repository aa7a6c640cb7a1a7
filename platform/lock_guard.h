#pragma once
// SPDX-License-Identifier: MIT
// The lock's guard: a small process of ours, started as the lock goes up, that has logind lock the
// session if this program dies or stalls while locked. It holds one end of a socket pair whose
// other end only this process has; the GUI thread beats over it every second, a normal unlock says
// so before closing it, any other end of this process closes it unannounced (see guard_watch.h).

#include "guard_watch.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <sys/types.h>

class QSocketNotifier;

namespace quellor {

class LockGuard : public QObject {
    Q_OBJECT
public:
    // Starts the guard; one that cannot start is reported on stderr, and started() is false.
    explicit LockGuard(const QString& executable, int beatMs = guard_protocol::kBeatMs);
    // Without finish() first, the guard takes this for the program's death and locks the session.
    ~LockGuard() override;

    bool started() const { return m_pid > 0; }
    // A normal unlock: the guard clears the session's locked mark and ends. This object then deletes
    // itself once the guard has been reaped.
    void finish();

    static QString executableBeside(const QString& programDir);

Q_SIGNALS:
    // The guard ended before finish(): the lock stands unguarded until another one starts.
    void died();

private:
    void reap();
    void beat();

    pid_t m_pid = -1;
    int m_channel = -1;
    int m_pidfd = -1;
    bool m_finished = false;
    QSocketNotifier* m_exited = nullptr;
    QTimer m_beat;
};

} // namespace quellor
