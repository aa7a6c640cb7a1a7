#pragma once
// The lock's guard: a small process of ours, started as the lock goes up, that has logind lock the
// session if this program dies while locked. It holds one end of a socket pair whose other end only
// this process has; a normal unlock says so before closing it, any other end of this process closes
// it unannounced. The guard also marks the session locked for as long as it watches.

#include <QObject>
#include <QString>

#include <sys/types.h>

class QSocketNotifier;

namespace quellor {

class LockGuard : public QObject {
    Q_OBJECT
public:
    // Starts the guard; a guard that cannot start is reported on stderr and the lock goes on without.
    explicit LockGuard(const QString& executable);
    // Without finish() first, the guard takes this for the program's death and locks the session.
    ~LockGuard() override;

    bool started() const { return m_pid > 0; }
    // A normal unlock: the guard clears the session's locked mark and ends. This object then deletes
    // itself once the guard has been reaped.
    void finish();

    static QString executableBeside(const QString& programDir);

private:
    void reap();

    pid_t m_pid = -1;
    int m_channel = -1;
    int m_pidfd = -1;
    bool m_finished = false;
    QSocketNotifier* m_exited = nullptr;
};

} // namespace quellor
