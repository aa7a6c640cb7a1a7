#pragma once
// SPDX-License-Identifier: MIT
// Asynchronous calls to logind (and other D-Bus services) for the platform layer. Each call's
// reply, error or silence comes back later to a callback on the calling thread; nothing here
// ever waits for the bus, so a slow or silent service cannot freeze a window.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantList>

#include <functional>

namespace quellor {

class LogindClient : public QObject {
    Q_OBJECT
public:
    // Long enough for a loaded system, short enough that a user still connects the answer.
    static constexpr int kDefaultTimeoutMs = 5000;

    static constexpr char kService[] = "org.freedesktop.login1";
    static constexpr char kManagerPath[] = "/org/freedesktop/login1";
    static constexpr char kManagerInterface[] = "org.freedesktop.login1.Manager";
    static constexpr char kSessionInterface[] = "org.freedesktop.login1.Session";

    // The reply, or an error message (type ErrorMessage) for a refusal, a missing service or a
    // timeout ("org.freedesktop.DBus.Error.NoReply").
    using Done = std::function<void(const QDBusMessage& reply)>;

    explicit LogindClient(QObject* parent = nullptr, int timeoutMs = kDefaultTimeoutMs);

    // A method of logind's manager object on the system bus.
    void callManager(const QString& method, const QVariantList& args, Done done);
    // A method of any logind object, e.g. a session's.
    void call(const QString& path, const QString& interface, const QString& method, const QVariantList& args,
              Done done);
    // Any message on any bus, with this client's timeout; `done` runs only while the client lives.
    void send(QDBusConnection bus, const QDBusMessage& message, Done done);

    int timeoutMs() const { return m_timeoutMs; }

private:
    int m_timeoutMs;
};

} // namespace quellor
