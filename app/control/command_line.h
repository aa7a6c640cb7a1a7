#pragma once
// What the command line asks for. It is read before any window system is touched, so help,
// version and status answer in a terminal without a display.

#include "timer_action.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quellor {

// A time of day as the time fields hold it, "hh:mm:ss", from H:MM, HH:MM or HH:MM:SS; nothing
// for any other form or a value out of range (such a time would never fire).
std::optional<QString> timeOfDay(const QString& text);

// Why `path` cannot be played as alarm music; empty when it can. The path must be absolute:
// the running program's working directory is not the caller's.
QString musicProblem(const QString& path);

// The timed power actions by the names the command line and the bus use. Only the three that
// can be asked for are named here; the options dialog's "wait" is reported, not requested.
std::optional<TimerAction> actionNamed(const QString& name);
// "shutdown", "restart", "logoff" or "wait"; empty for None.
QString actionName(TimerAction action);

// Arming and cancelling, applied in this order: cancel the action, arm the action, cancel the
// alarm, set the alarm.
struct ControlRequest {
    bool cancelAction = false;
    TimerAction action = TimerAction::None; // armed at actionTime unless None
    QString actionTime;
    bool cancelAlarm = false;
    QString alarmTime; // set unless empty
    QString music;     // absolute; empty keeps the music already chosen
    bool isEmpty() const { return *this == ControlRequest{}; }
    bool operator==(const ControlRequest&) const = default;
};

struct Invocation {
    enum class Mode {
        Start,   // no option of ours: the program as it always starts
        Control, // arm or cancel, in the running copy or in a new one
        Status,
        Help,
        Version,
        Invalid,
    };
    Mode mode = Mode::Start;
    ControlRequest request;
    QString error; // for Invalid: what was wrong, one line
};

// `args` without the program name; a relative music path is taken from `workingDir`. Qt's own
// window-system options (-session, -platform, -style, ...) are left for Qt.
Invocation parseCommandLine(const QStringList& args, const QString& workingDir);

QString helpText();
QString versionText();

} // namespace quellor
