// quellor-guard: started by the program as its lock goes up, with the read end of a pipe as its
// standard input. It marks the session locked for logind and waits. "unlock" followed by the end of
// the pipe is a normal unlock: it clears the mark and ends quietly. The end of the pipe without it
// means the program died while locked (killed, crashed, its display connection cut): the guard
// then asks logind to lock the session, so the desktop's own locker takes over.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string_view>
#include <unistd.h>

namespace {

constexpr auto kService = "org.freedesktop.login1";
constexpr auto kManagerPath = "/org/freedesktop/login1";
constexpr auto kManager = "org.freedesktop.login1.Manager";
constexpr auto kSession = "org.freedesktop.login1.Session";
constexpr int kTimeoutMs = 5000;
constexpr char kUnlock[] = "unlock";

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

bool report(const QDBusMessage& reply, const char* what) {
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "quellor-guard: %s: %s\n", what, qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}

// Blocks until the program's end of the pipe closes; true when it said "unlock" first.
bool waitForUnlock() {
    char said[sizeof kUnlock] = {};
    std::size_t got = 0;
    char buffer[64];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        for (ssize_t i = 0; i < n && got < sizeof said - 1; ++i) {
            said[got++] = buffer[i];
        }
    }
    return got == sizeof kUnlock - 1 && std::string_view(said, got) == kUnlock;
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
    report(call(bus, session, kSession, "SetLockedHint", {true}), "cannot mark the session locked");

    if (waitForUnlock()) {
        report(call(bus, session, kSession, "SetLockedHint", {false}), "cannot mark the session unlocked");
        return 0;
    }
    // The hint stays set: the session's own locker owns it from here.
    if (!bus.isConnected()) {
        bus =
            QDBusConnection::connectToBus(QDBusConnection::SystemBus, QStringLiteral("quellor-guard-retry"));
    }
    std::fprintf(stderr, "quellor-guard: the program ended while locked; locking the session\n");
    return report(call(bus, session, kSession, "Lock"), "cannot lock the session") ? 0 : 1;
}
