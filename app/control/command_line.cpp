// SPDX-License-Identifier: MIT

#include "command_line.h"

#include "music_path.h"
#include "schedule_model.h"

namespace quellor {

namespace {

// Qt's own options that a session manager or a user may pass; those in the first list take a
// value (as the next argument or after '=').
const QStringList kQtValueOptions{QStringLiteral("-session"),       QStringLiteral("-platform"),
                                  QStringLiteral("-platformtheme"), QStringLiteral("-style"),
                                  QStringLiteral("-stylesheet"),    QStringLiteral("-display"),
                                  QStringLiteral("-geometry"),      QStringLiteral("-qwindowgeometry"),
                                  QStringLiteral("-name"),          QStringLiteral("-title")};
const QStringList kQtFlags{QStringLiteral("-reverse"), QStringLiteral("-sync"), QStringLiteral("-nograb"),
                           QStringLiteral("-dograb")};

struct Parser {
    QList<QByteArray> raw;
    QStringList args; // raw, decoded
    QByteArray workingDir;
    QByteArray lastValue; // the raw bytes of the value value() gave last
    qsizetype next = 0;
    Invocation out;
    QStringList seen;

    bool fail(const QString& message) {
        out = {};
        out.mode = Invocation::Mode::Invalid;
        out.error = message;
        return false;
    }

    // The value of `option`, after '=' or as the next argument.
    std::optional<QString> value(const QString& option, const std::optional<QString>& inlineValue) {
        if (inlineValue) {
            const QByteArray& arg = raw[next - 1];
            lastValue = arg.mid(arg.indexOf('=') + 1);
            return inlineValue;
        }
        if (next >= args.size()) {
            fail(QStringLiteral("%1 needs a value").arg(option));
            return std::nullopt;
        }
        lastValue = raw[next];
        return args[next++];
    }

    std::optional<QString> time(const QString& option, const std::optional<QString>& inlineValue) {
        const std::optional<QString> text = value(option, inlineValue);
        if (!text) {
            return std::nullopt;
        }
        // A countdown is counted when it arms, by whichever copy arms it.
        std::optional<QString> t = countdownMinutes(*text) ? text : timeOfDay(*text);
        if (!t) {
            fail(QStringLiteral("%1: %2").arg(option, notATime(*text)));
        }
        return t;
    }

    bool once(const QString& option, const QStringList& group) {
        for (const QString& s : seen) {
            if (group.contains(s)) {
                return s == option ? fail(QStringLiteral("%1 given twice").arg(option))
                                   : fail(QStringLiteral("%1 and %2 cannot be combined").arg(s, option));
            }
        }
        seen << option;
        return true;
    }

    bool parse() {
        const QStringList power{QStringLiteral("--shutdown"), QStringLiteral("--restart"),
                                QStringLiteral("--logoff"), QStringLiteral("--cancel")};
        const QStringList alarm{QStringLiteral("--alarm"), QStringLiteral("--cancel-alarm")};
        const QStringList alone{QStringLiteral("--status"), QStringLiteral("--help"),
                                QStringLiteral("--version")};
        ControlRequest& r = out.request;
        std::optional<QByteArray> music;
        QString aloneOption;
        while (next < args.size()) {
            const QString arg = args[next++];
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            const QString option = eq < 0 ? arg : arg.left(eq);
            const std::optional<QString> inlineValue =
                eq < 0 ? std::nullopt : std::optional<QString>(arg.mid(eq + 1));
            if (kQtValueOptions.contains(option)) {
                if (!value(option, inlineValue)) {
                    return false;
                }
                continue;
            }
            if (kQtFlags.contains(arg)) {
                continue;
            }
            const bool takesValue = option == QLatin1String("--shutdown") ||
                                    option == QLatin1String("--restart") ||
                                    option == QLatin1String("--logoff") ||
                                    option == QLatin1String("--alarm") || option == QLatin1String("--music");
            if (inlineValue && !takesValue) {
                return fail(QStringLiteral("%1 takes no value").arg(option));
            }
            if (power.contains(option)) {
                if (!once(option, power)) {
                    return false;
                }
                if (option == QLatin1String("--cancel")) {
                    r.cancelAction = true;
                    continue;
                }
                const std::optional<QString> t = time(option, inlineValue);
                if (!t) {
                    return false;
                }
                r.action = *actionNamed(option.mid(2));
                r.actionTime = *t;
            } else if (alarm.contains(option)) {
                if (!once(option, alarm)) {
                    return false;
                }
                if (option == QLatin1String("--cancel-alarm")) {
                    r.cancelAlarm = true;
                    continue;
                }
                const std::optional<QString> t = time(option, inlineValue);
                if (!t) {
                    return false;
                }
                r.alarmTime = *t;
            } else if (option == QLatin1String("--music")) {
                if (!once(option, {option})) {
                    return false;
                }
                if (!value(option, inlineValue)) {
                    return false;
                }
                music = lastValue;
            } else if (alone.contains(option)) {
                if (!once(option, alone)) {
                    return false;
                }
                aloneOption = option;
                out.mode = option == QLatin1String("--status") ? Invocation::Mode::Status
                           : option == QLatin1String("--help") ? Invocation::Mode::Help
                                                               : Invocation::Mode::Version;
            } else if (arg.startsWith(QLatin1Char('-'))) {
                return fail(QStringLiteral("unknown option %1").arg(shortened(option)));
            } else {
                return fail(QStringLiteral("unexpected argument %1").arg(quoted(arg)));
            }
        }
        if (music) {
            if (r.alarmTime.isEmpty()) {
                return fail(QStringLiteral("--music goes with --alarm"));
            }
            const MusicPath path = musicPathFor(*music, workingDir);
            if (!path.problem.isEmpty()) {
                return fail(QStringLiteral("--music: %1").arg(path.problem));
            }
            r.music = path.path;
        }
        if (out.mode != Invocation::Mode::Start) {
            if (!r.isEmpty()) {
                return fail(QStringLiteral("%1 stands alone").arg(aloneOption));
            }
        } else if (!r.isEmpty()) {
            out.mode = Invocation::Mode::Control;
        }
        return true;
    }
};

} // namespace

std::optional<TimerAction> actionNamed(const QString& name) {
    if (name == QLatin1String("shutdown")) {
        return TimerAction::ShutDown;
    }
    if (name == QLatin1String("restart")) {
        return TimerAction::Restart;
    }
    if (name == QLatin1String("logoff")) {
        return TimerAction::LogOff;
    }
    return std::nullopt;
}

QString actionName(TimerAction action) {
    switch (action) {
    case TimerAction::ShutDown:
        return QStringLiteral("shutdown");
    case TimerAction::Restart:
        return QStringLiteral("restart");
    case TimerAction::LogOff:
        return QStringLiteral("logoff");
    case TimerAction::Wait:
        return QStringLiteral("wait");
    case TimerAction::None:
        break;
    }
    return {};
}

Invocation parseCommandLine(const QList<QByteArray>& args, const QByteArray& workingDir) {
    Parser p;
    p.raw = args;
    for (const QByteArray& a : args) {
        p.args << QString::fromLocal8Bit(a);
    }
    p.workingDir = workingDir;
    p.parse();
    return p.out;
}

Invocation parseCommandLine(const QStringList& args, const QString& workingDir) {
    QList<QByteArray> raw;
    for (const QString& a : args) {
        raw << a.toLocal8Bit();
    }
    return parseCommandLine(raw, workingDir.toLocal8Bit());
}

QString applyRequest(ScheduleModel& schedule, const ControlRequest& request) {
    const QDateTime now = schedule.services().clock.now();
    if (request.action != TimerAction::None && !requestedTime(request.actionTime, now)) {
        return notATime(request.actionTime);
    }
    if (!request.alarmTime.isEmpty() && !requestedTime(request.alarmTime, now)) {
        return notATime(request.alarmTime);
    }
    if (!request.music.isEmpty()) {
        if (QString problem = ScheduleModel::musicProblem(request.music); !problem.isEmpty()) {
            return problem;
        }
    }
    if (request.cancelAction) {
        schedule.cancelAction();
    }
    if (request.action != TimerAction::None) {
        schedule.scheduleAction(request.action, request.actionTime);
    }
    if (request.cancelAlarm) {
        schedule.cancelAlarm();
    }
    if (!request.alarmTime.isEmpty()) {
        schedule.setAlarm(request.alarmTime, request.music);
    }
    return {};
}

QString helpText() {
    return QStringLiteral(
        "Usage: quellor [OPTION]...\n"
        "Shuts the computer down, restarts it or logs off at a time of day, and rings an alarm.\n"
        "Without options, starts Quellor. With options, arms or cancels in the running Quellor and\n"
        "ends at once; when none runs, Quellor starts and arms what they ask for.\n"
        "\n"
        "  --shutdown TIME        shut the computer down at TIME\n"
        "  --restart TIME         restart the computer at TIME\n"
        "  --logoff TIME          log off at TIME\n"
        "  --cancel               cancel the timed power action, as \"取消关机\" does\n"
        "  --alarm TIME           ring the alarm at TIME\n"
        "  --music FILE           with --alarm: the music the alarm plays\n"
        "  --cancel-alarm         cancel the alarm, as \"取消闹钟\" does\n"
        "  --status               print the armed action, its time and the alarm time\n"
        "  --help                 print this help and end\n"
        "  --version              print the version and end\n"
        "\n"
        "TIME is HH:MM or HH:MM:SS, 24-hour, and fires every day at that second while\n"
        "Quellor runs; +MINUTES (1 to 1440) is the time of day that many minutes from now.\n"
        "Exit status: 0 done; 1 Quellor could not be reached (with --status: it is not\n"
        "running); 2 bad arguments, nothing armed.\n");
}

QString versionText() {
    return QStringLiteral("Quellor %1\n").arg(QStringLiteral(QUELLOR_VERSION));
}

} // namespace quellor
