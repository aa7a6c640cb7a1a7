// SPDX-License-Identifier: MIT

#include "x11_dock_window.h"

#include "x11_crossings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quellor {

namespace {

// Qt's xcb plugin puts the types named by this window property first whenever it writes the
// window's _NET_WM_WINDOW_TYPE; the values are those of its window-type flags.
constexpr char kQtTypeProperty[] = "_q_xcb_wm_window_type";
constexpr int kQtNormal = 0x1;
constexpr int kQtDock = 0x4;
// Time for a window manager to act on the pointer leaving a dock.
constexpr int kRaiseAfterLeaveMs = 100;

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

bool X11DockWindow::available() {
    return qtConnection() != nullptr;
}

X11DockWindow::X11DockWindow(QWindow* window, DockObserver& observer)
    : m_window(window), m_observer(observer), m_crossings(std::make_unique<X11Crossings>()) {
    if (m_crossings->connected()) {
        connect(m_crossings.get(), &X11Crossings::entered, this, [this] { m_observer.pointerEntered(); });
        connect(m_crossings.get(), &X11Crossings::left, this, &X11DockWindow::pointerLeft);
        // Another dock (a panel along the same edge) was raised over the strip.
        connect(m_crossings.get(), &X11Crossings::obscured, this, &X11DockWindow::raiseAsPager);
    } else {
        m_crossings.reset();
    }
    m_window->installEventFilter(this);
    if (m_window->isVisible()) {
        // Typed while mapped, the window would keep the place and layer of an ordinary one under
        // most window managers: it is mapped afresh.
        m_window->hide();
        m_window->show();
    } else {
        writeType();
    }
    follow();
}

X11DockWindow::~X11DockWindow() {
    if (m_window) {
        m_window->removeEventFilter(this);
    }
}

bool X11DockWindow::reportsCrossings() const {
    return m_crossings != nullptr;
}

bool X11DockWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show: // sent before the window is mapped, and before Qt may replace it
            writeType();
            QTimer::singleShot(0, this, &X11DockWindow::follow);
            break;
        case QEvent::Expose:
        case QEvent::PlatformSurface:
            follow();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            layMargins();
            break;
        case QEvent::MouseButtonPress:
            takeFocus();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void X11DockWindow::follow() {
    if (!m_crossings) {
        return;
    }
    const std::uint32_t now =
        m_window && m_window->handle() ? static_cast<std::uint32_t>(m_window->winId()) : 0;
    const bool replaced = m_crossings->watched() && now != m_crossings->watched();
    m_crossings->watch(now);
    layMargins();
    if (replaced && now) {
        // Crossings of the new window before it was watched are lost: the dock looks for itself.
        QTimer::singleShot(0, this, [this] { m_observer.pointerEntered(); });
    }
}

void X11DockWindow::layMargins() {
    if (!m_crossings) {
        return;
    }
    // Along a window hanging from the top edge of its screen: parked, or sliding.
    QRect margins;
    if (m_window && m_window->isVisible() && !(m_window->windowStates() & Qt::WindowMinimized) &&
        m_window->screen()) {
        const QRect frame = m_window->frameGeometry();
        if (frame.top() < m_window->screen()->geometry().top()) {
            margins = frame;
        }
    }
    m_crossings->layMargins(margins);
}

void X11DockWindow::pointerLeft() {
    m_observer.pointerLeft();
    // metacity and marco lower a dock the pointer leaves, under a panel on the same edge, where the
    // strip could not be touched again: raised once they have.
    QTimer::singleShot(kRaiseAfterLeaveMs, this, &X11DockWindow::raiseAsPager);
}

std::uint32_t X11DockWindow::atom(const char* name) {
    xcb_connection_t* c = qtConnection();
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const std::uint32_t value = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

void X11DockWindow::writeType() {
    if (!m_window) {
        return;
    }
    const bool dock = !(m_window->windowStates() & Qt::WindowMinimized);
    m_window->setProperty(kQtTypeProperty, dock ? kQtDock : kQtNormal);
    xcb_connection_t* c = qtConnection();
    if (!c || !m_window->handle()) {
        return; // Qt writes it from the property when it creates the window
    }
    if (!m_typeAtom) {
        m_typeAtom = atom("_NET_WM_WINDOW_TYPE");
        m_dockAtom = atom("_NET_WM_WINDOW_TYPE_DOCK");
        m_normalAtom = atom("_NET_WM_WINDOW_TYPE_NORMAL");
    }
    const auto id = static_cast<xcb_window_t>(m_window->winId());
    const std::uint32_t type = dock ? m_dockAtom : m_normalAtom;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, m_typeAtom, XCB_ATOM_ATOM, 32, 1, &type);
    writeInitialState(c, id, !dock);
    xcb_flush(c);
}

void X11DockWindow::writeInitialState(xcb_connection_t* c, std::uint32_t window, bool iconic) {
    // Qt writes the state a window asks to be mapped in only when its own idea of the window's
    // state changes, and it does not hear of a window manager's restore: once minimised, the window
    // would ask to be mapped iconic ever after, or after a restore not so when minimised again. A
    // window manager then iconifies the dock (xfwm4 does), which nothing can bring back.
    constexpr std::uint32_t kStateHint = 1u << 1;
    constexpr std::uint32_t kNormalState = 1;
    constexpr std::uint32_t kIconicState = 3;
    constexpr std::uint32_t kHintsLength = 9;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kHintsLength), nullptr);
    std::uint32_t hints[kHintsLength] = {};
    if (reply && reply->format == 32) {
        const auto length = std::min<std::uint32_t>(reply->value_len, kHintsLength);
        std::memcpy(hints, xcb_get_property_value(reply), length * sizeof(std::uint32_t));
    }
    std::free(reply);
    hints[0] |= kStateHint;
    hints[2] = iconic ? kIconicState : kNormalState;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kHintsLength, hints);
}

void X11DockWindow::takeFocus() {
    xcb_connection_t* c = qtConnection();
    if (!c || !m_window || QGuiApplication::focusWindow() == m_window) {
        return;
    }
    // The press's own timestamp is not to be had through Qt; the current time serves, and every
    // window manager here lets a client focus its own window on a click.
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, static_cast<xcb_window_t>(m_window->winId()),
                        XCB_CURRENT_TIME);
    xcb_flush(c);
}

void X11DockWindow::raiseAsPager() {
    xcb_connection_t* c = qtConnection();
    if (!c || !m_window || !m_window->handle()) {
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(m_window->winId());
    if (!m_restackAtom) {
        m_restackAtom = atom("_NET_RESTACK_WINDOW");
    }
    message.type = m_restackAtom;
    message.data.data32[0] = 2; // from a pager: not subject to focus-stealing rules
    message.data.data32[1] = XCB_NONE;
    message.data.data32[2] = XCB_STACK_MODE_ABOVE;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, static_cast<xcb_window_t>(m_window->winId()), XCB_CONFIG_WINDOW_STACK_MODE,
                         &above);
    xcb_flush(c);
}

} // namespace quellor
