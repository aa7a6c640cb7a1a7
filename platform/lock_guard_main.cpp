// SPDX-License-Identifier: MIT
// quellor-guard: started by the program as its lock goes up, with its end of a socket as standard
// input (see guard_watch.h for what comes over it). When the program dies while locked (killed,
// crashed, its display connection cut), or stops beating for a few seconds (stopped, hung), the
// guard asks logind to lock the session, so the desktop's own locker takes over. A normal unlock
// ends it quietly.

#include "guard_watch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

using quellor::GuardWatch;

constexpr auto kService = "org.freedesktop.login1";
constexpr auto kManagerPath = "/org/freedesktop/login1";
constexpr auto kManager = "org.freedesktop.login1.Manager";
constexpr auto kSession = "org.freedesktop.login1.Session";
constexpr int kTimeoutMs = 5000;

QDBusMessage call(QDBusConnection& bus, const QString& path, const char* interface, const char* method,
                  const QVariantList& args = {}) {
    QDBusMessage msg = QDBusMessage::createMethodCall(QLatin1String(kService), path, QLatin1String(interface),
                                                      QLatin1String(method));
    msg.setArguments(args);
    return bus.call(msg, QDBus::Block, kTimeoutMs);
}

QString pathFrom(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().constFirst().value<QDBusObjectPath>().path();
}

// The session the program runs in: its id from the environment, else the one holding this process.
QString ownSession(QDBusConnection& bus) {
    const QString manager = QLatin1String(kManagerPath);
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    QString path;
    if (!id.isEmpty()) {
        path = pathFrom(call(bus, manager, kManager, "GetSession", {id}));
    }
    if (path.isEmpty()) {
        path = pathFrom(call(bus, manager, kManager, "GetSessionByPID", {static_cast<quint32>(::getpid())}));
    }
    // logind's name for the caller's own session.
    return path.isEmpty() ? QStringLiteral("/org/freedesktop/login1/session/auto") : path;
}

bool lockSession(QDBusConnection& bus, const QString& session) {
    if (!bus.isConnected()) {
        bus =
            QDBusConnection::connectToBus(QDBusConnection::SystemBus, QStringLiteral("quellor-guard-retry"));
    }
    const QDBusMessage reply = call(bus, session, kSession, "Lock");
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "quellor-guard: cannot lock the session: %s\n",
                     qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Reads the program's socket until the lock ends; the verdict that ended it.
GuardWatch::Verdict watch(QDBusConnection& bus, const QString& session) {
    GuardWatch watch(nowMs());
    for (;;) {
        pollfd in{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&in, 1, watch.waitMs(nowMs()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        GuardWatch::Verdict verdict = GuardWatch::Verdict::Ended;
        if (ready == 0) {
            verdict = watch.silent(nowMs());
        } else if (ready > 0) {
            char buffer[64];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            verdict = watch.heard({buffer, n > 0 ? static_cast<std::size_t>(n) : 0}, nowMs());
        }
        switch (verdict) {
        case GuardWatch::Verdict::Stalled:
            std::fprintf(stderr,
                         "quellor-guard: the program has not answered for %d s while locked; "
                         "locking the session\n",
                         quellor::guard_protocol::kSilenceMs / 1000);
            lockSession(bus, session);
            break;
        case GuardWatch::Verdict::Answering:
            std::fprintf(stderr, "quellor-guard: the program answers again\n");
            break;
        case GuardWatch::Verdict::Watching:
            break;
        case GuardWatch::Verdict::Unlocked:
        case GuardWatch::Verdict::Ended:
            return verdict;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // A terminal's Ctrl+C or hang-up is meant for the program, not for its guard.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);

    QDBusConnection bus = QDBusConnection::systemBus();
    const QString session = ownSession(bus);
    if (watch(bus, session) == GuardWatch::Verdict::Unlocked) {
        return 0;
    }
    std::fprintf(stderr, "quellor-guard: the program ended while locked; locking the session\n");
    return lockSession(bus, session) ? 0 : 1;
}
