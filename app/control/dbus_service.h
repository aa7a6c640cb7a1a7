#pragma once
// SPDX-License-Identifier: MIT
// The program's face on the session bus, as org.quellor.Quellor1.xml describes it: its methods
// arm and cancel in the schedule, its properties tell what is armed and announce each change.
// The adaptor that carries the calls is generated from that description.

#include "schedule_model.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <optional>

namespace quellor {

class ControlService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(QString Action READ action)
    Q_PROPERTY(QString ActionTime READ actionTime)
    Q_PROPERTY(QString AlarmTime READ alarmTime)
public:
    static inline const QString kService = QStringLiteral("org.quellor.Quellor");
    static inline const QString kPath = QStringLiteral("/org/quellor/Quellor");
    static inline const QString kInterface = QStringLiteral("org.quellor.Quellor1");

    explicit ControlService(ScheduleModel& schedule);

    // False when there is no such bus or another program holds the name.
    bool publish(const QDBusConnection& bus);

    // Empty strings when nothing is armed.
    QString action() const;
    QString actionTime() const { return m_schedule.state().actionTime; }
    QString alarmTime() const { return m_schedule.state().alarmTime; }

    // The bus methods; a refusal goes back as InvalidArgs.
    void ScheduleAction(const QString& action, const QString& time);
    void CancelAction();
    void SetAlarm(const QString& time, const QString& music);
    void CancelAlarm();

    // What ScheduleAction and SetAlarm do: why they refused, empty when done.
    QString scheduleAction(const QString& action, const QString& time);
    QString setAlarm(const QString& time, const QString& music);

private:
    void refuseIf(const QString& error);
    void announce();

    ScheduleModel& m_schedule;
    ArmedState m_announced;
    std::optional<QDBusConnection> m_bus;
};

} // namespace quellor
