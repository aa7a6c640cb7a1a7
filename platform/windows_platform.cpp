// SPDX-License-Identifier: MIT

#include "windows_platform.h"

namespace quellor {

namespace {

HWND toHwnd(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

ScreenRect toScreenRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

UINT exitWindowsFlags(PowerAction action) {
    switch (action) {
    case PowerAction::PowerOff:
        return EWX_POWEROFF | EWX_FORCE;
    case PowerAction::Reboot:
        return EWX_REBOOT | EWX_FORCE;
    case PowerAction::EndSession:
        return EWX_LOGOFF | EWX_FORCE;
    case PowerAction::PoliteLogoff:
        return EWX_LOGOFF | EWX_FORCEIFHUNG;
    }
    return EWX_LOGOFF | EWX_FORCEIFHUNG; // not reached: every action is handled above
}

} // namespace

void WindowsPlatform::requestPower(PowerAction action) {
    m_api.exitWindowsEx(exitWindowsFlags(action), 0);
}

void WindowsPlatform::enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!m_api.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return; // no token to adjust: the power actions are tried regardless
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // An empty system name is the local machine. Without the identifier there is nothing
    // meaningful to enable.
    if (m_api.lookupPrivilegeValueA("", "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        // The previous state goes into a buffer of one privilege, 16 bytes; it is not read.
        TOKEN_PRIVILEGES previous{};
        static_assert(sizeof(previous) == 16);
        DWORD returned = 0;
        m_api.adjustTokenPrivileges(token, FALSE, &privileges, sizeof(previous), &previous, &returned);
    }
    m_api.closeHandle(token);
}

void WindowsPlatform::setScreenSaverRunning(bool running) {
    UINT previous = 0; // scratch: the old state is not wanted
    m_api.systemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

ScreenPoint WindowsPlatform::cursorPos() const {
    POINT p{};
    if (m_api.getCursorPos(&p)) {
        m_lastCursor = {static_cast<int>(p.x), static_cast<int>(p.y)};
        m_cursorSeen = true;
    } else if (!m_cursorSeen) {
        const ScreenRect desktop = desktopRect();
        return {(desktop.left + desktop.right) / 2, (desktop.top + desktop.bottom) / 2};
    }
    return m_lastCursor;
}

WindowId WindowsPlatform::foregroundWindow() const {
    return reinterpret_cast<WindowId>(m_api.getForegroundWindow());
}

ScreenRect WindowsPlatform::windowRect(WindowId window) const {
    RECT r{};
    if (!m_api.getWindowRect(toHwnd(window), &r)) {
        return {}; // a window that is gone has no place
    }
    return toScreenRect(r);
}

ScreenRect WindowsPlatform::desktopRect() const {
    return windowRect(reinterpret_cast<WindowId>(m_api.getDesktopWindow()));
}

void WindowsPlatform::setTopmost(WindowId window) {
    m_api.setWindowPos(toHwnd(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace quellor
