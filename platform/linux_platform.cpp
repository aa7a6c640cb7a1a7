#include "linux_platform.h"

#include "lock_guard.h"
#include "x11_input_grab.h"
#include "x11_lock_watch.h"
#include "x11_pointer.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <unistd.h>

#include <utility>

namespace quellor {

namespace {

constexpr auto kLogin1Service = "org.freedesktop.login1";
constexpr auto kLogin1Path = "/org/freedesktop/login1";
constexpr auto kLogin1Manager = "org.freedesktop.login1.Manager";

QWindow* findWindow(WindowId id) {
    const auto windows = QGuiApplication::allWindows();
    for (QWindow* w : windows) {
        if (w->handle() && static_cast<WindowId>(w->winId()) == id) {
            return w;
        }
    }
    return nullptr;
}

void callLogin1(const QString& method, const QVariantList& args) {
    // Fire and forget: the result is not used, and a slow logind must not freeze the window.
    QDBusMessage msg = QDBusMessage::createMethodCall(
        QLatin1String(kLogin1Service), QLatin1String(kLogin1Path), QLatin1String(kLogin1Manager), method);
    msg.setArguments(args);
    QDBusConnection::systemBus().asyncCall(msg);
}

} // namespace

LinuxPlatform::LinuxPlatform() : m_pointer(std::make_unique<X11Pointer>()) {}
// A guard still running here means the program ends while locked: it then locks the session.
LinuxPlatform::~LinuxPlatform() {
    delete m_guard;
}

void LinuxPlatform::requestPower(PowerAction action) {
    switch (action) {
    case PowerAction::PowerOff:
        callLogin1(QStringLiteral("PowerOff"), {false});
        break;
    case PowerAction::Reboot:
        callLogin1(QStringLiteral("Reboot"), {false});
        break;
    case PowerAction::PoliteLogoff:
        if (!politeLogout()) {
            terminateOwnSession();
        }
        break;
    case PowerAction::EndSession:
        terminateOwnSession();
        break;
    }
}

void LinuxPlatform::terminateOwnSession() {
    QDBusInterface manager(QLatin1String(kLogin1Service), QLatin1String(kLogin1Path),
                           QLatin1String(kLogin1Manager), QDBusConnection::systemBus());
    QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (session.isEmpty()) {
        QDBusReply<QDBusObjectPath> path =
            manager.call(QStringLiteral("GetSessionByPID"), static_cast<quint32>(::getpid()));
        if (path.isValid()) {
            QDBusInterface s(QLatin1String(kLogin1Service), path.value().path(),
                             QStringLiteral("org.freedesktop.login1.Session"), QDBusConnection::systemBus());
            session = s.property("Id").toString();
        }
    }
    if (!session.isEmpty()) {
        callLogin1(QStringLiteral("TerminateSession"), {session});
    }
}

bool LinuxPlatform::politeLogout() {
    // A desktop session manager lets applications save their work before the session ends.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) {
        return false;
    }
    const QString gnome = QStringLiteral("org.gnome.SessionManager");
    if (bus.interface()->isServiceRegistered(gnome)) {
        QDBusMessage msg = QDBusMessage::createMethodCall(gnome, QStringLiteral("/org/gnome/SessionManager"),
                                                          gnome, QStringLiteral("Logout"));
        msg.setArguments({static_cast<quint32>(1)}); // no confirmation dialog
        bus.asyncCall(msg);
        return true;
    }
    const QString kde = QStringLiteral("org.kde.LogoutPrompt");
    if (bus.interface()->isServiceRegistered(kde)) {
        QDBusMessage msg = QDBusMessage::createMethodCall(kde, QStringLiteral("/LogoutPrompt"), kde,
                                                          QStringLiteral("promptLogout"));
        bus.asyncCall(msg);
        return true;
    }
    return false;
}

void LinuxPlatform::setScreenSaverRunning(bool running) {
    // There is no system flag here: the lock window holds the keyboard and the pointer instead, and
    // the guard has the session locked should the program die before the unlock.
    m_screenSaverRunning = running;
    m_watch.reset();
    if (running && m_lockWindow && X11InputGrab::available()) {
        if (QWindow* w = findWindow(m_lockWindow)) {
            m_watch = std::make_unique<X11LockWatch>(w);
        }
    }
    if (running && !m_guard) {
        m_guard = new LockGuard(LockGuard::executableBeside(QCoreApplication::applicationDirPath()));
    } else if (!running && m_guard) {
        std::exchange(m_guard, nullptr)->finish();
    }
}

void LinuxPlatform::setLockWindow(WindowId window) {
    m_lockWindow = window;
    if (!window) {
        m_watch.reset();
    }
}

ScreenPoint LinuxPlatform::cursorPos() const {
    const std::optional<QPoint> own = m_pointer->position();
    const QPoint p = own ? *own : QCursor::pos();
    return {p.x(), p.y()};
}

WindowId LinuxPlatform::foregroundWindow() const {
    QWindow* w = QGuiApplication::focusWindow();
    return w ? static_cast<WindowId>(w->winId()) : 0;
}

ScreenRect LinuxPlatform::windowRect(WindowId window) const {
    QWindow* w = findWindow(window);
    if (!w) {
        return {};
    }
    const QRect r = w->frameGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

ScreenRect LinuxPlatform::desktopRect() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect r = screen->virtualGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void LinuxPlatform::setTopmost(WindowId window) {
    if (QWindow* w = findWindow(window)) {
        w->setFlag(Qt::WindowStaysOnTopHint, true);
    }
}

} // namespace quellor
