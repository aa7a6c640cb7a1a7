#pragma once
// SPDX-License-Identifier: MIT
// Gives a Qt window a Wayland role of our choosing instead of the ordinary toplevel: a layer
// surface (docked at the top edge, or covering an output) or a session-lock surface. Qt creates
// no role of its own for a window with the bypass hint when QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT
// is set, so the role is ours to give, each time Qt creates the window's wl_surface (at its first
// showing and again after every hiding). The first configure is awaited before Qt may attach a
// buffer, as both protocols require; a lock surface also gets a black buffer of the configured
// size at once, since Qt commits its surfaces without one while setting them up.

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWindow>

class QScreen;

struct wl_surface;
struct wl_output;
struct wl_event_queue;

namespace quellor {

class LayerShell;
class SessionLock;
class SharedMemory;

enum class SurfaceKind {
    Dock,    // overlay layer, anchored top-left at the window's position, keyboard on demand
    Cover,   // overlay layer over the whole output, keyboard held
    Lock,    // session-lock surface of the window's output
    Centred, // overlay layer, centred on the output by the compositor, no keyboard
};

// The compositor's globals a role is made from; each may be null where the compositor lacks it.
struct RoleGlobals {
    LayerShell* shell = nullptr;
    SessionLock* lock = nullptr;
    SharedMemory* memory = nullptr;
};

// The signals of Qt's Wayland window the roles hang on, by name: Qt keeps them private.
inline constexpr const char* kQtSurfaceSignals[] = {"wlSurfaceCreated()", "wlSurfaceDestroyed()"};

class SurfaceRole : public QObject {
    Q_OBJECT
public:
    // Owned by the window; the globals outlive it. A window shown already is shown again, with a
    // new surface; `showing` says it is being shown now, before Qt has given its surface a role.
    SurfaceRole(QWindow* window, SurfaceKind kind, const RoleGlobals& globals, bool showing);

    static SurfaceRole* of(QWindow* window);
    ~SurfaceRole() override;

    SurfaceKind kind() const { return m_kind; }
    // Whether the window's current surface has its role and was configured.
    bool configured() const;

    // A dock holding the keyboard lets go of it, so that the window the program shows next gets it
    // (the compositor keeps the keyboard with a layer surface that has it, whatever opens).
    void releaseKeyboard();

    // The size the compositor asked for, for the kinds it sizes (cover and lock); empty before.
    QSize configuredSize() const { return m_size; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void surfaceCreated();
    void surfaceDestroyed();

private:
    class Role;
    class LayerRole;
    class LockRole;
    void attach(bool showing);
    bool hearSurfaces(QObject* platformWindow);
    void giveRole();
    bool makeLockRole(wl_surface* surface, wl_output* output, wl_event_queue* queue);
    void makeLayerRole(wl_surface* surface, wl_output* output, wl_event_queue* queue);
    void settleLockRole();
    QScreen* screen() const;
    void applyPosition();
    void restoreKeyboard();
    void holdKeyboardWhilePointed(bool hold);
    void applySize(QSize size);

    QPointer<QWindow> m_window;
    SurfaceKind m_kind;
    LayerShell* m_shell;
    SessionLock* m_lock;
    SharedMemory* m_memory;
    Role* m_role = nullptr;
    QSize m_size;
    bool m_keyboardReleased = false;
    bool m_spent = false; // the current surface's role was given up
};

} // namespace quellor
