// SPDX-License-Identifier: MIT

#include "dbus_notifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace quellor {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kActionKey = QStringLiteral("quellor-action");

QDBusMessage call(const QString& method, const QVariantList& args) {
    QDBusMessage msg = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    msg.setArguments(args);
    return msg;
}

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection& bus) : m_bus(bus) {
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
}

DBusNotifications::~DBusNotifications() = default;

void DBusNotifications::show(const std::string& summary, const std::string& body,
                             const std::string& actionLabel, std::function<void()> onAction) {
    const quint64 generation = ++m_generation;
    m_onAction = std::move(onAction);
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2))); // critical: stays until acted on
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.quellor.Quellor"));
    const QDBusMessage msg = call(QStringLiteral("Notify"),
                                  {QStringLiteral("Quellor"), m_id, QStringLiteral("org.quellor.Quellor"),
                                   QString::fromStdString(summary), QString::fromStdString(body),
                                   QStringList{kActionKey, QString::fromStdString(actionLabel)}, hints, -1});
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(msg), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (reply.isError()) {
                    return; // no server: nothing shown
                }
                if (generation == m_generation) {
                    m_id = reply.value();
                } else if (reply.value() != m_id) {
                    // Withdrawn or replaced before the server answered.
                    m_bus.asyncCall(call(QStringLiteral("CloseNotification"), {reply.value()}));
                }
            });
}

void DBusNotifications::close() {
    ++m_generation;
    m_onAction = {};
    if (m_id != 0) {
        m_bus.asyncCall(call(QStringLiteral("CloseNotification"), {std::exchange(m_id, 0u)}));
    }
}

void DBusNotifications::onActionInvoked(uint id, const QString& key) {
    if (id == 0 || id != m_id || key != kActionKey || !m_onAction) {
        return;
    }
    // The handler may show or close again.
    const std::function<void()> action = m_onAction;
    action();
}

} // namespace quellor
