#include "power_warning.h"

#include "idle_inhibitor.h"
#include "notifications.h"
#include "power_warnings.h"

namespace quellor {

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
    // Without an action armed, as for a log-off.
    const PowerAction power = powerActionFor(action).value_or(PowerAction::EndSession);
    return tr("将在 %n 秒后%1", nullptr, int(seconds)).arg(powerActionName(power));
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
    m_inhibitor.hold(tr("定时关机 %1").arg(s.actionTime).toStdString());
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
                         tr("取消关机").toStdString(), [this] { m_control.cancelAction(); });
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
