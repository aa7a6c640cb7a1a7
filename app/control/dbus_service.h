#pragma once
// The program's face on the session bus: org.quellor.Quellor at /org/quellor/Quellor,
// interface org.quellor.Quellor1. Its methods arm and cancel through the windows' own handlers;
// its read-only properties tell what is armed and announce each change.

#include "schedule_control.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

namespace quellor {

class ControlService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quellor.Quellor1")
    Q_PROPERTY(QString Action READ action)
    Q_PROPERTY(QString ActionTime READ actionTime)
    Q_PROPERTY(QString AlarmTime READ alarmTime)
public:
    static inline const QString kService = QStringLiteral("org.quellor.Quellor");
    static inline const QString kPath = QStringLiteral("/org/quellor/Quellor");
    static inline const QString kInterface = QStringLiteral("org.quellor.Quellor1");

    explicit ControlService(ScheduleControl& control);

    // False when there is no such bus or another program holds the name.
    bool publish(const QDBusConnection& bus);

    // Empty strings when nothing is armed.
    QString action() const;
    QString actionTime() const { return m_control.state().actionTime; }
    QString alarmTime() const { return m_control.state().alarmTime; }

public Q_SLOTS:
    void ScheduleAction(const QString& action, const QString& time);
    void CancelAction();
    void SetAlarm(const QString& time, const QString& music);
    void CancelAlarm();

private:
    void refuseIf(const QString& error);
    void announce(const ArmedState& now, const ArmedState& before);

    ScheduleControl& m_control;
    std::optional<QDBusConnection> m_bus;
};

} // namespace quellor
