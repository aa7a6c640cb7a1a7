#pragma once
// The platform layer on Windows: plain Win32 calls.

#include "platform.h"

namespace quellor {

class WindowsPlatform : public Platform {
public:
    void exitWindows(unsigned flags) override;
    void enableShutdownPrivilege() override;
    void setScreenSaverRunning(bool running) override;
    ScreenPoint cursorPos() const override;
    WindowId foregroundWindow() const override;
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override;
    void setTopmost(WindowId window) override;
};

} // namespace quellor
