#pragma once
// SPDX-License-Identifier: MIT
// The platform layer on a Wayland compositor, over Qt's wayland platform. What X11 lets a client
// do by itself the compositor does here through two protocols: the dock's window is a layer
// surface on the overlay layer, placed by its margins, and the lock's windows are session-lock
// surfaces (or, where only layer surfaces exist, overlay covers that hold the keyboard). A client
// cannot read the global pointer: the pointer's entering and leaving our windows stands in.

#include "linux_platform.h"
#include "session_choice.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <map>
#include <memory>
#include <set>

class QWindow;

namespace quellor {

class LayerShell;
class SessionLockManager;
class SessionLock;
class SharedMemory;
class SurfaceRole;
struct RoleGlobals;

class WaylandPlatform : public LinuxPlatform, private QObject {
public:
    explicit WaylandPlatform(const SessionChoice& choice);
    ~WaylandPlatform() override;

    void setScreenSaverRunning(bool running) override;
    void setLockWindow(WindowId window) override;
    ScreenPoint cursorPos() const override;
    void setTopmost(WindowId window) override;
    // The dock's window is a layer surface from its first showing; the pointer's crossings of it
    // come from the compositor's enter and leave events.
    std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) override;

    // The position cursorPos() answers while the pointer is over none of the program's windows:
    // outside every window the program could place.
    static constexpr ScreenPoint kPointerElsewhere{-1000000, -1000000};

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void giveRole(QWindow* window);
    void attachRole(QWindow* window, bool showing);
    bool wantsRole(QWindow* window) const;
    bool lockHoldsInput() const;
    void lockRefused();
    bool forwardToLockWindow(QWindow* window, QEvent* event);
    RoleGlobals roleGlobals() const;

    std::unique_ptr<LayerShell> m_layerShell;
    std::unique_ptr<SessionLockManager> m_lockManager;
    std::unique_ptr<SessionLock> m_lock;
    std::unique_ptr<SharedMemory> m_memory;
    WindowId m_lockWindowId = 0;
    bool m_locking = false;
    // The compositor would not lock for this showing of the lock: its windows are covers then.
    bool m_lockRefused = false;
    // The window the pointer is over, and where, as its enter and move events told.
    QPointer<QWindow> m_pointerWindow;
    QPoint m_pointer;
    class Dock;
    std::map<const QWindow*, DockObserver*> m_dockObservers;
    // Windows the program asked to keep above all others, whose roles wait for their showing.
    std::set<WindowId> m_topmost;
};

} // namespace quellor
