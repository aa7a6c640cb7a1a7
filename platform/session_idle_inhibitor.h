#pragma once
// SPDX-License-Identifier: MIT
// Holds the session awake through logind's "idle" inhibitor in block mode (a file descriptor
// held open), and through the desktop session manager's idle inhibitor where
// org.gnome.SessionManager answers. All calls are asynchronous; an answer that comes after
// release(), or after a newer hold, is given back at once. A hold under a new text keeps the old
// one until the new one is granted, so the session never slips out of it in between.

#include "idle_inhibitor.h"
#include "logind_client.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <optional>

namespace quellor {

class SessionIdleInhibitor : public QObject, public IdleInhibitor {
    Q_OBJECT
public:
    // The system bus is reached only when the first action is armed, not at start.
    explicit SessionIdleInhibitor(const QDBusConnection& sessionBus = QDBusConnection::sessionBus());
    ~SessionIdleInhibitor() override;

    void hold(const std::string& why) override;
    void release() override;

private:
    LogindClient m_calls{this};
    QDBusConnection m_session;
    bool m_held = false;
    std::string m_why;
    quint64 m_generation = 0;
    QDBusUnixFileDescriptor m_logindLock; // logind keeps the inhibitor while this stays open
    std::optional<uint> m_sessionCookie;
};

} // namespace quellor
