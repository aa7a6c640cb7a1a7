// SPDX-License-Identifier: MIT

#include "linux_platform.h"

#include "lock_guard.h"
#include "logind_client.h"
#include "logind_power.h"
#include "session_locker.h"
#include "x11_dock_window.h"
#include "x11_input_grab.h"
#include "x11_lock_watch.h"
#include "x11_pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace quellor {

QWindow* LinuxPlatform::findWindow(WindowId id) {
    const auto windows = QGuiApplication::allWindows();
    for (QWindow* w : windows) {
        if (w->handle() && static_cast<WindowId>(w->winId()) == id) {
            return w;
        }
    }
    return nullptr;
}

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
    // the guard has the session locked should the program die or stall before the unlock.
    m_screenSaverRunning = running;
    if (running && m_lockThroughSessionLocker) {
        lockSessionThroughLogind();
    }
    m_watch.reset();
    if (running && m_lockWindow && X11InputGrab::available()) {
        if (QWindow* w = findWindow(m_lockWindow)) {
            m_watch = std::make_unique<X11LockWatch>(w);
        }
    }
    // Marked here rather than by the guard, so an unlock clears it whatever became of the guard.
    session().markLocked(running);
    if (running && !m_guard) {
        m_guardRestarts = 0;
        startGuard();
    } else if (!running && m_guard) {
        std::exchange(m_guard, nullptr)->finish();
    }
}

void LinuxPlatform::startGuard() {
    m_guard = new LockGuard(LockGuard::executableBeside(QCoreApplication::applicationDirPath()));
    if (!m_guard->started()) {
        // Nothing would lock the session should the program die: it is locked now instead.
        std::exchange(m_guard, nullptr)->finish();
        lockSessionThroughLogind();
        return;
    }
    QObject::connect(m_guard, &LockGuard::died, m_guard, [this] { guardDied(); });
}

void LinuxPlatform::guardDied() {
    std::exchange(m_guard, nullptr)->finish();
    if (!m_screenSaverRunning) {
        return;
    }
    if (++m_guardRestarts > kMostGuardRestarts) {
        std::fprintf(stderr, "quellor: the lock's guard keeps ending; locking the session\n");
        lockSessionThroughLogind();
        return;
    }
    startGuard();
}

bool LinuxPlatform::lockNeedsWarning() {
    if (!m_lockThroughSessionLocker || m_lockWarned) {
        return false;
    }
    m_lockWarned = true;
    return true;
}

SessionLocker& LinuxPlatform::session() {
    if (!m_session) {
        m_logind = std::make_unique<LogindClient>();
        m_session = std::make_unique<SessionLocker>(*m_logind);
    }
    return *m_session;
}

void LinuxPlatform::lockSessionThroughLogind() {
    session().lock();
}

void LinuxPlatform::whenLockHoldsInput(std::function<void(bool held)> show) {
    if (!m_watch) {
        show(true); // nothing to grab here, or the lock is not up
        return;
    }
    m_watch->whenHeld(kGrabWaitMs, [this, show = std::move(show)](bool held) {
        if (!held) {
            std::fprintf(stderr,
                         "quellor: another program keeps the keyboard and pointer; locking the session\n");
            lockSessionThroughLogind();
        }
        show(held);
    });
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
