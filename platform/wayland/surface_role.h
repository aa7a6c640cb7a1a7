#pragma once
// Gives a Qt window a Wayland role of our choosing instead of the ordinary toplevel: a layer
// surface (docked at the top edge, or covering an output) or a session-lock surface. Qt creates
// no role of its own for a window with the bypass hint when QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT
// is set, so the role is ours to give, each time Qt creates the window's wl_surface (at its first
// showing and again after every hiding). The first configure is awaited before Qt may attach a
// buffer, as both protocols require.

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWindow>

struct wl_surface;
struct wl_output;

namespace quellor {

class LayerShell;
class SessionLock;

enum class SurfaceKind {
    Dock,  // overlay layer, anchored top-left at the window's position, keyboard on demand
    Cover, // overlay layer over the whole output, keyboard held
    Lock,  // session-lock surface of the window's output
};

class SurfaceRole : public QObject {
    Q_OBJECT
public:
    // Owned by the window. `shell` or `lock` (whichever the kind needs) outlives it. A window
    // shown already is shown again, with a new surface; `showing` says it is being shown now,
    // before Qt has given its surface a role.
    SurfaceRole(QWindow* window, SurfaceKind kind, LayerShell* shell, SessionLock* lock, bool showing);

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
    void giveRole();
    void applyPosition();
    void restoreKeyboard();
    void holdKeyboardWhilePointed(bool hold);
    void applySize(QSize size);

    QPointer<QWindow> m_window;
    SurfaceKind m_kind;
    LayerShell* m_shell;
    SessionLock* m_lock;
    Role* m_role = nullptr;
    QSize m_size;
    bool m_keyboardReleased = false;
};

} // namespace quellor
