#pragma once
// SPDX-License-Identifier: MIT
// The platform layer on a Linux desktop session: power actions through logind over the system
// bus, window queries through Qt's view of its own windows.

#include "platform.h"

#include <memory>

class QWindow;

namespace quellor {

class LockGuard;
class LogindClient;
class LogindPower;
class SessionLocker;
class X11LockWatch;
class X11Pointer;

class LinuxPlatform : public Platform {
public:
    LinuxPlatform();
    ~LinuxPlatform() override;

    void requestPower(PowerAction action) override;
    void setPowerListener(PowerListener* listener) override;
    void checkPower(PowerAction action) override;
    void enableShutdownPrivilege() override {} // logind and polkit decide; nothing to enable
    void setScreenSaverRunning(bool running) override;
    void setLockWindow(WindowId window) override;
    void whenLockHoldsInput(std::function<void(bool held)> show) override;
    ScreenPoint cursorPos() const override;
    WindowId foregroundWindow() const override;
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override;
    void setTopmost(WindowId window) override;
    std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) override;
    bool lockNeedsWarning() override;

    // A Wayland session whose compositor cannot hold the lock for the program: each lock also asks
    // logind to lock the session, so the desktop's own locker takes over the screen.
    void setLockThroughSessionLocker(bool on) { m_lockThroughSessionLocker = on; }

protected:
    void lockSessionThroughLogind();
    // The program's window with this native id; null when there is none.
    static QWindow* findWindow(WindowId id);

private:
    LogindPower& power();
    SessionLocker& session();
    void startGuard();
    void guardDied();

    // A guard that keeps dying is not started again: logind locks the session instead.
    static constexpr int kMostGuardRestarts = 3;
    // How long the lock waits for another program to let go of keyboard and pointer.
    static constexpr int kGrabWaitMs = 1000;

    std::unique_ptr<LogindClient> m_logind; // for the session locker; made at the first lock
    std::unique_ptr<SessionLocker> m_session;
    std::unique_ptr<LogindPower> m_power; // made at the first request: no bus is touched before
    PowerListener* m_powerListener = nullptr;
    bool m_screenSaverRunning = false;
    bool m_lockThroughSessionLocker = false;
    bool m_lockWarned = false;
    WindowId m_lockWindow = 0;
    std::unique_ptr<X11LockWatch> m_watch;
    LockGuard* m_guard = nullptr; // deletes itself once a finished guard has ended
    int m_guardRestarts = 0;
    std::unique_ptr<X11Pointer> m_pointer;
};

} // namespace quellor
