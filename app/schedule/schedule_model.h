#pragma once
// SPDX-License-Identifier: MIT
// The schedule: the timed power action and its time of day, the alarm time and its music, the
// options choice kept in "Diri.dll", and the one check of the clock each second. The windows,
// the command line and the bus all arm and cancel through it and follow what it tells; it holds
// no widget.

#include "clock_walk.h"
#include "media_player.h"
#include "services.h"
#include "timer_action.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <optional>

namespace quellor {

// What will happen: a power action whose time the clock can show, and an alarm time. A time
// field holding anything else (a half-typed time, 25:61:99) arms nothing.
struct ArmedState {
    TimerAction action = TimerAction::None; // None: no power action runs
    QString actionTime;                     // "hh:mm:ss" unless action is None
    QString alarmTime;                      // "hh:mm:ss" or empty
    bool operator==(const ArmedState&) const = default;
};

class ScheduleModel : public QObject {
    Q_OBJECT
public:
    enum class Target { Action, Alarm };
    Q_ENUM(Target)

    explicit ScheduleModel(Services& services, QObject* parent = nullptr);
    const Services& services() const { return m_services; }

    // The times as their fields hold them: "hh:mm:ss", or what was left there half typed; empty
    // when not set.
    const QString& actionText() const { return m_actionText; }
    const QString& alarmText() const { return m_alarmText; }
    // The chosen power action: g_TimerAction, which only this model writes.
    TimerAction action() const;
    const QString& music() const { return m_music; }
    // Music was chosen after the alarm time was last set: the window's one choice is used up.
    bool musicChosenSinceArmed() const { return m_musicChosenSinceArmed; }
    bool ringing() const { return m_ringing; }
    ArmedState state() const;
    // Armed, and not yet run since it was armed.
    bool actionPending() const;
    bool alarmPending() const;
    // Seconds from the clock to the armed action's next second, 0 (this second) to 86399; nothing
    // when no action is armed or that second will not run it (it already ran that day).
    std::optional<qint64> secondsToAction() const;

    // From the main window: a time completed or left in its field, the cancel buttons, the
    // music chosen, the ringing alarm stopped.
    void enterActionTime(const QString& text);
    void enterAlarmTime(const QString& text);
    void cancelAction();
    void cancelAlarm();
    void chooseMusic(const QString& path);
    void stopAlarm();

    // The options dialog: the option to preselect, from "Diri.dll", and its OK.
    TimerAction storedChoice() const;
    void chooseAction(TimerAction action);

    // From a script: `time` is "HH:MM[:SS]" or "+MINUTES". Each answers why it refused, and then
    // has changed nothing; empty when done. `music` empty keeps the music already chosen.
    QString scheduleAction(TimerAction action, const QString& time);
    QString setAlarm(const QString& time, const QString& music);

    // One look at the clock: runs what came due since the last one; the second to show.
    QDateTime tick();
    // The clock's face edited by hand: what equals it runs at once.
    void checkShown(const QString& clockText);

    // Why `path` cannot be played as alarm music; empty when it can. It must be absolute: the
    // program's working directory is not the caller's.
    static QString musicProblem(const QString& path);

Q_SIGNALS:
    void armed(quellor::ScheduleModel::Target target);
    void cancelled(quellor::ScheduleModel::Target target);
    // Anything of the state above changed.
    void changed();
    // The power action's second came and the system was asked for it.
    void actionDue(quellor::TimerAction action);
    // The alarm's second came and its music started.
    void alarmDue();
    void alarmStopped();
    // Each new look at the clock, after what came due ran.
    void ticked();

private:
    QString settingsPath() const;
    void storeChoice(TimerAction action);
    void setActionText(const QString& text);
    void setAlarmText(const QString& text, const std::optional<QString>& music);
    void ring();
    void runAction();
    void check(const Passage& passage);

    Services& m_services;
    ClockWalk m_walk;
    MediaPlayer m_player; // the alarm music, "Player1": does not start on open
    QString m_actionText;
    QString m_alarmText;
    QString m_music;
    bool m_musicChosenSinceArmed = false;
    bool m_ringing = false;
    // The local day each last ran, so a clock set back or a repeated hour never runs it twice.
    QDate m_actionRanOn;
    QDate m_alarmRangOn;
};

} // namespace quellor
