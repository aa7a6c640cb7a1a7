// SPDX-License-Identifier: MIT

#include "x11_crossings.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace quellor {

namespace {

constexpr std::uint32_t kCrossings = XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW;

} // namespace

X11Crossings::X11Crossings() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    m_connection = c;
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(c), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11Crossings::read);
}

X11Crossings::~X11Crossings() {
    m_notifier.reset();
    if (m_connection) {
        // The margins go with the connection.
        xcb_disconnect(m_connection);
    }
}

void X11Crossings::watch(std::uint32_t window) {
    if (!m_connection || window == m_window) {
        return;
    }
    if (m_window) {
        // The old window may be gone already; an error about it is read and dropped.
        const std::uint32_t none = 0;
        xcb_change_window_attributes(m_connection, m_window, XCB_CW_EVENT_MASK, &none);
    }
    m_window = window;
    if (window) {
        const std::uint32_t mask = kCrossings | XCB_EVENT_MASK_VISIBILITY_CHANGE;
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    }
    flush();
}

void X11Crossings::flush() {
    xcb_flush(m_connection);
    // Writing may have read events into the connection's queue, where the socket no longer tells of
    // them.
    QMetaObject::invokeMethod(this, &X11Crossings::read, Qt::QueuedConnection);
}

void X11Crossings::layMargins(const QRect& window) {
    if (!m_connection || window == m_laid) {
        return;
    }
    m_laid = window;
    if (window.isNull()) {
        if (m_bottom) {
            xcb_unmap_window(m_connection, m_bottom);
            xcb_unmap_window(m_connection, m_right);
            flush();
        }
        return;
    }
    if (!m_bottom) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        // Placed by us alone, beyond the window manager's say.
        const std::uint32_t values[] = {1, kCrossings};
        for (std::uint32_t* margin : {&m_bottom, &m_right}) {
            *margin = xcb_generate_id(m_connection);
            xcb_create_window(m_connection, 0, *margin, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                              XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        }
    }
    placeMargin(m_bottom, QRect(window.left(), window.bottom() + 1, window.width() + 1, 1));
    placeMargin(m_right, QRect(window.right() + 1, window.top(), 1, window.height()));
    flush();
}

void X11Crossings::placeMargin(std::uint32_t margin, const QRect& where) {
    const std::uint32_t values[] = {static_cast<std::uint32_t>(where.x()),
                                    static_cast<std::uint32_t>(where.y()),
                                    static_cast<std::uint32_t>(where.width()),
                                    static_cast<std::uint32_t>(where.height()), XCB_STACK_MODE_ABOVE};
    xcb_configure_window(m_connection, margin,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT | XCB_CONFIG_WINDOW_STACK_MODE,
                         values);
    xcb_map_window(m_connection, margin);
}

void X11Crossings::read() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const auto type = event->response_type & 0x7f;
        if (type == XCB_VISIBILITY_NOTIFY) {
            const auto* visibility = reinterpret_cast<xcb_visibility_notify_event_t*>(event);
            if (visibility->window == m_window && visibility->state != XCB_VISIBILITY_UNOBSCURED) {
                Q_EMIT obscured();
            }
        } else if (type == XCB_ENTER_NOTIFY || type == XCB_LEAVE_NOTIFY) {
            const auto* crossing = reinterpret_cast<xcb_enter_notify_event_t*>(event);
            // Crossings into and out of a child window leave the pointer over the window.
            if (crossing->detail != XCB_NOTIFY_DETAIL_INFERIOR) {
                if (type == XCB_ENTER_NOTIFY) {
                    Q_EMIT entered();
                } else {
                    Q_EMIT left();
                }
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        m_notifier->setEnabled(false);
    }
}

} // namespace quellor
