// SPDX-License-Identifier: MIT

#include "x11_input_grab.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <utility>

namespace quellor {

namespace {

xcb_connection_t* connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

bool granted(std::uint8_t status) {
    return status == XCB_GRAB_STATUS_SUCCESS;
}

bool viewable(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool result = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    return result;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

} // namespace

bool X11InputGrab::available() {
    return connection() != nullptr;
}

X11InputGrab::X11InputGrab(QWindow* window) : m_window(window) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &X11InputGrab::attempt);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { tell(false); });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &X11InputGrab::focusChanged);
    attempt();
}

X11InputGrab::~X11InputGrab() {
    release();
}

void X11InputGrab::attempt() {
    xcb_connection_t* c = connection();
    if (!c || !m_window) {
        return;
    }
    const auto window = static_cast<xcb_window_t>(m_window->winId());
    // Until the lock window can be seen (not yet mapped, or taken off screen) the grabs sit on the
    // root window: input is held from the start, and no gap opens while the lock is put back.
    const xcb_window_t target = viewable(c, window) ? window : rootOf(c);
    // owner_events: input for the program's own windows goes to them as usual.
    const auto keyboard =
        xcb_grab_keyboard(c, 1, target, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    const auto pointer = xcb_grab_pointer(
        c, 1, target,
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
            XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW,
        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    xcb_grab_keyboard_reply_t* k = xcb_grab_keyboard_reply(c, keyboard, nullptr);
    xcb_grab_pointer_reply_t* p = xcb_grab_pointer_reply(c, pointer, nullptr);
    const bool both = k && p && granted(k->status) && granted(p->status);
    std::free(k);
    std::free(p);
    m_held = both && target == window;
    m_holding = both;
    m_timer.start(m_held ? kRenewMs : kRetryMs);
    if (both) {
        tell(true);
    }
}

void X11InputGrab::whenHeld(int withinMs, std::function<void(bool)> done) {
    m_waiting = std::move(done);
    if (m_holding) {
        tell(true);
        return;
    }
    m_deadline.start(withinMs);
}

void X11InputGrab::tell(bool held) {
    m_deadline.stop();
    // Taken first: showing the window brings its map, and another attempt, straight back here.
    if (std::function<void(bool)> waiting = std::exchange(m_waiting, nullptr)) {
        waiting(held);
    }
}

void X11InputGrab::focusChanged(QWindow* focus) {
    // Focus moving among the program's own windows (a message box over the lock) is fine.
    if (focus || !m_window) {
        return;
    }
    m_window->raise();
    m_window->requestActivate();
    attempt();
}

void X11InputGrab::release() {
    m_timer.stop();
    if (xcb_connection_t* c = connection()) {
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
        xcb_flush(c);
    }
    m_held = false;
}

} // namespace quellor
