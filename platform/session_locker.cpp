#include "session_locker.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>

#include <cstdio>

namespace quellor {

void lockOwnSession() {
    const QString service = QStringLiteral("org.freedesktop.login1");
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    // By id where the session names itself; otherwise the caller's own session, which logind
    // finds from the caller.
    QDBusMessage msg =
        session.isEmpty()
            ? QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/login1/session/auto"),
                                             QStringLiteral("org.freedesktop.login1.Session"),
                                             QStringLiteral("Lock"))
            : QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.login1.Manager"),
                                             QStringLiteral("LockSession"));
    if (!session.isEmpty()) {
        msg.setArguments({session});
    }
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(msg));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<> reply = *w;
        if (reply.isError()) {
            std::fprintf(stderr, "quellor: logind did not lock the session: %s\n",
                         qPrintable(reply.error().message()));
        } else {
            std::fprintf(stderr, "quellor: logind was asked to lock the session\n");
        }
        w->deleteLater();
    });
}

} // namespace quellor
