// SPDX-License-Identifier: MIT

#include "control_client.h"
#include "control_host.h"
#include "font_faces.h"
#include "forms.h"
#include "frame_registration.h"
#include "startup.h"
#include "state_directory.h"
#include "translations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>

#ifdef Q_OS_WIN
#include "windows_platform.h"
using NativeNotifications = quellor::NoNotifications;
using NativeIdleInhibitor = quellor::NoIdleInhibitor;
#else
#include "dbus_notifications.h"
#include "linux_session.h"
#include "session_idle_inhibitor.h"
using NativeNotifications = quellor::DBusNotifications;
using NativeIdleInhibitor = quellor::SessionIdleInhibitor;
#endif

int main(int argc, char* argv[]) {
    // Before the instance lock: the lock records the name, and tells a live owner by it.
    QCoreApplication::setApplicationName(QStringLiteral("Quellor"));
    // Read before any window system is touched: help, version and status need no display.
    const quellor::Invocation invocation =
        quellor::parseCommandLine(quellor::argumentsOf(argc, argv), QFile::encodeName(QDir::currentPath()));
    if (const std::optional<int> status = quellor::answerAtOnce(invocation, argc, argv)) {
        return *status;
    }
    quellor::SingleInstance instance;
    if (const std::optional<int> status = quellor::handOver(invocation, instance, argc, argv)) {
        return *status;
    }

#ifndef Q_OS_WIN
    // Before the application object: the session decides which Qt platform to load.
    const quellor::SessionChoice session = quellor::decideSessionAtStart();
#endif
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("org.quellor.Quellor"));
    quellor::installFaceSubstitutions();
    const QString programDir = QApplication::applicationDirPath();
    // The windows, boxes and notifications speak the user's language; the command line above
    // stays English.
    quellor::Translations translations(quellor::Translations::catalogueDirs(programDir),
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    translations.install(QLocale::system().uiLanguages());

#ifdef Q_OS_WIN
    quellor::WindowsPlatform platform;
#else
    const std::unique_ptr<quellor::LinuxPlatform> linuxPlatform = quellor::createLinuxPlatform(session);
    quellor::Platform& platform = *linuxPlatform;
#endif
    quellor::SystemClock clock;
    quellor::QtSoundOutput sound;
    quellor::QtMessageBoxes messages;
    quellor::QtFileChooser files;
    quellor::registerFrameLibrary(programDir);
    quellor::Services services{
        platform, clock, sound, messages, files, programDir, quellor::stateDirectory(programDir)};
    quellor::Forms forms(services);
    quellor::Startup startup(forms, instance);
    if (!startup.run()) {
        return 0;
    }
    NativeNotifications warnings;
    NativeNotifications alarms;
    NativeIdleInhibitor inhibitor;
    quellor::ControlHost control(forms, warnings, alarms, inhibitor);
    control.service.publish(QDBusConnection::sessionBus());
    if (invocation.mode == quellor::Invocation::Mode::Control) {
        QTimer::singleShot(0, &app, [&] {
            if (const QString error = quellor::applyRequest(forms.schedule(), invocation.request);
                !error.isEmpty()) {
                std::fprintf(stderr, "quellor: %s\n", qUtf8Printable(error));
            }
        });
    }
    return QApplication::exec();
}
