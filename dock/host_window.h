#pragma once
// SPDX-License-Identifier: MIT
// The dock's view of its host: the top-level window's frame in twips, moved in twips. Positions are
// kept by the window system in whole pixels, so what is read back is always a whole number of pixels.

#include "platform.h"
#include "units.h"

#include <QPointer>
#include <QWidget>

namespace quellor {

class HostWindow {
public:
    HostWindow() = default;
    HostWindow(QWidget* window, const Twips& twips);

    bool isValid() const { return !m_window.isNull(); }
    QWidget* widget() const { return m_window; }
    // The native window as it is now; made when there is none yet.
    WindowId windowId() const;
    const Twips& twips() const { return m_twips; }

    double left() const;
    double top() const;
    double width() const;
    double height() const;

    // Moves the frame's top-left corner; the size stays as it is.
    void move(double left, double top);

private:
    QPointer<QWidget> m_window;
    Twips m_twips;
};

} // namespace quellor
