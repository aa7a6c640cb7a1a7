#include "dbus_service.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace quellor {

ControlService::ControlService(ScheduleControl& control) : m_control(control) {
    connect(&m_control, &ScheduleControl::stateChanged, this, &ControlService::announce);
}

bool ControlService::publish(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return false;
    }
    m_bus = bus;
    if (!m_bus->registerObject(kPath, this,
                               QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)) {
        return false;
    }
    return m_bus->registerService(kService);
}

QString ControlService::action() const {
    return actionName(m_control.state().action);
}

void ControlService::refuseIf(const QString& error) {
    if (!error.isEmpty() && calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, error);
    }
}

void ControlService::ScheduleAction(const QString& action, const QString& time) {
    const std::optional<TimerAction> named = actionNamed(action);
    if (!named) {
        refuseIf(QStringLiteral("unknown action \"%1\": shutdown, restart or logoff").arg(action));
        return;
    }
    refuseIf(m_control.scheduleAction(*named, time));
}

void ControlService::CancelAction() {
    m_control.cancelAction();
}

void ControlService::SetAlarm(const QString& time, const QString& music) {
    refuseIf(m_control.setAlarm(time, music));
}

void ControlService::CancelAlarm() {
    m_control.cancelAlarm();
}

void ControlService::announce(const ArmedState& now, const ArmedState& before) {
    if (!m_bus) {
        return;
    }
    QVariantMap changed;
    if (now.action != before.action) {
        changed.insert(QStringLiteral("Action"), actionName(now.action));
    }
    if (now.actionTime != before.actionTime) {
        changed.insert(QStringLiteral("ActionTime"), now.actionTime);
    }
    if (now.alarmTime != before.alarmTime) {
        changed.insert(QStringLiteral("AlarmTime"), now.alarmTime);
    }
    QDBusMessage signal = QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    m_bus->send(signal);
}

} // namespace quellor
