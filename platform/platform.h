#pragma once
// SPDX-License-Identifier: MIT
// Everything the program asks of the operating system goes through this interface, so the
// Linux and Windows implementations sit side by side and tests inject a recording fake.
// No Qt types: the Windows implementation is plain Win32.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quellor {

// Native window handle: an X11 window id or an HWND.
using WindowId = std::uintptr_t;

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Screen pixels; right and bottom are exclusive, as the Win32 RECT is.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// What the program asks of the system's power and session; each implementation maps these to
// its own mechanism.
enum class PowerAction {
    PowerOff,     // shut down and power off, closing programs without asking
    Reboot,       // restart, closing programs without asking
    EndSession,   // log the user off, closing programs without asking
    PoliteLogoff, // log the user off, forcing only programs that do not respond
};

// Why the system did not, or would not, carry out a power action.
enum class PowerFailure {
    ServiceMissing,         // nothing on the system answers for power and sessions
    AccessDenied,           // the user may not do it
    AuthenticationRequired, // only with an administrator's password
    Inhibited,              // other programs hold it off; `blockers` names them
    NoAnswer,               // the system did not reply in time
    NotSupported,           // this machine cannot do it
    NoSession,              // a log-off found no session of the program's to end
    Other,                  // anything else; `detail` holds the system's own words
};

struct PowerReport {
    PowerAction action = PowerAction::PowerOff;
    bool advance = false; // the answer to checkPower, not a failed request
    PowerFailure failure = PowerFailure::Other;
    std::vector<std::string> blockers; // programs holding a blocking inhibitor
    std::string detail;
};

// Told, on the user-interface thread, of each power request that failed and of each question
// in advance that found the action would fail. Success is not reported.
class PowerListener {
public:
    virtual ~PowerListener() = default;
    virtual void powerFailed(const PowerReport& report) = 0;
};

// Told when the pointer crosses into or out of a dock window's visible part, so the dock need not
// poll the pointer while it is away. A hint to check the pointer against, not a verdict: the window
// system may report a crossing the pointer did not make (another client's grab, a window appearing
// over the dock).
class DockObserver {
public:
    virtual void pointerEntered() = 0;
    virtual void pointerLeft() = 0;

protected:
    ~DockObserver() = default;
};

// While this lives, the platform keeps the window a dock: where the program puts it even mostly off
// the screen, above ordinary windows, and taking the keyboard focus when clicked.
class DockWindow {
public:
    virtual ~DockWindow() = default;
    // Whether crossings reach the observer; without them the dock polls the pointer.
    virtual bool reportsCrossings() const = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Returns at once; a failure reaches the power listener later. A request while the same
    // action is still awaiting its answer is not sent again.
    virtual void requestPower(PowerAction action) = 0;
    virtual void setPowerListener(PowerListener* listener) { (void)listener; }
    // Asks whether the action would be allowed now, without doing it; only a "no" is reported.
    virtual void checkPower(PowerAction action) { (void)action; }
    virtual void enableShutdownPrivilege() = 0;

    // While running, the system's own key combinations must not switch away from the lock.
    virtual void setScreenSaverRunning(bool running) = 0;
    // The lock window that holds the keyboard and pointer while the screen saver runs; 0 for none.
    // Where the flag alone keeps the user in, the window is not needed.
    virtual void setLockWindow(WindowId window) { (void)window; }
    // Calls `show` when the lock window may be seen: once it holds keyboard and pointer where it
    // must hold them itself, else at once. Where another program keeps them for a second, the
    // session's own locker is asked to lock the session as well, and `show` is told with false.
    virtual void whenLockHoldsInput(std::function<void(bool held)> show) { show(true); }
    // Where the lock cannot keep every other program from the screen and the keyboard by itself,
    // the platform also has the session's own locker lock the session. True the first time that
    // is so in a run, for the lock to tell the user why, once.
    virtual bool lockNeedsWarning() { return false; }

    virtual ScreenPoint cursorPos() const = 0;
    virtual WindowId foregroundWindow() const = 0;
    virtual ScreenRect windowRect(WindowId window) const = 0;
    virtual ScreenRect desktopRect() const = 0;
    virtual void setTopmost(WindowId window) = 0;

    // Makes the window a dock, before it is first shown where possible; null where the window system
    // needs nothing beyond setTopmost. The observer must outlive the returned object.
    virtual std::unique_ptr<DockWindow> makeDock(WindowId window, DockObserver& observer) {
        (void)window;
        (void)observer;
        return nullptr;
    }
};

} // namespace quellor
