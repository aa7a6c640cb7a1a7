// SPDX-License-Identifier: MIT

#include "dbus_service.h"

#include "command_line.h"
#include "quellor_adaptor.h"
#include "time_text.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace quellor {

ControlService::ControlService(ScheduleModel& schedule)
    : m_schedule(schedule), m_announced(schedule.state()) {
    new QuellorAdaptor(this);
    connect(&m_schedule, &ScheduleModel::changed, this, &ControlService::announce);
}

bool ControlService::publish(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return false;
    }
    m_bus = bus;
    if (!m_bus->registerObject(kPath, this, QDBusConnection::ExportAdaptors)) {
        return false;
    }
    return m_bus->registerService(kService);
}

QString ControlService::action() const {
    return actionName(m_schedule.state().action);
}

void ControlService::refuseIf(const QString& error) {
    if (!error.isEmpty() && calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, error);
    }
}

QString ControlService::scheduleAction(const QString& action, const QString& time) {
    const std::optional<TimerAction> named = actionNamed(action);
    if (!named) {
        return QStringLiteral("unknown action %1: shutdown, restart or logoff").arg(quoted(action));
    }
    return m_schedule.scheduleAction(*named, time);
}

QString ControlService::setAlarm(const QString& time, const QString& music) {
    return m_schedule.setAlarm(time, music);
}

void ControlService::ScheduleAction(const QString& action, const QString& time) {
    refuseIf(scheduleAction(action, time));
}

void ControlService::CancelAction() {
    m_schedule.cancelAction();
}

void ControlService::SetAlarm(const QString& time, const QString& music) {
    refuseIf(setAlarm(time, music));
}

void ControlService::CancelAlarm() {
    m_schedule.cancelAlarm();
}

void ControlService::announce() {
    const ArmedState now = m_schedule.state();
    const ArmedState before = std::exchange(m_announced, now);
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
    if (!m_bus || changed.isEmpty()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    m_bus->send(signal);
}

} // namespace quellor
