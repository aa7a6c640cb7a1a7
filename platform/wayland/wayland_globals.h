#pragma once
// The two compositor globals the program speaks, bound over Qt's own Wayland connection.

#include "qwayland-ext-session-lock-v1.h"
#include "qwayland-wlr-layer-shell-unstable-v1.h"

#include <QtWaylandClient/QWaylandClientExtensionTemplate>

#include <QObject>

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
    // Lets go: unlock-and-destroy once locked, a plain destroy before.
    void unlock();
    bool requested() const { return isInitialized(); }
    bool locked() const { return m_locked; }

Q_SIGNALS:
    void lockedChanged(bool locked);
    // The compositor refused or ended the lock (another locker holds the session, say).
    void refused();

protected:
    void ext_session_lock_v1_locked() override;
    void ext_session_lock_v1_finished() override;

private:
    SessionLockManager& m_manager;
    bool m_locked = false;
};

} // namespace quellor
