#include "forms.h"
#include "startup.h"

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
    QApplication::setDesktopFileName(QStringLiteral("quellor"));

    NativePlatform platform;
    quellor::SystemClock clock;
    quellor::QtSoundOutput sound;
    quellor::QtMessageBoxes messages;
    quellor::QtFileChooser files;
    quellor::Services services{platform, clock, sound, messages, files, QApplication::applicationDirPath()};
    quellor::Forms forms(services);
    quellor::SingleInstance instance;
    quellor::Startup startup(forms, instance);
    if (!startup.run()) {
        return 0;
    }
    return QApplication::exec();
}
