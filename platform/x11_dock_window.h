#pragma once
// SPDX-License-Identifier: MIT
// The dock's window on X11. Window managers keep ordinary windows on the screen and stack them as
// they see fit, but every common one (openbox, xfwm4, metacity, marco, kwin, mutter) leaves a window
// of type _NET_WM_WINDOW_TYPE_DOCK where its client puts it, even mostly above the top edge, and
// keeps it in a layer above ordinary windows. Some of them (kwin) give a dock no focus when it is
// clicked, so the window takes the focus itself.
//
// Window managers read the type when the window is mapped, so it is written before every mapping,
// with the state the window asks to be mapped in; Qt is told to keep the type whenever it writes
// it itself (flag changes, a re-created native window). No window manager restores a dock once
// iconified, so a window shown minimised is typed as an ordinary one.
//
// The object follows its Qt window, not one native window: Qt's xcb layer replaces the native window
// of a window whose stays-on-top flag changed at its next showing, telling neither the window nor
// its widget, so the native window is looked at afresh whenever the window is shown or exposed, and
// the crossings are watched on whichever is current.

#include "platform.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace quellor {

class X11Crossings;

class X11DockWindow : public QObject, public DockWindow {
    Q_OBJECT
public:
    // False off X11.
    static bool available();

    X11DockWindow(QWindow* window, DockObserver& observer);
    ~X11DockWindow() override;
    X11DockWindow(const X11DockWindow&) = delete;
    X11DockWindow& operator=(const X11DockWindow&) = delete;

    bool reportsCrossings() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeType();
    void writeInitialState(xcb_connection_t* c, std::uint32_t window, bool iconic);
    void takeFocus();
    void raiseAsPager();
    void follow();
    void layMargins();
    void pointerLeft();
    std::uint32_t atom(const char* name);

    QPointer<QWindow> m_window;
    DockObserver& m_observer;
    std::unique_ptr<X11Crossings> m_crossings;
    std::uint32_t m_typeAtom = 0;
    std::uint32_t m_dockAtom = 0;
    std::uint32_t m_normalAtom = 0;
    std::uint32_t m_restackAtom = 0;
};

} // namespace quellor
