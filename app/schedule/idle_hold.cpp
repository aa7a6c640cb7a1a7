// SPDX-License-Identifier: MIT

#include "idle_hold.h"

#include "idle_inhibitor.h"

#include <QStringList>

namespace quellor {

IdleHold::IdleHold(ScheduleModel& schedule, IdleInhibitor& inhibitor)
    : m_schedule(schedule), m_inhibitor(inhibitor) {
    connect(&m_schedule, &ScheduleModel::changed, this, &IdleHold::update);
    connect(&m_schedule, &ScheduleModel::actionDue, this, &IdleHold::update);
    connect(&m_schedule, &ScheduleModel::alarmDue, this, &IdleHold::update);
    update();
}

QString IdleHold::reason(const ScheduleModel& schedule) {
    const ArmedState s = schedule.state();
    QStringList parts;
    if (schedule.actionPending()) {
        parts << tr("定时关机 %1").arg(s.actionTime);
    }
    if (schedule.alarmPending()) {
        parts << tr("闹钟定时 %1").arg(s.alarmTime);
    }
    return parts.join(tr("，", "between the reasons"));
}

void IdleHold::update() {
    const QString why = reason(m_schedule);
    if (why == m_held) {
        return;
    }
    m_held = why;
    if (why.isEmpty()) {
        m_inhibitor.release();
    } else {
        m_inhibitor.hold(why.toStdString());
    }
}

} // namespace quellor
