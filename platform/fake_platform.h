#pragma once
// Recording fake of the platform layer for tests: every call that acts on the system is logged
// as text (e.g. "exitWindows(6)"), and queries answer what the test has set.

#include "platform.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quellor {

class FakePlatform : public Platform {
public:
    void exitWindows(unsigned flags) override;
    void enableShutdownPrivilege() override;
    void setScreenSaverRunning(bool running) override;
    void setLockWindow(WindowId window) override;
    ScreenPoint cursorPos() const override { return cursor; }
    WindowId foregroundWindow() const override { return foreground; }
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override { return desktop; }
    void setTopmost(WindowId window) override;
    std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) override;

    // Calls that acted on the system, in order.
    std::vector<std::string> calls;
    // How many exitWindows calls had these flags.
    int powerActions(unsigned flags) const;
    int powerActions() const;

    ScreenPoint cursor;
    WindowId foreground = 0;
    ScreenRect desktop{0, 0, 1024, 768};
    // Rectangles answered for windows; a window not listed answers its live geometry through
    // the resolver when one is set, else an empty rectangle.
    std::map<WindowId, ScreenRect> windows;
    std::function<ScreenRect(WindowId)> resolveWindow;
    bool screenSaverRunning = false;
    WindowId lockWindow = 0;
    // Whether docks made here report crossings, and the observer of the one alive, for the test to
    // tell of a crossing.
    bool dockCrossings = false;
    DockObserver* dockObserver = nullptr;
};

} // namespace quellor
