#pragma once
// SPDX-License-Identifier: MIT
// Notifications through the desktop's notification server (org.freedesktop.Notifications on
// the session bus). Every call is asynchronous: a slow or missing server never holds up the
// windows, and a missing one just means nothing is shown.

#include "notifications.h"

#include <QDBusConnection>
#include <QObject>

namespace quellor {

class DBusNotifications : public QObject, public Notifications {
    Q_OBJECT
public:
    explicit DBusNotifications(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~DBusNotifications() override;

    void show(const std::string& summary, const std::string& body, const std::string& actionLabel,
              std::function<void()> onAction) override;
    void close() override;

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& key);

private:
    QDBusConnection m_bus;
    uint m_id = 0;            // the server's id of what is shown; 0 before its answer
    quint64 m_generation = 0; // answers to an earlier show() or one closed since are stale
    std::function<void()> m_onAction;
};

} // namespace quellor
