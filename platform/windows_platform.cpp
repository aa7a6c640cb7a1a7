#include "windows_platform.h"

#include <windows.h>

namespace quellor {

void WindowsPlatform::exitWindows(unsigned flags) {
    ExitWindowsEx(flags, 0);
}

void WindowsPlatform::enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    TOKEN_PRIVILEGES privileges{};
    LookupPrivilegeValueA("", "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(previous), &previous, &returned);
    CloseHandle(token);
}

void WindowsPlatform::setScreenSaverRunning(bool running) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

ScreenPoint WindowsPlatform::cursorPos() const {
    POINT p{};
    GetCursorPos(&p);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

WindowId WindowsPlatform::foregroundWindow() const {
    return reinterpret_cast<WindowId>(GetForegroundWindow());
}

ScreenRect WindowsPlatform::windowRect(WindowId window) const {
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(window), &r);
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

ScreenRect WindowsPlatform::desktopRect() const {
    RECT r{};
    GetWindowRect(GetDesktopWindow(), &r);
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

void WindowsPlatform::setTopmost(WindowId window) {
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace quellor
