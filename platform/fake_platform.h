#pragma once
// SPDX-License-Identifier: MIT
// Recording fake of the platform layer for tests: every call that acts on the system is logged
// as text (e.g. "requestPower(Reboot)"), and queries answer what the test has set.

#include "platform.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quellor {

class FakePlatform : public Platform {
public:
    void requestPower(PowerAction action) override;
    void setPowerListener(PowerListener* listener) override { powerListener = listener; }
    void checkPower(PowerAction action) override { powerChecks.push_back(action); }
    void enableShutdownPrivilege() override;
    void setScreenSaverRunning(bool running) override;
    void setLockWindow(WindowId window) override;
    void whenLockHoldsInput(std::function<void(bool held)> show) override;
    ScreenPoint cursorPos() const override { return cursor; }
    WindowId foregroundWindow() const override { return foreground; }
    ScreenRect windowRect(WindowId window) const override;
    ScreenRect desktopRect() const override { return desktop; }
    void setTopmost(WindowId window) override;
    std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) override;

    // Calls that acted on the system, in order.
    std::vector<std::string> calls;
    // How many power requests asked for this action, or for any.
    int powerActions(PowerAction action) const;
    int powerActions() const;
    // The text a power request is logged as.
    static std::string powerCall(PowerAction action);

    // Where failures go, and the questions asked in advance, in order.
    PowerListener* powerListener = nullptr;
    std::vector<PowerAction> powerChecks;
    // Plays the system's answer: a failure of `action` for the listener.
    void failPower(PowerAction action, PowerFailure failure, bool advance = false,
                   std::vector<std::string> blockers = {});

    ScreenPoint cursor;
    WindowId foreground = 0;
    ScreenRect desktop{0, 0, 1024, 768};
    // Rectangles answered for windows; a window not listed answers its live geometry through
    // the resolver when one is set, else an empty rectangle.
    std::map<WindowId, ScreenRect> windows;
    std::function<ScreenRect(WindowId)> resolveWindow;
    bool screenSaverRunning = false;
    // Whether the lock holds its input at once; when not, it waits for the test to answer.
    bool lockInputAtOnce = true;
    std::function<void(bool held)> lockInputWait;
    WindowId lockWindow = 0;
    // Whether docks made here report crossings, and the observer of the one alive, for the test to
    // tell of a crossing.
    bool dockCrossings = false;
    DockObserver* dockObserver = nullptr;
};

} // namespace quellor
