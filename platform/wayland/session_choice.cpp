// SPDX-License-Identifier: MIT

#include "session_choice.h"

#ifdef QUELLOR_WAYLAND
#include "wayland_probe.h"
#endif

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace quellor {

namespace {

std::string yesNo(bool b) {
    return b ? "yes" : "no";
}

std::string protocols(const WaylandGlobals& g) {
    return "wlr-layer-shell " + yesNo(g.layerShell) + ", ext-session-lock " + yesNo(g.sessionLock);
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

SessionChoice chooseSession(const SessionEnvironment& env, const std::optional<WaylandGlobals>& globals) {
    SessionChoice c;
    const bool wayland = !env.waylandDisplay.empty() && globals.has_value();
    if (wayland) {
        c.globals = *globals;
    }
    // The roles would be given blind: the path taken is the one for a compositor offering neither.
    const std::string offered = wayland ? protocols(c.globals) : std::string();
    const std::string qtBroke = env.qtLacks.empty() ? std::string() : ", but " + env.qtLacks;
    if (!env.qtLacks.empty()) {
        c.globals = {};
    }
    if (!env.qpaPlatform.empty()) {
        c.path = SessionPath::UserPlatform;
        // The user's list is tried in order; its first entry is what Qt will most likely run.
        c.onWayland = wayland && env.qpaPlatform.rfind("wayland", 0) == 0;
        c.lockNeedsSessionLocker = !env.waylandDisplay.empty() && !(c.onWayland && c.globals.sessionLock);
        c.reason = "QT_QPA_PLATFORM=" + env.qpaPlatform + " set by the user";
        if (wayland) {
            c.reason += "; the compositor offers " + offered + qtBroke;
        }
        return c;
    }
    if (env.waylandDisplay.empty()) {
        c.reason = "X11 session";
        return c;
    }
    if (!wayland) {
        // WAYLAND_DISPLAY names a compositor that does not answer: leave the platform to Qt.
        c.lockNeedsSessionLocker = true;
        c.reason = "WAYLAND_DISPLAY=" + env.waylandDisplay + " does not answer; the platform is left to Qt";
        return c;
    }
    const bool usable = c.globals.layerShell || c.globals.sessionLock;
    if (usable || env.x11Display.empty()) {
        c.path = SessionPath::WaylandNative;
        c.qpaPlatform = "wayland";
        c.onWayland = true;
        c.lockNeedsSessionLocker = !c.globals.sessionLock;
        c.reason = "Wayland session, " + offered + qtBroke + ": Wayland platform";
        if (!usable) {
            c.reason += " (no X server for XWayland: the dock cannot park, the lock cannot hold input)";
        }
        return c;
    }
    c.path = SessionPath::XWayland;
    c.qpaPlatform = "xcb";
    c.lockNeedsSessionLocker = true;
    c.reason = "Wayland session, " + offered + qtBroke + ": running through XWayland";
    return c;
}

SessionChoice decideSessionAtStart() {
    SessionEnvironment e{env("QT_QPA_PLATFORM"), env("WAYLAND_DISPLAY"), env("DISPLAY"), {}};
    std::optional<WaylandGlobals> globals;
#ifdef QUELLOR_WAYLAND
    if (!e.waylandDisplay.empty()) {
        globals = probeWaylandGlobals();
        if (const std::string lacks = missingQtWaylandHooks(); !lacks.empty()) {
            e.qtLacks =
                std::string("Qt ") + qVersion() + " broke the dock's and the lock's roles (" + lacks + ")";
        }
    }
#endif
    SessionChoice c = chooseSession(e, globals);
    if (!c.qpaPlatform.empty()) {
        ::setenv("QT_QPA_PLATFORM", c.qpaPlatform.c_str(), 1);
    }
    if (c.onWayland && (c.globals.layerShell || c.globals.sessionLock)) {
        // Windows with the bypass hint get no role from Qt, so the program can give them its own,
        // and a window stays where the program puts it (Qt otherwise pins every window to its
        // screen's corner, which would undo the dock's moves).
        ::setenv("QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT", "1", 1);
        ::setenv("QT_WAYLAND_DISABLE_FIXED_POSITIONS", "1", 1);
    }
    std::fprintf(stderr, "quellor: %s\n", c.reason.c_str());
    return c;
}

} // namespace quellor
