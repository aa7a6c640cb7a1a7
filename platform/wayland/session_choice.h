#pragma once
// SPDX-License-Identifier: MIT
// Which window system the program talks to, decided once before the application object exists.
// A Wayland client can neither place its own window nor hold the keyboard: only two compositor
// protocols let the dock park and the lock hold, so the choice turns on whether the compositor
// offers them. Where it offers neither, the program runs through XWayland, where it can at least
// place its windows, and the lock hands the session to the desktop's own locker as well.

#include <optional>
#include <string>

namespace quellor {

// What a Wayland compositor advertised in its registry.
struct WaylandGlobals {
    bool layerShell = false;  // zwlr_layer_shell_v1
    bool sessionLock = false; // ext_session_lock_manager_v1
    bool operator==(const WaylandGlobals&) const = default;
};

// The environment the choice reads; empty means unset.
struct SessionEnvironment {
    std::string qpaPlatform;    // QT_QPA_PLATFORM, as the user set it
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string x11Display;     // DISPLAY
    // What the running Qt lacks that the layer-shell and session-lock roles hang on ("Qt 6.x: ..."):
    // with it, those roles cannot be given, whatever the compositor offers.
    std::string qtLacks;
};

enum class SessionPath {
    X11,           // an X11 session (or no Wayland compositor to speak of)
    WaylandNative, // Qt's wayland platform, with whichever of the two protocols there are
    XWayland,      // a Wayland session run through its X server
    UserPlatform,  // QT_QPA_PLATFORM set by the user, taken as it is
};

struct SessionChoice {
    SessionPath path = SessionPath::X11;
    // Set only when the program picks the Qt platform itself; the user's choice is never replaced.
    std::string qpaPlatform;
    WaylandGlobals globals;
    // The Qt platform runs on a Wayland compositor (natively, not through XWayland).
    bool onWayland = false;
    // A Wayland session whose compositor the program cannot ask to hold the lock: the desktop's
    // own locker has to be asked too.
    bool lockNeedsSessionLocker = false;
    std::string reason; // one line for standard error
};

// `globals` is what the compositor at WAYLAND_DISPLAY offered, nullopt when it could not be asked.
SessionChoice chooseSession(const SessionEnvironment& env, const std::optional<WaylandGlobals>& globals);

// Reads the environment, asks the compositor, sets QT_QPA_PLATFORM where the program picks the
// platform, and logs the choice on standard error. Call before the application object exists.
SessionChoice decideSessionAtStart();

} // namespace quellor
