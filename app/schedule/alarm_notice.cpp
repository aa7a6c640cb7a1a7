// SPDX-License-Identifier: MIT

#include "alarm_notice.h"

#include "notifications.h"

namespace quellor {

AlarmNotice::AlarmNotice(ScheduleModel& schedule, Notifications& notifications,
                         std::function<bool()> windowInSight)
    : m_schedule(schedule), m_notifications(notifications), m_windowInSight(std::move(windowInSight)) {
    connect(&m_schedule, &ScheduleModel::alarmDue, this, &AlarmNotice::onRinging);
    connect(&m_schedule, &ScheduleModel::alarmStopped, this, &AlarmNotice::withdraw);
}

AlarmNotice::~AlarmNotice() {
    withdraw();
}

void AlarmNotice::onRinging() {
    if (m_windowInSight()) {
        return;
    }
    m_shown = true;
    m_notifications.show(tr("闹钟正在响").toStdString(), m_schedule.alarmText().toStdString(),
                         tr("关闭闹钟").toStdString(), [this] { m_schedule.stopAlarm(); });
}

void AlarmNotice::withdraw() {
    if (m_shown) {
        m_shown = false;
        m_notifications.close();
    }
}

} // namespace quellor
