#include "session_locker.h"

#include "logind_client.h"

#include <cstdio>

namespace quellor {

void lockOwnSession(LogindClient& logind) {
    const auto done = [](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage) {
            std::fprintf(stderr, "quellor: logind did not lock the session: %s\n",
                         qPrintable(reply.errorMessage()));
        } else {
            std::fprintf(stderr, "quellor: logind was asked to lock the session\n");
        }
    };
    // By id where the session names itself; otherwise the caller's own session, which logind
    // finds from the caller.
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (!session.isEmpty()) {
        logind.callManager(QStringLiteral("LockSession"), {session}, done);
    } else {
        logind.call(QStringLiteral("/org/freedesktop/login1/session/auto"),
                    QLatin1String(LogindClient::kSessionInterface), QStringLiteral("Lock"), {}, done);
    }
}

} // namespace quellor
