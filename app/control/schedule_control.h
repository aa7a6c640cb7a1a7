#pragma once
// Arms and cancels the timed power action and the alarm for a script by running the main
// window's and the options dialog's own handlers in the order a user's clicks run them, and
// tells what is armed.

#include "command_line.h"
#include "timer_action.h"

#include <QObject>
#include <QString>

#include <optional>

namespace quellor {

class AnsweringChooser;
class Form1;
class Forms;

// What will happen, as far as the windows say: a power action whose time the clock can show,
// and an alarm time. A time field holding anything else (a half-typed time, 25:61:99) arms nothing.
struct ArmedState {
    TimerAction action = TimerAction::None; // None: no power action runs
    QString actionTime;                     // "hh:mm:ss" unless action is None
    QString alarmTime;                      // "hh:mm:ss" or empty
    bool operator==(const ArmedState&) const = default;
};

class ScheduleControl : public QObject {
    Q_OBJECT
public:
    // `chooser` is the one the main window asks for its alarm music.
    ScheduleControl(Forms& forms, AnsweringChooser& chooser);
    ~ScheduleControl() override;

    const ArmedState& state() const { return m_state; }
    // Seconds from the clock to the armed action's next second, 0 (this second) to 86399.
    std::optional<qint64> secondsToAction() const;

    // Each answers why it refused, and then has changed nothing; empty when done.
    QString scheduleAction(TimerAction action, const QString& time);
    void cancelAction(); // as "取消关机"
    // `music` empty keeps the music already chosen.
    QString setAlarm(const QString& time, const QString& music);
    void cancelAlarm(); // as "取消闹钟"
    QString apply(const ControlRequest& request);

Q_SIGNALS:
    void stateChanged(const quellor::ArmedState& now, const quellor::ArmedState& before);
    // Each new second on the clock, after the window's schedule check.
    void ticked();
    // The armed action's second has come and the window asked for the power action.
    void actionRan();

private:
    void attach(Form1& window);
    void refresh();
    void onTick();
    Form1* window() const;

    Forms& m_forms;
    AnsweringChooser& m_chooser;
    ArmedState m_state;
    std::optional<qint64> m_lastLeft;
    bool m_driving = false; // the windows pass through half-done states while a request runs
};

} // namespace quellor
