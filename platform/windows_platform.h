#pragma once
// SPDX-License-Identifier: MIT
// The platform layer on Windows: plain Win32 calls, through a table the tests can replace.

#include "platform.h"
#include "win32_api.h"

namespace quellor {

class WindowsPlatform : public Platform {
public:
    explicit WindowsPlatform(Win32Api api = {}) : m_api(api) {}

    void requestPower(PowerAction action) override;
    void enableShutdownPrivilege() override;
    void setScreenSaverRunning(bool running) override;
    ScreenPoint cursorPos() const override;
    WindowId foregroundWindow() const override;
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override;
    void setTopmost(WindowId window) override;

private:
    Win32Api m_api;
    // GetCursorPos fails while another desktop has the input (the secure attention screen, a
    // consent prompt). Answering (0, 0) then would read as the pointer touching the top edge,
    // so the last position seen stands in until the pointer is ours again.
    mutable ScreenPoint m_lastCursor;
    mutable bool m_cursorSeen = false;
};

} // namespace quellor
