// SPDX-License-Identifier: MIT

#include "wayland_platform.h"

#include "solid_buffer.h"
#include "surface_role.h"
#include "wayland_globals.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <cstdio>

namespace quellor {

WaylandPlatform::WaylandPlatform(const SessionChoice& choice) {
    if (choice.globals.layerShell) {
        m_layerShell = std::make_unique<LayerShell>();
    }
    if (choice.globals.sessionLock) {
        m_lockManager = std::make_unique<SessionLockManager>();
        m_lock = std::make_unique<SessionLock>(*m_lockManager);
        m_memory = std::make_unique<SharedMemory>(qtWaylandDisplay());
        QObject::connect(m_lock.get(), &SessionLock::refused, [this] { lockRefused(); });
    }
    setLockThroughSessionLocker(!lockHoldsInput());
    // Every window's showing and the pointer's crossings, whichever window they concern.
    qApp->installEventFilter(this);
}

WaylandPlatform::~WaylandPlatform() {
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

bool WaylandPlatform::lockHoldsInput() const {
    return m_lockManager && m_lockManager->isActive() && !m_lockRefused;
}

RoleGlobals WaylandPlatform::roleGlobals() const {
    return {m_layerShell.get(), m_lock.get(), m_memory.get()};
}

void WaylandPlatform::lockRefused() {
    // Someone else locks the session, or the compositor will not: the lock's windows become
    // overlay covers holding the keyboard, and the desktop's own locker is asked, as where the
    // compositor offers no session lock.
    if (!m_locking || m_lockRefused) {
        return;
    }
    m_lockRefused = true;
    lockSessionThroughLogind();
    const auto windows = QGuiApplication::allWindows();
    for (QWindow* w : windows) {
        SurfaceRole* role = SurfaceRole::of(w);
        if (role && role->kind() == SurfaceKind::Lock) {
            delete role;
            // Visible, it is shown again with a new surface: the old one keeps its lock role.
            attachRole(w, false);
        }
    }
}

void WaylandPlatform::setLockWindow(WindowId window) {
    LinuxPlatform::setLockWindow(window);
    m_lockWindowId = window;
    if (QWindow* w = findWindow(window)) {
        giveRole(w);
    }
}

void WaylandPlatform::setScreenSaverRunning(bool running) {
    m_locking = running;
    if (running) {
        m_lockRefused = false;
    }
    if (running && m_lock && !m_lock->lock()) {
        lockRefused();
    }
    if (!running && m_lock) {
        m_lock->unlock();
    }
    // The lock window's role, now that it is known to be part of the lock.
    if (running) {
        if (QWindow* w = findWindow(m_lockWindowId)) {
            giveRole(w);
        }
    }
    LinuxPlatform::setScreenSaverRunning(running);
}

void WaylandPlatform::setTopmost(WindowId window) {
    if (QWindow* w = findWindow(window)) {
        giveRole(w);
    }
}

void WaylandPlatform::giveRole(QWindow* window) {
    m_topmost.insert(static_cast<WindowId>(window->winId()));
    // A window not shown yet is given its role as it is shown, when it is known whether it belongs
    // to the lock (the lock window is made topmost before it is named the lock window).
    if (!window->isVisible() || SurfaceRole::of(window)) {
        return;
    }
    attachRole(window, false);
}

// Bound to the Qt window rather than its id, so it follows the window through every surface Qt
// makes for it.
class WaylandPlatform::Dock : public DockWindow {
public:
    Dock(WaylandPlatform& platform, const QWindow* window, DockObserver& observer)
        : m_platform(platform), m_window(window) {
        m_platform.m_dockObservers[window] = &observer;
    }
    ~Dock() override { m_platform.m_dockObservers.erase(m_window); }
    bool reportsCrossings() const override { return true; }

private:
    WaylandPlatform& m_platform;
    const QWindow* m_window;
};

std::unique_ptr<DockWindow> WaylandPlatform::makeDock(WindowId window, DockObserver& observer) {
    QWindow* w = findWindow(window);
    if (!w) {
        return nullptr;
    }
    giveRole(w);
    return std::make_unique<Dock>(*this, w, observer);
}

namespace {
// Qt's focus window as if the compositor had changed it; Qt 6.7 renamed the call.
template <class System> void focusWindow(QWindow* window) {
    if constexpr (requires { System::handleFocusWindowChanged(window, Qt::ActiveWindowFocusReason); }) {
        System::handleFocusWindowChanged(window, Qt::ActiveWindowFocusReason);
    } else {
        System::handleWindowActivated(window, Qt::ActiveWindowFocusReason);
    }
}

// A frameless window that asks to stay on top and was never handed to the platform: the splash,
// which X11 shows centred above everything, and which a compositor would otherwise tile.
bool isSplash(QWindow* window) {
    const Qt::WindowFlags flags = window->flags();
    return window->type() == Qt::Window && flags.testFlag(Qt::FramelessWindowHint) &&
           flags.testFlag(Qt::WindowStaysOnTopHint);
}
} // namespace

bool WaylandPlatform::wantsRole(QWindow* window) const {
    // The dock's window and the lock's are named before their first showing, so they are layer or
    // lock surfaces from it: an ordinary window's position is the compositor's.
    const auto id = static_cast<WindowId>(window->winId());
    return m_topmost.count(id) || id == m_lockWindowId || isSplash(window);
}

void WaylandPlatform::attachRole(QWindow* window, bool showing) {
    const auto id = static_cast<WindowId>(window->winId());
    const bool partOfLock = m_locking || id == m_lockWindowId;
    SurfaceKind kind = SurfaceKind::Dock;
    if (partOfLock) {
        kind = lockHoldsInput() ? SurfaceKind::Lock : SurfaceKind::Cover;
    } else if (!m_topmost.count(id) && isSplash(window)) {
        kind = SurfaceKind::Centred;
    }
    if (kind != SurfaceKind::Lock && !m_layerShell) {
        return; // an ordinary window is all there is
    }
    new SurfaceRole(window, kind, roleGlobals(), showing);
}

ScreenPoint WaylandPlatform::cursorPos() const {
    if (!m_pointerWindow) {
        return kPointerElsewhere;
    }
    return {m_pointer.x(), m_pointer.y()};
}

bool WaylandPlatform::forwardToLockWindow(QWindow* window, QEvent* event) {
    // The compositor gives the keyboard to the lock surface or cover of the output it chooses;
    // what reaches another window of the lock belongs to the lock window, where the password box
    // is, as it would under an X11 grab. As if from the compositor, so its shortcuts work too.
    SurfaceRole* role = SurfaceRole::of(window);
    QWindow* lock = findWindow(m_lockWindowId);
    if (!m_locking || !role || role->kind() == SurfaceKind::Dock || role->kind() == SurfaceKind::Centred ||
        !lock || lock == window) {
        return false;
    }
    if (QGuiApplication::focusWindow() != lock) {
        focusWindow<QWindowSystemInterface>(lock);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    QWindowSystemInterface::handleExtendedKeyEvent(lock, key->timestamp(), key->type(), key->key(),
                                                   key->modifiers(), key->nativeScanCode(),
                                                   key->nativeVirtualKey(), key->nativeModifiers(),
                                                   key->text(), key->isAutoRepeat(), ushort(key->count()));
    return true;
}

bool WaylandPlatform::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* window = qobject_cast<QWindow*>(watched);
        return window && forwardToLockWindow(window, event);
    }
    if (type != QEvent::Show && type != QEvent::Enter && type != QEvent::MouseMove && type != QEvent::Leave &&
        type != QEvent::Hide) {
        return false;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window) {
        return false;
    }
    switch (type) {
    case QEvent::Show:
        if (wantsRole(window)) {
            if (!SurfaceRole::of(window)) {
                attachRole(window, true);
            }
        } else if (window->type() == Qt::Window || window->type() == Qt::Dialog) {
            // A window the program opens gets the keyboard, as it would from any window manager.
            const auto windows = QGuiApplication::allWindows();
            for (QWindow* w : windows) {
                if (SurfaceRole* role = SurfaceRole::of(w)) {
                    role->releaseKeyboard();
                }
            }
        }
        break;
    case QEvent::Enter:
        m_pointerWindow = window;
        m_pointer = static_cast<QEnterEvent*>(event)->globalPosition().toPoint();
        if (auto it = m_dockObservers.find(window); it != m_dockObservers.end()) {
            it->second->pointerEntered();
        }
        break;
    case QEvent::MouseMove:
        m_pointerWindow = window;
        m_pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (m_pointerWindow == window) {
            m_pointerWindow = nullptr;
            if (auto it = m_dockObservers.find(window); it != m_dockObservers.end()) {
                it->second->pointerLeft();
            }
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace quellor
