// SPDX-License-Identifier: MIT

#include "session_locker.h"

#include "logind_client.h"

#include <QDBusObjectPath>

#include <cstdio>

namespace quellor {

namespace {

// logind's name for the caller's own session.
constexpr char kOwnSession[] = "/org/freedesktop/login1/session/auto";

LogindClient::Done report(const char* failed, const char* done = nullptr) {
    return [failed, done](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage) {
            std::fprintf(stderr, "quellor: %s: %s\n", failed, qPrintable(reply.errorMessage()));
        } else if (done) {
            std::fprintf(stderr, "quellor: %s\n", done);
        }
    };
}

} // namespace

void SessionLocker::lock() {
    const auto done = report("logind did not lock the session", "logind was asked to lock the session");
    // By id where the session names itself; otherwise the caller's own session, which logind
    // finds from the caller.
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (!session.isEmpty()) {
        m_logind.callManager(QStringLiteral("LockSession"), {session}, done);
    } else {
        m_logind.call(QLatin1String(kOwnSession), QLatin1String(LogindClient::kSessionInterface),
                      QStringLiteral("Lock"), {}, done);
    }
}

void SessionLocker::markLocked(bool locked) {
    withSession([this, locked](const QString& path) {
        m_logind.call(path, QLatin1String(LogindClient::kSessionInterface), QStringLiteral("SetLockedHint"),
                      {locked}, report("logind did not take the session's locked mark"));
    });
}

void SessionLocker::withSession(std::function<void(const QString& path)> then) {
    if (!m_path.isEmpty()) {
        then(m_path);
        return;
    }
    m_waiting.push_back(std::move(then));
    if (m_waiting.size() > 1) {
        return; // the lookup is under way
    }
    const auto found = [this](const QString& path) {
        m_path = path;
        for (const auto& waiting : std::exchange(m_waiting, {})) {
            waiting(m_path);
        }
    };
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    if (id.isEmpty()) {
        found(QLatin1String(kOwnSession));
        return;
    }
    m_logind.callManager(QStringLiteral("GetSession"), {id}, [found](const QDBusMessage& reply) {
        const bool named = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
        const QString path =
            named ? reply.arguments().constFirst().value<QDBusObjectPath>().path() : QString();
        found(path.isEmpty() ? QLatin1String(kOwnSession) : path);
    });
}

} // namespace quellor
