// SPDX-License-Identifier: MIT

#include "logind_client.h"

#include <QDBusPendingCallWatcher>

namespace quellor {

LogindClient::LogindClient(QObject* parent, int timeoutMs) : QObject(parent), m_timeoutMs(timeoutMs) {}

void LogindClient::callManager(const QString& method, const QVariantList& args, Done done) {
    call(QLatin1String(kManagerPath), QLatin1String(kManagerInterface), method, args, std::move(done));
}

void LogindClient::call(const QString& path, const QString& interface, const QString& method,
                        const QVariantList& args, Done done) {
    QDBusMessage message = QDBusMessage::createMethodCall(QLatin1String(kService), path, interface, method);
    message.setArguments(args);
    send(QDBusConnection::systemBus(), message, std::move(done));
}

void LogindClient::send(QDBusConnection bus, const QDBusMessage& message, Done done) {
    // A bus that is not there answers at once with an error, through the same path.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, m_timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        if (done) {
            done(watcher->reply());
        }
    });
}

} // namespace quellor
