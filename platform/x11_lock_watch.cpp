// SPDX-License-Identifier: MIT

#include "x11_lock_watch.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace quellor {

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

enum AtomName { NetWmState, Above, MaxVert, MaxHorz, Fullscreen, Hidden, WmState, AtomCount };
static_assert(AtomCount == 7, "the watch keeps one atom per name");
constexpr std::array<const char*, AtomCount> kAtomNames = {
    "_NET_WM_STATE",
    "_NET_WM_STATE_ABOVE",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_WM_STATE_FULLSCREEN",
    "_NET_WM_STATE_HIDDEN",
    "WM_STATE",
};
void internAtoms(xcb_connection_t* c, std::array<xcb_atom_t, AtomCount>& atoms) {
    std::array<xcb_intern_atom_cookie_t, AtomCount> cookies{};
    for (int i = 0; i < AtomCount; ++i) {
        cookies[i] =
            xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
    }
    for (int i = 0; i < AtomCount; ++i) {
        if (Reply<xcb_intern_atom_reply_t> r{xcb_intern_atom_reply(c, cookies[i], nullptr)}) {
            atoms[i] = r->atom;
        }
    }
}

std::vector<xcb_atom_t> atomList(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    Reply<xcb_get_property_reply_t> r{
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, 64), nullptr)};
    if (!r || r->format != 32) {
        return {};
    }
    const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(r.get()));
    return {data, data + xcb_get_property_value_length(r.get()) / 4};
}

// The ICCCM state the window manager gives the window: 0 withdrawn (or none), 1 normal, 3 iconic.
std::uint32_t wmState(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    Reply<xcb_get_property_reply_t> r{
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, property, 0, 2), nullptr)};
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4) {
        return 0;
    }
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
}

// The child of the root window that holds this window: itself, or the window manager's frame.
xcb_window_t topLevelOf(xcb_connection_t* c, xcb_window_t window) {
    for (int depth = 0; depth < 16; ++depth) {
        Reply<xcb_query_tree_reply_t> t{xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr)};
        if (!t) {
            return XCB_NONE;
        }
        if (t->parent == t->root || t->parent == XCB_NONE) {
            return window;
        }
        window = t->parent;
    }
    return XCB_NONE;
}

constexpr int kWithdrawnWaits = 2; // checks to wait for the window manager to let go of it

} // namespace

X11LockWatch::X11LockWatch(QWindow* lock) : m_lock(lock), m_grab(lock) {
    xcb_connection_t* c = connection();
    if (!c || !lock) {
        return;
    }
    m_window = static_cast<xcb_window_t>(lock->winId());
    internAtoms(c, m_atoms);
    // Being covered shows as visibility; Qt may not ask for it. Keep whatever Qt asked for.
    if (Reply<xcb_get_window_attributes_reply_t> a{
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, m_window), nullptr)}) {
        const std::uint32_t wanted = XCB_EVENT_MASK_VISIBILITY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                     XCB_EVENT_MASK_PROPERTY_CHANGE;
        if ((a->your_event_mask & wanted) != wanted) {
            const std::uint32_t mask = a->your_event_mask | wanted;
            xcb_change_window_attributes(c, m_window, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(c);
        }
    }
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &X11LockWatch::restore);
    connect(&m_check, &QTimer::timeout, this, &X11LockWatch::restore);
    m_check.start(kCheckMs);
    qGuiApp->installNativeEventFilter(this);
}

X11LockWatch::~X11LockWatch() {
    if (qGuiApp) {
        qGuiApp->removeNativeEventFilter(this);
    }
}

void X11LockWatch::soon() {
    if (!m_soon.isActive()) {
        m_soon.start(0);
    }
}

bool X11LockWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!m_window || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
        if (reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == m_window) {
            // Here, before Qt sees the exposure that makes it paint.
            m_grab.attempt();
            soon();
        }
        break;
    case XCB_UNMAP_NOTIFY:
        if (reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window == m_window) {
            // The server let go of the grabs with the window; hold input on the root meanwhile.
            m_grab.attempt();
            soon();
        }
        break;
    case XCB_VISIBILITY_NOTIFY: {
        const auto* v = reinterpret_cast<const xcb_visibility_notify_event_t*>(event);
        if (v->window == m_window) {
            m_obscured = v->state != XCB_VISIBILITY_UNOBSCURED;
            if (!m_grab.held()) {
                m_grab.attempt();
            }
            soon();
        }
        break;
    }
    case XCB_REPARENT_NOTIFY:
        if (reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == m_window) {
            soon();
        }
        break;
    case XCB_PROPERTY_NOTIFY: {
        const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (p->window == m_window && (p->atom == m_atoms[NetWmState] || p->atom == m_atoms[WmState])) {
            soon();
        }
        break;
    }
    default:
        break;
    }
    return false; // Qt keeps its own view of the window
}

void X11LockWatch::restore() {
    xcb_connection_t* c = connection();
    // Not shown yet (it waits for the input) or hidden by the program itself: nothing to put back.
    if (!c || !m_lock || !m_window || !m_lock->isVisible()) {
        return;
    }
    Reply<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, m_window), nullptr)};
    if (!attributes) {
        return;
    }
    std::vector<xcb_atom_t> wanted{m_atoms[Above]};
    if (m_lock->windowStates() & Qt::WindowMaximized) {
        wanted.insert(wanted.end(), {m_atoms[MaxVert], m_atoms[MaxHorz]});
    }
    if (m_lock->windowStates() & Qt::WindowFullScreen) {
        wanted.push_back(m_atoms[Fullscreen]);
    }
    const std::uint32_t managed = wmState(c, m_window, m_atoms[WmState]);

    if (attributes->map_state == XCB_MAP_STATE_UNMAPPED) {
        m_grab.attempt();
        // A window manager that still counts it as its own is about to withdraw it; its WM_STATE
        // change brings this back. One that never does (gone, or stuck) is not waited for long.
        if (managed != 0 && ++m_withdrawnWaits <= kWithdrawnWaits) {
            return;
        }
        m_withdrawnWaits = 0;
        // A withdrawn window takes its states from the property when it is mapped again.
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, m_atoms[NetWmState], XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(wanted.size()), wanted.data());
        xcb_map_window(c, m_window);
        xcb_flush(c);
        return;
    }
    m_withdrawnWaits = 0;
    if (attributes->map_state == XCB_MAP_STATE_UNVIEWABLE) {
        // Mapped inside a hidden frame: minimised, or its frame unmapped. Activation brings it back.
        m_grab.attempt();
        m_lock->raise();
        m_lock->requestActivate();
        return;
    }
    if (managed != 0) {
        const std::vector<xcb_atom_t> states = atomList(c, m_window, m_atoms[NetWmState]);
        std::vector<xcb_atom_t> missing;
        for (xcb_atom_t a : wanted) {
            if (std::find(states.begin(), states.end(), a) == states.end()) {
                missing.push_back(a);
            }
        }
        // Two at a time, as the window manager takes them (the maximised pair belongs together).
        for (std::size_t i = 0; i < missing.size(); i += 2) {
            sendState(1, missing[i], i + 1 < missing.size() ? missing[i + 1] : XCB_NONE);
        }
        if (std::find(states.begin(), states.end(), m_atoms[Hidden]) != states.end()) {
            m_lock->requestActivate();
        }
    }
    if (m_obscured && foreignWindowAbove()) {
        m_lock->raise();
        m_lock->requestActivate();
    }
    if (!m_grab.held()) {
        m_grab.attempt();
    }
    xcb_flush(c);
}

void X11LockWatch::sendState(std::uint32_t action, std::uint32_t first, std::uint32_t second) {
    xcb_connection_t* c = connection();
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = m_window;
    event.type = m_atoms[NetWmState];
    // action, the states, and 1: the request comes from an ordinary application.
    event.data.data32[0] = action;
    event.data.data32[1] = first;
    event.data.data32[2] = second;
    event.data.data32[3] = 1;
    xcb_send_event(c, 0, rootOf(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

bool X11LockWatch::foreignWindowAbove() {
    xcb_connection_t* c = connection();
    const xcb_window_t lockTop = topLevelOf(c, m_window);
    if (lockTop == XCB_NONE) {
        return false;
    }
    // The program's own windows (its message boxes above all) may stand above the lock.
    std::vector<xcb_window_t> own;
    for (QWindow* w : QGuiApplication::allWindows()) {
        if (w->handle() && w->isVisible()) {
            own.push_back(topLevelOf(c, static_cast<xcb_window_t>(w->winId())));
        }
    }
    Reply<xcb_query_tree_reply_t> tree{xcb_query_tree_reply(c, xcb_query_tree(c, rootOf(c)), nullptr)};
    Reply<xcb_get_geometry_reply_t> lockArea{
        xcb_get_geometry_reply(c, xcb_get_geometry(c, lockTop), nullptr)};
    if (!tree || !lockArea) {
        return false;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // Bottom to top: only what lies above the lock counts.
    const int lockAt = static_cast<int>(std::find(children, children + count, lockTop) - children);
    for (int i = lockAt + 1; i < count; ++i) {
        const xcb_window_t w = children[i];
        if (std::find(own.begin(), own.end(), w) != own.end()) {
            continue;
        }
        Reply<xcb_get_window_attributes_reply_t> a{
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr)};
        Reply<xcb_get_geometry_reply_t> g{xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr)};
        if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE ||
            a->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) {
            continue;
        }
        const bool overlaps = g->x < lockArea->x + lockArea->width && lockArea->x < g->x + g->width &&
                              g->y < lockArea->y + lockArea->height && lockArea->y < g->y + g->height;
        if (overlaps) {
            return true;
        }
    }
    return false;
}

} // namespace quellor
