// SPDX-License-Identifier: MIT

#include "control_client.h"

#include "dbus_service.h"
#include "quellor_proxy.h"
#include "single_instance.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <functional>

namespace quellor {

namespace {

// A copy that has just started needs a moment before it answers on the bus.
constexpr int kWaitForServiceMs = 10000;

enum Exit { Done = 0, Failed = 1, BadArguments = 2 };

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

void complain(const QString& message) {
    print(stderr, QStringLiteral("quellor: %1\n").arg(message));
}

bool serviceAnswers(const QDBusConnection& bus) {
    return bus.interface() && bus.interface()->isServiceRegistered(ControlService::kService);
}

// The session bus the desktop announces, never one started on the side: without an address
// libdbus would launch a bus of its own and leave it running, where no Quellor ever is.
std::optional<QDBusConnection> sessionBus(QString& problem) {
    QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty()) {
        const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && QFileInfo(socket).exists()) {
            address = QStringLiteral("unix:path=") + socket;
        }
    }
    if (address.isEmpty() || address.startsWith(QLatin1String("autolaunch:"))) {
        problem = QStringLiteral("no session bus: DBUS_SESSION_BUS_ADDRESS is not set and there is no "
                                 "$XDG_RUNTIME_DIR/bus");
        return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("quellor-command"));
    if (!bus.isConnected()) {
        problem = QStringLiteral("no session bus: %1").arg(bus.lastError().message());
        return std::nullopt;
    }
    return bus;
}

int printStatus() {
    QString problem;
    const std::optional<QDBusConnection> bus = sessionBus(problem);
    if (!bus) {
        complain(problem);
        return Failed;
    }
    if (!serviceAnswers(*bus)) {
        complain(QStringLiteral("Quellor is not running"));
        return Failed;
    }
    QuellorProxy quellor(ControlService::kService, ControlService::kPath, *bus);
    const QString action = quellor.action();
    if (quellor.lastError().isValid()) {
        complain(quellor.lastError().message());
        return Failed;
    }
    print(stdout, QStringLiteral("Action=%1\nActionTime=%2\nAlarmTime=%3\n")
                      .arg(action, quellor.actionTime(), quellor.alarmTime()));
    return Done;
}

int send(const ControlRequest& r) {
    QString problem;
    const std::optional<QDBusConnection> bus = sessionBus(problem);
    if (!bus) {
        complain(QStringLiteral("Quellor runs, but cannot be reached: %1").arg(problem));
        return Failed;
    }
    const QDeadlineTimer deadline(kWaitForServiceMs);
    while (!serviceAnswers(*bus)) {
        if (deadline.hasExpired()) {
            complain(QStringLiteral("Quellor runs, but does not answer on the session bus"));
            return Failed;
        }
        QThread::msleep(100);
    }
    QuellorProxy quellor(ControlService::kService, ControlService::kPath, *bus);
    QList<std::function<QDBusPendingReply<>()>> calls;
    if (r.cancelAction) {
        calls.append([&] { return quellor.CancelAction(); });
    }
    if (r.action != TimerAction::None) {
        calls.append([&] { return quellor.ScheduleAction(actionName(r.action), r.actionTime); });
    }
    if (r.cancelAlarm) {
        calls.append([&] { return quellor.CancelAlarm(); });
    }
    if (!r.alarmTime.isEmpty()) {
        calls.append([&] { return quellor.SetAlarm(r.alarmTime, r.music); });
    }
    for (const auto& call : calls) {
        QDBusPendingReply<> reply = call();
        reply.waitForFinished();
        if (reply.isError()) {
            complain(reply.error().message());
            return reply.error().type() == QDBusError::InvalidArgs ? BadArguments : Failed;
        }
    }
    return Done;
}

} // namespace

QList<QByteArray> argumentsOf(int argc, char** argv) {
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i) {
        args << QByteArray(argv[i]);
    }
    return args;
}

std::optional<int> answerAtOnce(const Invocation& invocation, int& argc, char** argv) {
    switch (invocation.mode) {
    case Invocation::Mode::Invalid:
        complain(invocation.error);
        print(stderr, QStringLiteral("Try 'quellor --help'.\n"));
        return BadArguments;
    case Invocation::Mode::Help:
        print(stdout, helpText());
        return Done;
    case Invocation::Mode::Version:
        print(stdout, versionText());
        return Done;
    case Invocation::Mode::Status: {
        QCoreApplication app(argc, argv);
        return printStatus();
    }
    case Invocation::Mode::Start:
    case Invocation::Mode::Control:
        break;
    }
    return std::nullopt;
}

std::optional<int> handOver(const Invocation& invocation, SingleInstance& instance, int& argc, char** argv) {
    if (invocation.mode != Invocation::Mode::Control ||
        instance.acquire() != SingleInstance::Result::OtherCopyRuns) {
        return std::nullopt;
    }
    QCoreApplication app(argc, argv);
    return send(invocation.request);
}

} // namespace quellor
