// SPDX-License-Identifier: MIT

#include "logind_power.h"

#include <QDBusArgument>
#include <QDBusObjectPath>

#include <unistd.h>

namespace quellor {

namespace {

bool isError(const QDBusMessage& reply) {
    return reply.type() != QDBusMessage::ReplyMessage;
}

PowerReport failed(PowerAction action, const QDBusMessage& reply, bool advance = false) {
    PowerReport r;
    r.action = action;
    r.advance = advance;
    r.failure = LogindPower::failureFor(reply.errorName());
    r.detail = (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString();
    return r;
}

} // namespace

LogindPower::LogindPower(QObject* parent, int timeoutMs) : QObject(parent), m_logind(this, timeoutMs) {}

PowerFailure LogindPower::failureFor(const QString& errorName) {
    static const std::pair<const char*, PowerFailure> kNames[] = {
        {"org.freedesktop.DBus.Error.ServiceUnknown", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.NameHasNoOwner", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.Disconnected", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.NoServer", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.FileNotFound", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.UnknownObject", PowerFailure::ServiceMissing},
        {"org.freedesktop.DBus.Error.UnknownInterface", PowerFailure::NotSupported},
        {"org.freedesktop.DBus.Error.UnknownMethod", PowerFailure::NotSupported},
        {"org.freedesktop.DBus.Error.AccessDenied", PowerFailure::AccessDenied},
        {"org.freedesktop.DBus.Error.AuthFailed", PowerFailure::AccessDenied},
        {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", PowerFailure::AuthenticationRequired},
        {"org.freedesktop.login1.BlockedByInhibitorLock", PowerFailure::Inhibited},
        {"org.freedesktop.DBus.Error.NoReply", PowerFailure::NoAnswer},
        {"org.freedesktop.DBus.Error.Timeout", PowerFailure::NoAnswer},
        {"org.freedesktop.DBus.Error.TimedOut", PowerFailure::NoAnswer},
        {"org.freedesktop.login1.NoSessionForPID", PowerFailure::NoSession},
        {"org.freedesktop.login1.NoSuchSession", PowerFailure::NoSession},
    };
    for (const auto& [name, failure] : kNames) {
        if (errorName == QLatin1String(name)) {
            return failure;
        }
    }
    return PowerFailure::Other;
}

std::vector<std::string> LogindPower::blockers(const QDBusMessage& reply, uint ownUid, uint ownPid) {
    std::vector<std::string> names;
    if (isError(reply) || reply.signature() != QLatin1String("a(ssssuu)")) {
        return names;
    }
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        if (mode != QLatin1String("block") ||
            !what.split(QLatin1Char(':')).contains(QLatin1String("shutdown")) || uid == ownUid ||
            pid == ownPid) {
            continue;
        }
        const std::string name = (who.isEmpty() ? QStringLiteral("PID %1").arg(pid) : who).toStdString();
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    list.endArray();
    return names;
}

void LogindPower::request(PowerAction action) {
    // A silent logind must not collect a queue of power-offs that all land when it wakes.
    if (!m_pending.insert(action).second) {
        return;
    }
    switch (action) {
    case PowerAction::PowerOff:
    case PowerAction::Reboot: {
        const QString method =
            action == PowerAction::PowerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot");
        // Not interactive: a password prompt would outlast the timeout and the user's absence.
        m_logind.callManager(method, {false}, [this, action](const QDBusMessage& r) { answered(action, r); });
        break;
    }
    case PowerAction::EndSession:
        terminateOwnSession(action);
        break;
    case PowerAction::PoliteLogoff:
        politeLogout(0);
        break;
    }
}

void LogindPower::answered(PowerAction action, const QDBusMessage& reply) {
    m_pending.erase(action);
    if (isError(reply)) {
        report(failed(action, reply));
    }
}

void LogindPower::check(PowerAction action) {
    if (action != PowerAction::PowerOff && action != PowerAction::Reboot) {
        return; // logind has no question for ending a session
    }
    const QString method =
        action == PowerAction::PowerOff ? QStringLiteral("CanPowerOff") : QStringLiteral("CanReboot");
    m_logind.callManager(method, {}, [this, action](const QDBusMessage& reply) {
        if (isError(reply)) {
            report(failed(action, reply, true));
            return;
        }
        const QString answer = reply.arguments().value(0).toString();
        if (answer == QLatin1String("yes")) {
            return;
        }
        PowerReport r;
        r.action = action;
        r.advance = true;
        r.failure = answer == QLatin1String("challenge") ? PowerFailure::AuthenticationRequired
                    : answer == QLatin1String("no")      ? PowerFailure::AccessDenied
                    : answer == QLatin1String("na")      ? PowerFailure::NotSupported
                                                         : PowerFailure::Other;
        r.detail = answer.toStdString();
        report(std::move(r));
    });
}

void LogindPower::report(PowerReport r) {
    const bool refused = r.failure == PowerFailure::AccessDenied ||
                         r.failure == PowerFailure::AuthenticationRequired ||
                         r.failure == PowerFailure::Inhibited;
    if (!refused || (r.action != PowerAction::PowerOff && r.action != PowerAction::Reboot)) {
        if (m_listener) {
            m_listener->powerFailed(r);
        }
        return;
    }
    // logind asks for a password or refuses when a block inhibitor stands in the way: name
    // whoever holds one, which the refusal itself does not.
    m_logind.callManager(QStringLiteral("ListInhibitors"), {}, [this, r](const QDBusMessage& reply) mutable {
        std::vector<std::string> names = blockers(reply, ::getuid(), static_cast<uint>(::getpid()));
        if (!names.empty()) {
            r.failure = PowerFailure::Inhibited;
            r.blockers = std::move(names);
        }
        if (m_listener) {
            m_listener->powerFailed(r);
        }
    });
}

void LogindPower::terminateOwnSession(PowerAction action) {
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (!session.isEmpty()) {
        m_logind.callManager(QStringLiteral("TerminateSession"), {session},
                             [this, action](const QDBusMessage& r) { answered(action, r); });
        return;
    }
    m_logind.callManager(QStringLiteral("GetSessionByPID"), {static_cast<quint32>(::getpid())},
                         [this, action](const QDBusMessage& reply) {
                             if (isError(reply)) {
                                 answered(action, reply);
                                 return;
                             }
                             terminateSession(action,
                                              reply.arguments().value(0).value<QDBusObjectPath>().path());
                         });
}

void LogindPower::terminateSession(PowerAction action, const QString& path) {
    if (path.isEmpty()) {
        m_pending.erase(action);
        PowerReport r;
        r.action = action;
        r.failure = PowerFailure::NoSession;
        report(std::move(r));
        return;
    }
    m_logind.call(path, QLatin1String(LogindClient::kSessionInterface), QStringLiteral("Terminate"), {},
                  [this, action](const QDBusMessage& r) { answered(action, r); });
}

void LogindPower::politeLogout(int step) {
    // A desktop session manager lets applications save their work before the session ends;
    // each that is not there (or refuses) hands on to the next, and logind ends the session last.
    struct Manager {
        const char* service;
        const char* path;
        const char* method;
        QVariantList args;
    };
    static const Manager kManagers[] = {
        {"org.gnome.SessionManager", "/org/gnome/SessionManager", "Logout", {quint32(1)}}, // no confirmation
        {"org.kde.LogoutPrompt", "/LogoutPrompt", "promptLogout", {}},
    };
    if (step >= static_cast<int>(std::size(kManagers))) {
        terminateOwnSession(PowerAction::PoliteLogoff);
        return;
    }
    const Manager& m = kManagers[step];
    const QString service = QLatin1String(m.service);
    QDBusMessage message =
        QDBusMessage::createMethodCall(service, QLatin1String(m.path), service, QLatin1String(m.method));
    message.setArguments(m.args);
    message.setAutoStartService(false);
    m_logind.send(QDBusConnection::sessionBus(), message, [this, step](const QDBusMessage& reply) {
        if (isError(reply)) {
            politeLogout(step + 1);
        } else {
            m_pending.erase(PowerAction::PoliteLogoff);
        }
    });
}

} // namespace quellor
