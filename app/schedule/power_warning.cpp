// SPDX-License-Identifier: MIT

#include "power_warning.h"

#include "notifications.h"
#include "power_warnings.h"

namespace quellor {

PowerWarning::PowerWarning(ScheduleModel& schedule, Notifications& notifications)
    : m_schedule(schedule), m_notifications(notifications) {
    connect(&m_schedule, &ScheduleModel::changed, this, &PowerWarning::onChanged);
    connect(&m_schedule, &ScheduleModel::ticked, this, &PowerWarning::onTick);
    // Withdrawn once it ran: the same time comes again tomorrow, and is warned of again.
    connect(&m_schedule, &ScheduleModel::actionDue, this, &PowerWarning::withdraw);
    onChanged();
}

PowerWarning::~PowerWarning() {
    withdraw();
}

QString PowerWarning::warningText(TimerAction action, qint64 seconds) {
    const std::optional<PowerAction> power = powerActionFor(action);
    return tr("将在 %n 秒后%1", nullptr, int(seconds)).arg(power ? PowerWarnings::verb(*power) : QString());
}

void PowerWarning::withdraw() {
    if (m_warned) {
        m_notifications.close();
        m_warned = false;
    }
}

void PowerWarning::onChanged() {
    ArmedState now = m_schedule.state();
    now.alarmTime.clear(); // the alarm is none of its business
    if (now == m_seen) {
        return;
    }
    m_seen = now;
    withdraw();
    onTick();
}

void PowerWarning::onTick() {
    const std::optional<qint64> left = m_schedule.secondsToAction();
    const bool coming = left && *left >= 1 && *left <= kWarnAheadSeconds;
    if (m_warned && !coming && (!left || *left > 0)) {
        withdraw(); // the clock jumped past it, or the machine slept through it
    }
    if (m_warned || !coming) {
        return;
    }
    m_warned = true;
    m_notifications.show(warningText(m_seen.action, *left).toStdString(), m_seen.actionTime.toStdString(),
                         tr("取消关机").toStdString(), [this] { m_schedule.cancelAction(); });
}

} // namespace quellor
