// SPDX-License-Identifier: MIT

#include "surface_role.h"

#include "solid_buffer.h"
#include "wayland_globals.h"

#include <QGuiApplication>
#include <QMetaMethod>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <wayland-client.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace quellor {

namespace {

constexpr const char* kNamespace = "quellor";
// Round trips to wait for a first configure, which compositors send at once.
constexpr int kConfigureTries = 10;

const char* roleName(SurfaceKind kind) {
    switch (kind) {
    case SurfaceKind::Dock:
        return "the dock's layer surface";
    case SurfaceKind::Cover:
        return "the lock's cover";
    case SurfaceKind::Lock:
        return "the lock's session-lock surface";
    case SurfaceKind::Centred:
        return "the splash's layer surface";
    }
    return "";
}

void report(SurfaceKind kind, const char* what) {
    std::fprintf(stderr, "quellor: Qt %s: %s; %s is not given\n", qVersion(), what, roleName(kind));
}

wl_surface* surfaceOf(QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native || !window || !window->handle()) {
        return nullptr;
    }
    return static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
}

// Qt's Wayland window is a QObject behind its platform-window face; its signals tell when the
// wl_surface is made and unmade.
QObject* platformWindowObject(QWindow* window) {
    return window && window->handle() ? dynamic_cast<QObject*>(window->handle()) : nullptr;
}

// A wrapper of `factory` whose new objects land on `queue`, so their first events can be awaited
// without dispatching anything of Qt's.
template <class T> T* onQueue(T* factory, wl_event_queue* queue) {
    auto* wrapper = static_cast<T*>(wl_proxy_create_wrapper(factory));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    return wrapper;
}

} // namespace

class SurfaceRole::Role {
public:
    virtual ~Role() = default;
    virtual wl_proxy* proxy() = 0;
    bool configured = false;
};

class SurfaceRole::LayerRole : public Role, public QtWayland::zwlr_layer_surface_v1 {
public:
    explicit LayerRole(SurfaceRole& owner) : m_owner(owner) {}
    ~LayerRole() override {
        if (isInitialized()) {
            destroy();
        }
    }
    wl_proxy* proxy() override { return reinterpret_cast<wl_proxy*>(object()); }

protected:
    void zwlr_layer_surface_v1_configure(uint32_t serial, uint32_t width, uint32_t height) override {
        ack_configure(serial);
        configured = true;
        m_owner.m_size = QSize(int(width), int(height));
    }
    // The output went away; the window gets a new surface at its next showing.
    void zwlr_layer_surface_v1_closed() override {}

private:
    SurfaceRole& m_owner;
};

class SurfaceRole::LockRole : public Role, public QtWayland::ext_session_lock_surface_v1 {
public:
    LockRole(SurfaceRole& owner, SessionLock& lock, wl_output* output)
        : m_owner(owner), m_lock(lock), m_output(output) {}
    ~LockRole() override {
        if (isInitialized()) {
            destroy();
        }
        m_lock.releaseOutput(m_output);
    }
    wl_proxy* proxy() override { return reinterpret_cast<wl_proxy*>(object()); }

    // Acknowledges the last configure and shows black at its size, so that whatever Qt commits
    // from now on has a buffer, until its own of the same size replaces it.
    bool settle(wl_surface* surface, const SharedMemory& memory, int scale) {
        if (!m_serial) {
            return true;
        }
        ack_configure(*m_serial);
        m_serial.reset();
        return m_black.commitTo(memory, surface, size, scale);
    }
    bool unsettled() const { return m_serial.has_value(); }
    QSize size;

protected:
    void ext_session_lock_surface_v1_configure(uint32_t serial, uint32_t width, uint32_t height) override {
        m_serial = serial;
        size = QSize(int(width), int(height));
        const bool first = !configured;
        configured = true;
        // The first is settled by giveRole before Qt goes on; a later one (the output's new mode)
        // outside the compositor's event dispatch, once what Qt drew at the old size is out.
        if (!first) {
            QTimer::singleShot(0, &m_owner, [o = &m_owner] { o->settleLockRole(); });
        }
    }

private:
    SurfaceRole& m_owner;
    SessionLock& m_lock;
    wl_output* m_output;
    std::optional<uint32_t> m_serial;
    SolidBuffer m_black;
};

SurfaceRole::SurfaceRole(QWindow* window, SurfaceKind kind, const RoleGlobals& globals, bool showing)
    : QObject(window), m_window(window), m_kind(kind), m_shell(globals.shell), m_lock(globals.lock),
      m_memory(globals.memory) {
    setObjectName(QStringLiteral("SurfaceRole"));
    window->installEventFilter(this);
    // A role object must go before its surface. Qt 6.8 destroys the surface first and says so
    // after; the window's going invisible comes before either, as does its platform window's end.
    connect(window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) {
            surfaceDestroyed();
        }
    });
    attach(showing);
}

SurfaceRole* SurfaceRole::of(QWindow* window) {
    return window ? window->findChild<SurfaceRole*>(QStringLiteral("SurfaceRole"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

SurfaceRole::~SurfaceRole() {
    delete m_role;
}

bool SurfaceRole::configured() const {
    return m_role && m_role->configured;
}

void SurfaceRole::attach(bool showing) {
    // Without a role of Qt's own, the surface is ours to give one.
    m_window->setFlag(Qt::BypassWindowManagerHint, true);
    if (m_kind != SurfaceKind::Dock) {
        // No window can appear above this one: its message boxes show inside it (the name is the
        // one runtime/message_box.h reads).
        m_window->setProperty("quellorDialogsInside", true);
    }
    m_window->create();
    if (!hearSurfaces(platformWindowObject(m_window))) {
        return;
    }
    if (m_window->isVisible() && !showing) {
        // Shown already with Qt's ordinary role: only a new surface can take ours.
        m_window->hide();
        m_window->show();
    } else {
        giveRole();
    }
}

bool SurfaceRole::hearSurfaces(QObject* pw) {
    // Checked here, where it is made: a Qt that renamed them would otherwise leave the window
    // without its role and without a word.
    if (!pw) {
        report(m_kind, "its window has no Wayland window object");
        return false;
    }
    const char* slots[] = {"surfaceCreated()", "surfaceDestroyed()"};
    for (int i = 0; i < 2; ++i) {
        const int signal = pw->metaObject()->indexOfSignal(kQtSurfaceSignals[i]);
        if (signal < 0) {
            const std::string what = std::string("its Wayland window has no signal ") + kQtSurfaceSignals[i];
            report(m_kind, what.c_str());
            return false;
        }
        connect(pw, pw->metaObject()->method(signal), this,
                metaObject()->method(metaObject()->indexOfSlot(slots[i])),
                Qt::ConnectionType(Qt::UniqueConnection | Qt::DirectConnection));
    }
    return true;
}

void SurfaceRole::surfaceCreated() {
    giveRole();
}

void SurfaceRole::surfaceDestroyed() {
    delete m_role;
    m_role = nullptr;
    m_spent = false;
    m_keyboardReleased = false;
}

void SurfaceRole::giveRole() {
    if (m_role || m_spent || !m_window) {
        return;
    }
    wl_surface* surface = surfaceOf(m_window);
    wl_display* display = qtWaylandDisplay();
    if (!surface || !display) {
        return;
    }
    wl_output* output = qtWaylandOutput(screen());
    wl_event_queue* queue = wl_display_create_queue(display);
    if (m_kind == SurfaceKind::Lock) {
        if (!makeLockRole(surface, output, queue)) {
            wl_event_queue_destroy(queue);
            return;
        }
    } else if (m_shell && m_shell->isActive()) {
        makeLayerRole(surface, output, queue);
    } else {
        wl_event_queue_destroy(queue);
        return;
    }
    // Qt may attach its first buffer only after the first configure has been acknowledged.
    for (int i = 0; i < kConfigureTries && !m_role->configured; ++i) {
        if (wl_display_roundtrip_queue(display, queue) < 0) {
            break;
        }
    }
    wl_proxy_set_queue(m_role->proxy(), nullptr);
    wl_event_queue_destroy(queue);
    if (m_kind == SurfaceKind::Lock) {
        auto* lock = static_cast<LockRole*>(m_role);
        const int scale = int(std::ceil(m_window->devicePixelRatio()));
        if (!lock->configured || !m_memory || !lock->settle(surface, *m_memory, scale)) {
            // Before anything was committed: the surface stays without content, and the
            // compositor shows its own colour on that output, still locked.
            std::fprintf(stderr,
                         "quellor: the compositor did not configure a lock surface, or no buffer could "
                         "be made; its output shows the compositor's lock colour\n");
            delete std::exchange(m_role, nullptr);
            // Qt commits to this surface from now on: it can take no role again.
            m_spent = true;
            return;
        }
        m_size = lock->size;
    }
    if (m_kind == SurfaceKind::Cover || m_kind == SurfaceKind::Lock) {
        applySize(m_size);
    }
}

bool SurfaceRole::makeLockRole(wl_surface* surface, wl_output* output, wl_event_queue* queue) {
    // One lock surface per output: another window of the lock that lands on a covered output stays
    // without a role (and unseen).
    if (!m_lock || !m_lock->requested() || !output || !m_lock->claimOutput(output)) {
        return false;
    }
    auto* factory = onQueue(m_lock->object(), queue);
    auto* role = new LockRole(*this, *m_lock, output);
    role->init(ext_session_lock_v1_get_lock_surface(factory, surface, output));
    wl_proxy_wrapper_destroy(factory);
    m_role = role;
    // Configured at once; nothing may be committed before the first acknowledgement.
    return true;
}

void SurfaceRole::makeLayerRole(wl_surface* surface, wl_output* output, wl_event_queue* queue) {
    using Surface = QtWayland::zwlr_layer_surface_v1;
    auto* factory = onQueue(m_shell->object(), queue);
    auto* role = new LayerRole(*this);
    role->init(zwlr_layer_shell_v1_get_layer_surface(
        factory, surface, output, QtWayland::zwlr_layer_shell_v1::layer_overlay, kNamespace));
    wl_proxy_wrapper_destroy(factory);
    m_role = role;
    // Nothing reserved, and other surfaces' reserved zones are ignored: the dock parks at the very
    // edge, a cover covers everything, the splash is centred on the whole output.
    role->set_exclusive_zone(-1);
    switch (m_kind) {
    case SurfaceKind::Dock:
        role->set_anchor(Surface::anchor_top | Surface::anchor_left);
        role->set_keyboard_interactivity(m_shell->onDemandKeyboard()
                                             ? Surface::keyboard_interactivity_on_demand
                                             : Surface::keyboard_interactivity_none);
        applyPosition();
        break;
    case SurfaceKind::Centred:
        // No anchor: the compositor centres it, as the program centres it on X11.
        role->set_size(uint32_t(m_window->width()), uint32_t(m_window->height()));
        role->set_keyboard_interactivity(Surface::keyboard_interactivity_none);
        break;
    default:
        role->set_anchor(Surface::anchor_top | Surface::anchor_bottom | Surface::anchor_left |
                         Surface::anchor_right);
        role->set_size(0, 0);
        role->set_keyboard_interactivity(Surface::keyboard_interactivity_exclusive);
        break;
    }
    wl_surface_commit(surface);
}

void SurfaceRole::settleLockRole() {
    auto* lock = dynamic_cast<LockRole*>(m_role);
    wl_surface* surface = surfaceOf(m_window);
    if (!lock || !lock->unsettled() || !surface || !m_memory) {
        return;
    }
    // What Qt drew at the old size reaches the compositor under the old configure; then the new
    // one is acknowledged with black of its size, and the window takes that size before it paints.
    QWindowSystemInterface::flushWindowSystemEvents();
    if (m_role != lock) {
        return;
    }
    lock->settle(surface, *m_memory, int(std::ceil(m_window->devicePixelRatio())));
    m_size = lock->size;
    applySize(m_size);
}

void SurfaceRole::releaseKeyboard() {
    auto* layer = dynamic_cast<LayerRole*>(m_role);
    wl_surface* surface = surfaceOf(m_window);
    if (m_kind != SurfaceKind::Dock || !layer || !surface || !m_shell->onDemandKeyboard()) {
        return;
    }
    layer->set_keyboard_interactivity(QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_none);
    wl_surface_commit(surface);
    // On demand again once the pointer comes back, so that a click takes it back.
    m_keyboardReleased = true;
}

void SurfaceRole::restoreKeyboard() {
    auto* layer = dynamic_cast<LayerRole*>(m_role);
    wl_surface* surface = surfaceOf(m_window);
    if (!m_keyboardReleased || !layer || !surface) {
        return;
    }
    m_keyboardReleased = false;
    layer->set_keyboard_interactivity(QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_on_demand);
    wl_surface_commit(surface);
}

void SurfaceRole::holdKeyboardWhilePointed(bool hold) {
    // Before version 4 a layer surface either holds the keyboard or never gets it; the dock holds
    // it while the pointer is over it, so the time fields can still be typed into.
    auto* layer = dynamic_cast<LayerRole*>(m_role);
    wl_surface* surface = surfaceOf(m_window);
    if (m_kind != SurfaceKind::Dock || !layer || !surface || m_shell->onDemandKeyboard()) {
        return;
    }
    layer->set_keyboard_interactivity(hold
                                          ? QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_exclusive
                                          : QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_none);
    wl_surface_commit(surface);
}

QScreen* SurfaceRole::screen() const {
    // Where the program put the window: Qt's idea of a window's screen can lag behind its moves.
    // A parked dock lies above its screen but for its bottom rows.
    const QRect g = m_window->geometry();
    const QPoint at = m_kind == SurfaceKind::Dock ? QPoint(g.center().x(), g.bottom()) : g.center();
    QScreen* placed = QGuiApplication::screenAt(at);
    return placed ? placed : m_window->screen();
}

void SurfaceRole::applyPosition() {
    auto* layer = dynamic_cast<LayerRole*>(m_role);
    if (!layer || !m_window) {
        return;
    }
    // Margins from the output's corner: the compositor places the surface there, so the window is
    // where the program put it, above the top edge when parked.
    const QRect g = m_window->geometry();
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    layer->set_size(uint32_t(g.width()), uint32_t(g.height()));
    layer->set_margin(g.y() - origin.y(), 0, 0, g.x() - origin.x());
}

void SurfaceRole::applySize(QSize size) {
    if (!m_window || size.isEmpty() || m_window->size() == size) {
        return;
    }
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    m_window->setGeometry(QRect(origin, size));
    // The widget learns its new size before it paints again: its next buffer must have it.
    QWindowSystemInterface::flushWindowSystemEvents();
}

bool SurfaceRole::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
        giveRole();
        break;
    case QEvent::Enter:
        restoreKeyboard();
        holdKeyboardWhilePointed(true);
        break;
    case QEvent::Leave:
        holdKeyboardWhilePointed(false);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (m_kind == SurfaceKind::Centred && m_role) {
            static_cast<LayerRole*>(m_role)->set_size(uint32_t(m_window->width()),
                                                      uint32_t(m_window->height()));
            if (wl_surface* surface = surfaceOf(m_window)) {
                wl_surface_commit(surface);
            }
        }
        if (m_kind == SurfaceKind::Dock && m_role) {
            applyPosition();
            if (wl_surface* surface = surfaceOf(m_window)) {
                wl_surface_commit(surface);
            }
        }
        break;
    case QEvent::PlatformSurface:
        if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
            surfaceDestroyed();
        } else {
            // A new platform window (the window was re-created): hear of its surfaces too.
            QTimer::singleShot(0, this, [this] { hearSurfaces(platformWindowObject(m_window)); });
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace quellor
