#include "forms.h"
#include "frame_registration.h"
#include "startup.h"
#include "state_directory.h"

#include <QApplication>

#ifdef Q_OS_WIN
#include "windows_platform.h"
using NativePlatform = quellor::WindowsPlatform;
#else
#include "linux_platform.h"
using NativePlatform = quellor::LinuxPlatform;
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellor"));
    QApplication::setDesktopFileName(QStringLiteral("org.quellor.Quellor"));

    NativePlatform platform;
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
