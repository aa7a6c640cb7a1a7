#include "control_client.h"

#include "dbus_service.h"
#include "single_instance.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

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

int printStatus() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        complain(QStringLiteral("no session bus: %1").arg(bus.lastError().message()));
        return Failed;
    }
    if (!serviceAnswers(bus)) {
        complain(QStringLiteral("Quellor is not running"));
        return Failed;
    }
    QDBusInterface properties(ControlService::kService, ControlService::kPath,
                              QStringLiteral("org.freedesktop.DBus.Properties"), bus);
    const QDBusReply<QVariantMap> reply =
        properties.call(QStringLiteral("GetAll"), ControlService::kInterface);
    if (!reply.isValid()) {
        complain(reply.error().message());
        return Failed;
    }
    const QVariantMap p = reply.value();
    print(stdout, QStringLiteral("Action=%1\nActionTime=%2\nAlarmTime=%3\n")
                      .arg(p.value(QStringLiteral("Action")).toString(),
                           p.value(QStringLiteral("ActionTime")).toString(),
                           p.value(QStringLiteral("AlarmTime")).toString()));
    return Done;
}

int send(const ControlRequest& r) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        complain(QStringLiteral("Quellor runs, but there is no session bus to reach it: %1")
                     .arg(bus.lastError().message()));
        return Failed;
    }
    const QDeadlineTimer deadline(kWaitForServiceMs);
    while (!serviceAnswers(bus)) {
        if (deadline.hasExpired()) {
            complain(QStringLiteral("Quellor runs, but does not answer on the session bus"));
            return Failed;
        }
        QThread::msleep(100);
    }
    QDBusInterface quellor(ControlService::kService, ControlService::kPath, ControlService::kInterface, bus);
    QList<std::pair<QString, QVariantList>> calls;
    if (r.cancelAction) {
        calls.append({QStringLiteral("CancelAction"), {}});
    }
    if (r.action != TimerAction::None) {
        calls.append({QStringLiteral("ScheduleAction"), {actionName(r.action), r.actionTime}});
    }
    if (r.cancelAlarm) {
        calls.append({QStringLiteral("CancelAlarm"), {}});
    }
    if (!r.alarmTime.isEmpty()) {
        calls.append({QStringLiteral("SetAlarm"), {r.alarmTime, r.music}});
    }
    for (const auto& [method, args] : calls) {
        const QDBusMessage reply = quellor.callWithArgumentList(QDBus::Block, method, args);
        if (reply.type() == QDBusMessage::ErrorMessage) {
            complain(reply.errorMessage());
            return reply.errorName() == QDBusError::errorString(QDBusError::InvalidArgs) ? BadArguments
                                                                                         : Failed;
        }
    }
    return Done;
}

} // namespace

QStringList argumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
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
