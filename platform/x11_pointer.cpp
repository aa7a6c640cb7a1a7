// SPDX-License-Identifier: MIT

#include "x11_pointer.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace quellor {

X11Pointer::~X11Pointer() {
    if (m_connection) {
        xcb_disconnect(m_connection);
    }
}

bool X11Pointer::connect() {
    m_tried = true;
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    int screen = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && it.rem; ++i) {
        xcb_screen_next(&it);
    }
    if (!it.rem) {
        xcb_disconnect(c);
        return false;
    }
    m_connection = c;
    m_root = it.data->root;
    return true;
}

std::optional<QPoint> X11Pointer::position() {
    if (!m_tried && !connect()) {
        return std::nullopt;
    }
    if (!m_connection || qGuiApp->devicePixelRatio() != 1.0 || xcb_connection_has_error(m_connection)) {
        return std::nullopt;
    }
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_root), nullptr);
    if (!reply) {
        return std::nullopt;
    }
    const QPoint p(reply->root_x, reply->root_y);
    std::free(reply);
    return p;
}

} // namespace quellor
