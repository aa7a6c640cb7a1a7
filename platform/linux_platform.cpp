#include "linux_platform.h"

#include "lock_guard.h"
#include "logind_power.h"
#include "x11_dock_window.h"
#include "x11_input_grab.h"
#include "x11_lock_watch.h"
#include "x11_pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <unistd.h>

#include <utility>

namespace quellor {

namespace {

QWindow* findWindow(WindowId id) {
    const auto windows = QGuiApplication::allWindows();
    for (QWindow* w : windows) {
        if (w->handle() && static_cast<WindowId>(w->winId()) == id) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

LinuxPlatform::LinuxPlatform() : m_pointer(std::make_unique<X11Pointer>()) {}
// A guard still running here means the program ends while locked: it then locks the session.
LinuxPlatform::~LinuxPlatform() {
    delete m_guard;
}

LogindPower& LinuxPlatform::power() {
    if (!m_power) {
        m_power = std::make_unique<LogindPower>();
        m_power->setListener(m_powerListener);
    }
    return *m_power;
}

void LinuxPlatform::requestPower(PowerAction action) {
    power().request(action);
}

void LinuxPlatform::checkPower(PowerAction action) {
    power().check(action);
}

void LinuxPlatform::setPowerListener(PowerListener* listener) {
    m_powerListener = listener;
    if (m_power) {
        m_power->setListener(listener);
    }
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
    // The primary screen, as the desktop window is on Windows: with two monitors side by side their
    // union would centre the dock on the seam between them.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect r = screen->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void LinuxPlatform::setTopmost(WindowId window) {
    if (QWindow* w = findWindow(window)) {
        w->setFlag(Qt::WindowStaysOnTopHint, true);
    }
}

std::unique_ptr<DockWindow> LinuxPlatform::makeDock(WindowId window, DockObserver& observer) {
    QWindow* w = X11DockWindow::available() ? findWindow(window) : nullptr;
    if (!w) {
        return nullptr;
    }
    return std::make_unique<X11DockWindow>(w, observer);
}

} // namespace quellor
