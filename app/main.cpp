#include "forms.h"
#include "frame_registration.h"
#include "startup.h"
#include "state_directory.h"

#include <QApplication>

#include <memory>

#ifdef Q_OS_WIN
#include "windows_platform.h"
#else
#include "linux_session.h"
#endif

int main(int argc, char* argv[]) {
#ifndef Q_OS_WIN
    // Before the application object: the session decides which Qt platform to load.
    const quellor::SessionChoice session = quellor::decideSessionAtStart();
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellor"));
    QApplication::setDesktopFileName(QStringLiteral("org.quellor.Quellor"));

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
    const QString programDir = QApplication::applicationDirPath();
    quellor::registerFrameLibrary(programDir);
    quellor::Services services{
        platform, clock, sound, messages, files, programDir, quellor::stateDirectory(programDir)};
    quellor::Forms forms(services);
    quellor::SingleInstance instance;
    quellor::Startup startup(forms, instance);
    if (!startup.run()) {
        return 0;
    }
    return QApplication::exec();
}
