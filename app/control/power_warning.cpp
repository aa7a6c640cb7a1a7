#include "power_warning.h"

#include "idle_inhibitor.h"
#include "notifications.h"

namespace quellor {

namespace {

QString verb(TimerAction action) {
    switch (action) {
    case TimerAction::ShutDown:
        return QStringLiteral("关机");
    case TimerAction::Restart:
        return QStringLiteral("重新启动");
    case TimerAction::LogOff:
    case TimerAction::Wait: // a log-off too
    case TimerAction::None:
        break;
    }
    return QStringLiteral("注销");
}

} // namespace

PowerWarning::PowerWarning(ScheduleControl& control, Notifications& notifications, IdleInhibitor& inhibitor)
    : m_control(control), m_notifications(notifications), m_inhibitor(inhibitor) {
    connect(&m_control, &ScheduleControl::stateChanged, this, &PowerWarning::onStateChanged);
    connect(&m_control, &ScheduleControl::ticked, this, &PowerWarning::onTick);
    connect(&m_control, &ScheduleControl::actionRan, this, &PowerWarning::onActionRan);
    onStateChanged();
}

PowerWarning::~PowerWarning() {
    if (m_warned) {
        m_notifications.close();
    }
}

QString PowerWarning::warningText(TimerAction action, qint64 seconds) {
    return QStringLiteral("将在 %1 秒后%2").arg(seconds).arg(verb(action));
}

void PowerWarning::onStateChanged() {
    if (m_warned) {
        m_notifications.close();
        m_warned = false;
    }
    const ArmedState& s = m_control.state();
    if (s.action == TimerAction::None) {
        m_inhibitor.release();
        return;
    }
    m_inhibitor.hold(QStringLiteral("定时关机 %1").arg(s.actionTime).toStdString());
    onTick();
}

void PowerWarning::onTick() {
    const std::optional<qint64> left = m_control.secondsToAction();
    if (m_warned || !left || *left < 1 || *left > kWarnAheadSeconds) {
        return;
    }
    m_warned = true;
    const ArmedState& s = m_control.state();
    m_notifications.show(warningText(s.action, *left).toStdString(), s.actionTime.toStdString(),
                         QStringLiteral("取消关机").toStdString(), [this] { m_control.cancelAction(); });
}

void PowerWarning::onActionRan() {
    if (m_warned) {
        m_notifications.close();
        m_warned = false; // the same time comes again tomorrow
    }
    // Held again only when armed anew.
    m_inhibitor.release();
}

} // namespace quellor
