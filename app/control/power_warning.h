#pragma once
// Before a timed power action runs: a notification a minute ahead (at once when it is armed
// closer than that) whose "取消关机" does what that button does, and the session held awake
// for as long as the action is armed, so the machine does not idle into sleep before its time.

#include "schedule_control.h"

#include <QObject>

namespace quellor {

class IdleInhibitor;
class Notifications;

class PowerWarning : public QObject {
    Q_OBJECT
public:
    PowerWarning(ScheduleControl& control, Notifications& notifications, IdleInhibitor& inhibitor);
    // A warning left on the desktop would speak for a program that no longer runs.
    ~PowerWarning() override;

    static constexpr qint64 kWarnAheadSeconds = 60;
    // "将在 60 秒后关机", with the action's verb and the seconds left.
    static QString warningText(TimerAction action, qint64 seconds);

private:
    void onStateChanged();
    void onTick();
    void onActionRan();

    ScheduleControl& m_control;
    Notifications& m_notifications;
    IdleInhibitor& m_inhibitor;
    bool m_warned = false; // of the action's coming second
};

} // namespace quellor
