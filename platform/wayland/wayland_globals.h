#pragma once
// SPDX-License-Identifier: MIT
// The two compositor globals the program speaks, bound over Qt's own Wayland connection.

#include "qwayland-ext-session-lock-v1.h"
#include "qwayland-wlr-layer-shell-unstable-v1.h"

#include <QtWaylandClient/QWaylandClientExtensionTemplate>

#include <QObject>

#include <set>

struct wl_display;
struct wl_output;

class QScreen;

namespace quellor {

// Qt's connection to the compositor; null off Wayland.
wl_display* qtWaylandDisplay();
// The wl_output Qt holds for a screen; null when it has none.
wl_output* qtWaylandOutput(QScreen* screen);

class LayerShell : public QWaylandClientExtensionTemplate<LayerShell>, public QtWayland::zwlr_layer_shell_v1 {
public:
    // Version 4 brings keyboard focus on demand; older compositors get what they have.
    LayerShell();
    ~LayerShell() override;
    bool onDemandKeyboard() const;
};

class SessionLockManager : public QWaylandClientExtensionTemplate<SessionLockManager>,
                           public QtWayland::ext_session_lock_manager_v1 {
public:
    SessionLockManager();
    ~SessionLockManager() override;
};

// The session lock: once the compositor confirms it, the outputs show only lock surfaces and
// input goes only to them, until unlock(). Should the program end before, the session stays
// locked: the compositor, not the program, lets go.
class SessionLock : public QObject, public QtWayland::ext_session_lock_v1 {
    Q_OBJECT
public:
    explicit SessionLock(SessionLockManager& manager);
    ~SessionLock() override;

    bool available() const { return m_manager.isActive(); }
    // Asks for the lock; false when the compositor offers none.
    bool lock();
    // Lets go with unlock-and-destroy. Before the compositor has said locked, that answer is
    // awaited: a plain destroy after it was sent would be an error, and it may be on its way.
    void unlock();
    bool requested() const { return isInitialized() && !m_unlockWanted; }
    bool locked() const { return m_locked; }

    // One lock surface per output: false when `output` has one already.
    bool claimOutput(wl_output* output);
    void releaseOutput(wl_output* output);

Q_SIGNALS:
    void lockedChanged(bool locked);
    // The compositor refused or ended the lock (another locker holds the session, say).
    void refused();

protected:
    void ext_session_lock_v1_locked() override;
    void ext_session_lock_v1_finished() override;

private:
    void finish();
    SessionLockManager& m_manager;
    bool m_locked = false;
    bool m_unlockWanted = false;
    std::set<wl_output*> m_outputs;
};

} // namespace quellor
