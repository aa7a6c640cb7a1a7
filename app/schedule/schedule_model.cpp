// SPDX-License-Identifier: MIT

#include "schedule_model.h"

#include "globals.h"
#include "settings_file.h"
#include "time_text.h"

#include <QDir>
#include <QFileInfo>

namespace quellor {

namespace {
constexpr qint64 kDay = 24 * 60 * 60;
} // namespace

ScheduleModel::ScheduleModel(Services& services, QObject* parent)
    : QObject(parent), m_services(services), m_walk(services.clock),
      m_player(services.sound, QStringLiteral("Player1"), false, this) {}

TimerAction ScheduleModel::action() const {
    return g_TimerAction;
}

ArmedState ScheduleModel::state() const {
    ArmedState s;
    if (isClockTime(m_actionText) && powerActionFor(action())) {
        s.action = action();
        s.actionTime = m_actionText;
    }
    if (isClockTime(m_alarmText)) {
        s.alarmTime = m_alarmText;
    }
    return s;
}

bool ScheduleModel::actionPending() const {
    return state().action != TimerAction::None && !m_actionRanOn.isValid();
}

bool ScheduleModel::alarmPending() const {
    return !state().alarmTime.isEmpty() && !m_alarmRangOn.isValid();
}

std::optional<qint64> ScheduleModel::secondsToAction() const {
    const ArmedState s = state();
    if (s.action == TimerAction::None) {
        return std::nullopt;
    }
    const QDateTime now = m_services.clock.now();
    qint64 left = *secondOfDay(s.actionTime) - now.time().msecsSinceStartOfDay() / 1000;
    const QDate day = left < 0 ? now.date().addDays(1) : now.date();
    // Already run on that day (the clock was set back, or the hour comes round twice).
    if (day == m_actionRanOn) {
        return std::nullopt;
    }
    return left < 0 ? left + kDay : left;
}

QString ScheduleModel::settingsPath() const {
    return m_services.statePath(QStringLiteral("Diri.dll"));
}

TimerAction ScheduleModel::storedChoice() const {
    return SettingsFile(settingsPath()).readChoice();
}

void ScheduleModel::storeChoice(TimerAction action) {
    g_TimerAction = action;
    // The file only preselects the next opening: when it cannot be written (a read-only program
    // directory, a full disk) the choice still holds for this run and the old file stays whole.
    SettingsFile(settingsPath()).write(action);
    // A system that will refuse is better known now than at the time, when nobody may be there.
    if (const auto power = powerActionFor(action)) {
        m_services.platform.checkPower(*power);
    }
}

void ScheduleModel::chooseAction(TimerAction action) {
    storeChoice(action);
    Q_EMIT changed();
}

void ScheduleModel::setActionText(const QString& text) {
    m_actionText = text;
    m_actionRanOn = {};
    Q_EMIT(text.isEmpty() ? cancelled(Target::Action) : armed(Target::Action));
}

void ScheduleModel::enterActionTime(const QString& text) {
    if (text == m_actionText) {
        return;
    }
    setActionText(text);
    Q_EMIT changed();
}

void ScheduleModel::cancelAction() {
    const bool wasSet = !m_actionText.isEmpty();
    setActionText({});
    if (wasSet) {
        Q_EMIT changed();
    }
}

QString ScheduleModel::scheduleAction(TimerAction action, const QString& time) {
    const std::optional<QString> at = requestedTime(time, m_services.clock.now());
    if (!at) {
        return notATime(time);
    }
    if (!powerActionFor(action)) {
        return QStringLiteral("no power action given");
    }
    storeChoice(action);
    setActionText(*at);
    Q_EMIT changed();
    return {};
}

void ScheduleModel::setAlarmText(const QString& text, const std::optional<QString>& music) {
    m_alarmText = text;
    m_alarmRangOn = {};
    m_musicChosenSinceArmed = music.has_value();
    if (music) {
        m_music = *music;
        m_player.open(*music);
    }
    Q_EMIT(text.isEmpty() ? cancelled(Target::Alarm) : armed(Target::Alarm));
}

void ScheduleModel::enterAlarmTime(const QString& text) {
    if (text == m_alarmText) {
        return;
    }
    setAlarmText(text, std::nullopt);
    Q_EMIT changed();
}

void ScheduleModel::cancelAlarm() {
    const bool wasSet = !m_alarmText.isEmpty();
    setAlarmText({}, std::nullopt);
    if (wasSet) {
        Q_EMIT changed();
    }
}

QString ScheduleModel::setAlarm(const QString& time, const QString& music) {
    const std::optional<QString> at = requestedTime(time, m_services.clock.now());
    if (!at) {
        return notATime(time);
    }
    if (!music.isEmpty()) {
        if (QString problem = musicProblem(music); !problem.isEmpty()) {
            return problem;
        }
    }
    setAlarmText(*at, music.isEmpty() ? std::nullopt : std::optional<QString>(music));
    Q_EMIT changed();
    return {};
}

void ScheduleModel::chooseMusic(const QString& path) {
    m_music = path;
    m_musicChosenSinceArmed = true;
    m_player.open(path);
    Q_EMIT changed();
}

void ScheduleModel::ring() {
    m_player.play();
    m_ringing = true;
    Q_EMIT alarmDue();
}

void ScheduleModel::stopAlarm() {
    m_player.halt();
    m_ringing = false;
    Q_EMIT alarmStopped();
}

void ScheduleModel::runAction() {
    const TimerAction chosen = action();
    if (const auto power = powerActionFor(chosen)) {
        m_services.platform.requestPower(*power);
        Q_EMIT actionDue(chosen);
    }
}

void ScheduleModel::check(const Passage& passage) {
    // The alarm first: when both fall in one second, the music starts before the power action.
    if (const std::optional<int> at = secondOfDay(m_alarmText)) {
        if (const std::optional<QDate> day = passage.dayOf(*at); day && *day != m_alarmRangOn) {
            m_alarmRangOn = *day;
            ring();
        }
    }
    if (const std::optional<int> at = secondOfDay(m_actionText); at && powerActionFor(action())) {
        if (const std::optional<QDate> day = passage.dayOf(*at); day && *day != m_actionRanOn) {
            m_actionRanOn = *day;
            runAction();
        }
    }
}

QDateTime ScheduleModel::tick() {
    const ClockWalk::Step step = m_walk.step();
    for (const Passage& p : step.passages) {
        check(p);
    }
    Q_EMIT ticked();
    return step.second;
}

void ScheduleModel::checkShown(const QString& clockText) {
    if (clockText.isEmpty()) {
        return;
    }
    if (clockText == m_alarmText) {
        ring();
    }
    if (clockText == m_actionText) {
        runAction();
    }
}

QString ScheduleModel::musicProblem(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        return QStringLiteral("%1 is not an absolute path").arg(quoted(path));
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("no file %1").arg(quoted(path));
    }
    if (!info.isFile()) {
        return QStringLiteral("%1 is not a regular file").arg(quoted(path));
    }
    if (!info.isReadable()) {
        return QStringLiteral("%1 cannot be read").arg(quoted(path));
    }
    return {};
}

} // namespace quellor
