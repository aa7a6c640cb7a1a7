// SPDX-License-Identifier: MIT

#include "host_window.h"

#include <QWindow>

namespace quellor {

HostWindow::HostWindow(QWidget* window, const Twips& twips) : m_window(window), m_twips(twips) {}

WindowId HostWindow::windowId() const {
    if (!m_window) {
        return 0;
    }
    m_window->winId(); // made when there is none yet
    // The window's id as it is now: the widget's own copy is not told when the window system layer
    // replaces the native window under the same Qt window.
    const QWindow* window = m_window->windowHandle();
    return window ? static_cast<WindowId>(window->winId()) : 0;
}

double HostWindow::left() const {
    return m_window ? m_twips.fromPixelsX(m_window->frameGeometry().x()) : 0;
}

double HostWindow::top() const {
    return m_window ? m_twips.fromPixelsY(m_window->frameGeometry().y()) : 0;
}

double HostWindow::width() const {
    return m_window ? m_twips.fromPixelsX(m_window->frameGeometry().width()) : 0;
}

double HostWindow::height() const {
    return m_window ? m_twips.fromPixelsY(m_window->frameGeometry().height()) : 0;
}

void HostWindow::move(double left, double top) {
    if (m_window) {
        m_window->move(m_twips.toPixelsX(left), m_twips.toPixelsY(top));
    }
}

} // namespace quellor
