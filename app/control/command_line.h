#pragma once
// SPDX-License-Identifier: MIT
// What the command line asks for. It is read before any window system is touched, so help,
// version and status answer in a terminal without a display.

#include "time_text.h"
#include "timer_action.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quellor {

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
    QString actionTime;                     // "hh:mm:ss", or "+MINUTES" counted when it arms
    bool cancelAlarm = false;
    QString alarmTime; // set unless empty; as actionTime
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

// `args` without the program name, as the program got them; a relative music path is taken
// from `workingDir`. Qt's own window-system options (-session, -platform, -style, ...) are left
// for Qt.
Invocation parseCommandLine(const QList<QByteArray>& args, const QByteArray& workingDir);
Invocation parseCommandLine(const QStringList& args, const QString& workingDir);

class ScheduleModel;
// Arms and cancels what `request` asks for, as the bus methods do: the first start with options
// has no running copy to hand it to. Checked as a whole first: a refused request changes
// nothing. Why it was refused; empty when done.
QString applyRequest(ScheduleModel& schedule, const ControlRequest& request);

QString helpText();
QString versionText();

} // namespace quellor
