#pragma once
// SPDX-License-Identifier: MIT
// Keeps the session from idling into sleep from the moment a power action or an alarm is armed
// until its time has run, naming what it waits for: "定时关机 23:30:00，闹钟定时 07:00:00".

#include "schedule_model.h"

#include <QObject>

namespace quellor {

class IdleInhibitor;

class IdleHold : public QObject {
    Q_OBJECT
public:
    IdleHold(ScheduleModel& schedule, IdleInhibitor& inhibitor);

    // What the hold names; empty when nothing is waited for.
    static QString reason(const ScheduleModel& schedule);

private:
    void update();

    ScheduleModel& m_schedule;
    IdleInhibitor& m_inhibitor;
    QString m_held;
};

} // namespace quellor
