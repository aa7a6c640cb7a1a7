#include "surface_role.h"

#include "wayland_globals.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <wayland-client.h>

namespace quellor {

namespace {

constexpr const char* kNamespace = "quellor";

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
    explicit LockRole(SurfaceRole& owner) : m_owner(owner) {}
    ~LockRole() override {
        if (isInitialized()) {
            destroy();
        }
    }
    wl_proxy* proxy() override { return reinterpret_cast<wl_proxy*>(object()); }

protected:
    void ext_session_lock_surface_v1_configure(uint32_t serial, uint32_t width, uint32_t height) override {
        ack_configure(serial);
        const bool first = !configured;
        configured = true;
        m_owner.m_size = QSize(int(width), int(height));
        // The next buffer must have this size; later changes (an output's new mode) are applied
        // outside the compositor's event dispatch.
        if (!first) {
            QTimer::singleShot(0, &m_owner, [o = &m_owner] { o->applySize(o->m_size); });
        }
    }

private:
    SurfaceRole& m_owner;
};

SurfaceRole::SurfaceRole(QWindow* window, SurfaceKind kind, LayerShell* shell, SessionLock* lock,
                         bool showing)
    : QObject(window), m_window(window), m_kind(kind), m_shell(shell), m_lock(lock) {
    setObjectName(QStringLiteral("SurfaceRole"));
    window->installEventFilter(this);
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
    if (QObject* pw = platformWindowObject(m_window)) {
        connect(pw, SIGNAL(wlSurfaceCreated()), this, SLOT(surfaceCreated()), Qt::DirectConnection);
        connect(pw, SIGNAL(wlSurfaceDestroyed()), this, SLOT(surfaceDestroyed()), Qt::DirectConnection);
    }
    if (m_window->isVisible() && !showing) {
        // Shown already with Qt's ordinary role: only a new surface can take ours.
        m_window->hide();
        m_window->show();
    } else {
        giveRole();
    }
}

void SurfaceRole::surfaceCreated() {
    giveRole();
}

void SurfaceRole::surfaceDestroyed() {
    // The role goes first: a role object must not outlive its surface.
    delete m_role;
    m_role = nullptr;
    m_keyboardReleased = false;
}

void SurfaceRole::giveRole() {
    if (m_role || !m_window) {
        return;
    }
    wl_surface* surface = surfaceOf(m_window);
    wl_display* display = qtWaylandDisplay();
    if (!surface || !display) {
        return;
    }
    wl_output* output = qtWaylandOutput(m_window->screen());
    wl_event_queue* queue = wl_display_create_queue(display);
    if (m_kind == SurfaceKind::Lock) {
        if (!m_lock || !m_lock->requested() || !output) {
            wl_event_queue_destroy(queue);
            return;
        }
        auto* factory = onQueue(m_lock->object(), queue);
        auto* role = new LockRole(*this);
        role->init(ext_session_lock_v1_get_lock_surface(factory, surface, output));
        wl_proxy_wrapper_destroy(factory);
        m_role = role;
        // Configured at once; committing anything before the first acknowledgement is an error.
    } else {
        if (!m_shell || !m_shell->isActive()) {
            wl_event_queue_destroy(queue);
            return;
        }
        auto* factory = onQueue(m_shell->object(), queue);
        auto* role = new LayerRole(*this);
        role->init(zwlr_layer_shell_v1_get_layer_surface(
            factory, surface, output, QtWayland::zwlr_layer_shell_v1::layer_overlay, kNamespace));
        wl_proxy_wrapper_destroy(factory);
        m_role = role;
        // Nothing reserved, and other surfaces' reserved zones are ignored: the dock parks at the
        // very edge, a cover covers everything.
        role->set_exclusive_zone(-1);
        if (m_kind == SurfaceKind::Dock) {
            role->set_anchor(QtWayland::zwlr_layer_surface_v1::anchor_top |
                             QtWayland::zwlr_layer_surface_v1::anchor_left);
            role->set_keyboard_interactivity(
                m_shell->onDemandKeyboard()
                    ? QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_on_demand
                    : QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_none);
            applyPosition();
        } else {
            role->set_anchor(QtWayland::zwlr_layer_surface_v1::anchor_top |
                             QtWayland::zwlr_layer_surface_v1::anchor_bottom |
                             QtWayland::zwlr_layer_surface_v1::anchor_left |
                             QtWayland::zwlr_layer_surface_v1::anchor_right);
            role->set_size(0, 0);
            role->set_keyboard_interactivity(
                QtWayland::zwlr_layer_surface_v1::keyboard_interactivity_exclusive);
        }
        wl_surface_commit(surface);
    }
    // Qt may attach its first buffer only after the first configure has been acknowledged.
    for (int i = 0; i < 3 && !m_role->configured; ++i) {
        if (wl_display_roundtrip_queue(display, queue) < 0) {
            break;
        }
    }
    wl_proxy_set_queue(m_role->proxy(), nullptr);
    wl_event_queue_destroy(queue);
    if (m_kind != SurfaceKind::Dock) {
        applySize(m_size);
    }
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

void SurfaceRole::applyPosition() {
    auto* layer = dynamic_cast<LayerRole*>(m_role);
    if (!layer || !m_window) {
        return;
    }
    // Margins from the output's corner: the compositor places the surface there, so the window is
    // where the program put it, above the top edge when parked.
    const QRect g = m_window->geometry();
    const QPoint origin = m_window->screen() ? m_window->screen()->geometry().topLeft() : QPoint();
    layer->set_size(uint32_t(g.width()), uint32_t(g.height()));
    layer->set_margin(g.y() - origin.y(), 0, 0, g.x() - origin.x());
}

void SurfaceRole::applySize(QSize size) {
    if (!m_window || size.isEmpty() || m_window->size() == size) {
        return;
    }
    const QPoint origin = m_window->screen() ? m_window->screen()->geometry().topLeft() : QPoint();
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
        if (m_kind == SurfaceKind::Dock && m_role) {
            applyPosition();
            if (wl_surface* surface = surfaceOf(m_window)) {
                wl_surface_commit(surface);
            }
        }
        break;
    case QEvent::PlatformSurface:
        if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated) {
            // A new platform window (the window was re-created): hear of its surfaces too.
            QTimer::singleShot(0, this, [this] {
                if (QObject* pw = platformWindowObject(m_window)) {
                    connect(pw, SIGNAL(wlSurfaceCreated()), this, SLOT(surfaceCreated()),
                            Qt::ConnectionType(Qt::UniqueConnection | Qt::DirectConnection));
                    connect(pw, SIGNAL(wlSurfaceDestroyed()), this, SLOT(surfaceDestroyed()),
                            Qt::ConnectionType(Qt::UniqueConnection | Qt::DirectConnection));
                }
            });
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace quellor
