#include "command_line.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    QStringList args;
    QString workingDir;
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
            return inlineValue;
        }
        if (next >= args.size()) {
            fail(QStringLiteral("%1 needs a value").arg(option));
            return std::nullopt;
        }
        return args[next++];
    }

    std::optional<QString> time(const QString& option, const std::optional<QString>& inlineValue) {
        const std::optional<QString> text = value(option, inlineValue);
        if (!text) {
            return std::nullopt;
        }
        std::optional<QString> t = timeOfDay(*text);
        if (!t) {
            fail(QStringLiteral("%1: \"%2\" is not a time of day (HH:MM or HH:MM:SS, 24-hour)")
                     .arg(option, *text));
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
        std::optional<QString> music;
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
                music = value(option, inlineValue);
                if (!music) {
                    return false;
                }
            } else if (alone.contains(option)) {
                if (!once(option, alone)) {
                    return false;
                }
                aloneOption = option;
                out.mode = option == QLatin1String("--status") ? Invocation::Mode::Status
                           : option == QLatin1String("--help") ? Invocation::Mode::Help
                                                               : Invocation::Mode::Version;
            } else if (arg.startsWith(QLatin1Char('-'))) {
                return fail(QStringLiteral("unknown option %1").arg(option));
            } else {
                return fail(QStringLiteral("unexpected argument \"%1\"").arg(arg));
            }
        }
        if (music) {
            if (r.alarmTime.isEmpty()) {
                return fail(QStringLiteral("--music goes with --alarm"));
            }
            const QString path = QDir::cleanPath(QDir(workingDir).absoluteFilePath(*music));
            const QString problem = musicProblem(path);
            if (!problem.isEmpty()) {
                return fail(QStringLiteral("--music: %1").arg(problem));
            }
            r.music = path;
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

std::optional<QString> timeOfDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59) {
        return std::nullopt;
    }
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(min, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

QString musicProblem(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        return QStringLiteral("\"%1\" is not an absolute path").arg(path);
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("no file \"%1\"").arg(path);
    }
    if (!info.isFile()) {
        return QStringLiteral("\"%1\" is not a regular file").arg(path);
    }
    if (!info.isReadable()) {
        return QStringLiteral("\"%1\" cannot be read").arg(path);
    }
    return {};
}

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

Invocation parseCommandLine(const QStringList& args, const QString& workingDir) {
    Parser p;
    p.args = args;
    p.workingDir = workingDir;
    p.parse();
    return p.out;
}

QString helpText() {
    return QStringLiteral(
        "Usage: quellor [OPTION]...\n"
        "Shuts the computer down, restarts it or logs off at a time of day, and rings an alarm.\n"
        "Without options, starts Quellor. With options, arms or cancels in the running Quellor and\n"
        "ends at once; when none runs, Quellor starts and arms what they ask for.\n"
        "\n"
        "  --shutdown HH:MM[:SS]  shut the computer down at that time\n"
        "  --restart HH:MM[:SS]   restart the computer at that time\n"
        "  --logoff HH:MM[:SS]    log off at that time\n"
        "  --cancel               cancel the timed power action, as \"取消关机\" does\n"
        "  --alarm HH:MM[:SS]     ring the alarm at that time\n"
        "  --music FILE           with --alarm: the music the alarm plays\n"
        "  --cancel-alarm         cancel the alarm, as \"取消闹钟\" does\n"
        "  --status               print the armed action, its time and the alarm time\n"
        "  --help                 print this help and end\n"
        "  --version              print the version and end\n"
        "\n"
        "Times are 24-hour and fire every day at that second while Quellor runs.\n"
        "Exit status: 0 done; 1 Quellor could not be reached (with --status: it is not\n"
        "running); 2 bad arguments, nothing armed.\n");
}

QString versionText() {
    return QStringLiteral("Quellor %1\n").arg(QStringLiteral(QUELLOR_VERSION));
}

} // namespace quellor
