#include "host_window.h"

namespace quellor {

HostWindow::HostWindow(QWidget* window, const Twips& twips) : m_window(window), m_twips(twips) {}

WindowId HostWindow::windowId() const {
    return m_window ? static_cast<WindowId>(m_window->winId()) : 0;
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
