#pragma once
// SPDX-License-Identifier: MIT
// A minute before a timed power action (at once when it is armed closer than that), a
// notification whose "取消关机" does what that button does.

#include "schedule_model.h"

#include <QObject>

namespace quellor {

class Notifications;

class PowerWarning : public QObject {
    Q_OBJECT
public:
    PowerWarning(ScheduleModel& schedule, Notifications& notifications);
    // A warning left on the desktop would speak for a program that no longer runs.
    ~PowerWarning() override;

    static constexpr qint64 kWarnAheadSeconds = 60;
    // "将在 60 秒后关机", with the action's verb and the seconds left.
    static QString warningText(TimerAction action, qint64 seconds);

private:
    void onChanged();
    void onTick();
    void withdraw();

    ScheduleModel& m_schedule;
    Notifications& m_notifications;
    ArmedState m_seen;     // the action and time the warning is about
    bool m_warned = false; // of the action's coming second
};

} // namespace quellor
