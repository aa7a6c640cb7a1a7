#pragma once
// The platform layer on a Linux desktop session: power actions through logind over the system
// bus, window queries through Qt's view of its own windows.

#include "platform.h"

#include <memory>

namespace quellor {

class LockGuard;
class LogindPower;
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
    ScreenPoint cursorPos() const override;
    WindowId foregroundWindow() const override;
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override;
    void setTopmost(WindowId window) override;
    std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) override;

private:
    LogindPower& power();
    std::unique_ptr<LogindPower> m_power; // made at the first request: no bus is touched before
    PowerListener* m_powerListener = nullptr;
    bool m_screenSaverRunning = false;
    WindowId m_lockWindow = 0;
    std::unique_ptr<X11LockWatch> m_watch;
    LockGuard* m_guard = nullptr; // deletes itself once a finished guard has ended
    std::unique_ptr<X11Pointer> m_pointer;
};

} // namespace quellor
