#pragma once
// SPDX-License-Identifier: MIT
// When the alarm rings while its window cannot be seen (parked above the screen's edge, hidden,
// under the lock screen), a desktop notification says so; its "关闭闹钟" stops the music as that
// button does. Withdrawn when the music is stopped.

#include "schedule_model.h"

#include <QObject>

#include <functional>

namespace quellor {

class Notifications;

class AlarmNotice : public QObject {
    Q_OBJECT
public:
    AlarmNotice(ScheduleModel& schedule, Notifications& notifications, std::function<bool()> windowInSight);
    ~AlarmNotice() override;

private:
    void onRinging();
    void withdraw();

    ScheduleModel& m_schedule;
    Notifications& m_notifications;
    std::function<bool()> m_windowInSight;
    bool m_shown = false;
};

} // namespace quellor
