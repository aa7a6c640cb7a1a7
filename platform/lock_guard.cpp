// SPDX-License-Identifier: MIT

#include "lock_guard.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quellor {

namespace {

void warn(const char* what, const QString& detail) {
    std::fprintf(stderr, "quellor: lock guard: %s: %s\n", what, qPrintable(detail));
}

} // namespace

QString LockGuard::executableBeside(const QString& programDir) {
    return programDir + QStringLiteral("/quellor-guard");
}

LockGuard::LockGuard(const QString& executable, int beatMs) {
    int ends[2];
    // Close-on-exec, so no other child of ours inherits the program's end and keeps it open.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        warn("no socket pair", QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ends[1], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own session: a signal to the program's process group (Ctrl+C in a terminal) spares it.
    sigset_t none;
    sigset_t reset;
    sigemptyset(&none);
    sigemptyset(&reset);
    for (int s : {SIGPIPE, SIGINT, SIGHUP, SIGTERM}) {
        sigaddset(&reset, s);
    }
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &reset);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    const QByteArray path = QFile::encodeName(executable);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    const int failed = ::posix_spawn(&m_pid, path.constData(), &files, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[1]);
    if (failed) {
        m_pid = -1;
        ::close(ends[0]);
        warn("not started",
             executable + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(failed)));
        return;
    }
    m_channel = ends[0];
    // From the GUI thread's own event loop: a hung or stopped program falls silent.
    connect(&m_beat, &QTimer::timeout, this, &LockGuard::beat);
    m_beat.start(beatMs);
    m_pidfd = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
    if (m_pidfd >= 0) {
        m_exited = new QSocketNotifier(m_pidfd, QSocketNotifier::Read, this);
        connect(m_exited, &QSocketNotifier::activated, this, &LockGuard::reap);
    }
}

LockGuard::~LockGuard() {
    if (m_channel >= 0) {
        ::close(m_channel);
    }
    if (m_pidfd >= 0) {
        ::close(m_pidfd);
    }
}

void LockGuard::beat() {
    // Never blocks and never raises SIGPIPE, whatever became of the guard.
    ::send(m_channel, &guard_protocol::kBeat, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
}

void LockGuard::finish() {
    m_finished = true;
    m_beat.stop();
    if (m_channel >= 0) {
        ::send(m_channel, guard_protocol::kUnlock, sizeof guard_protocol::kUnlock - 1,
               MSG_NOSIGNAL | MSG_DONTWAIT);
        ::close(m_channel);
        m_channel = -1;
    }
    if (!m_exited || m_pid < 0) {
        deleteLater(); // nothing left to wait for, or no way to know when it ends
    }
}

void LockGuard::reap() {
    m_exited->setEnabled(false);
    int status = 0;
    const bool reaped = ::waitpid(m_pid, &status, WNOHANG) == m_pid;
    m_pid = -1;
    if (m_finished) {
        deleteLater();
        return;
    }
    if (reaped) {
        warn("ended while locked", QStringLiteral("status %1").arg(status));
    }
    m_beat.stop();
    Q_EMIT died();
}

} // namespace quellor
