// SPDX-License-Identifier: MIT

#include "title_bar_input.h"

#include "system_menu.h"

#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>

namespace quellor {

TitleBarPart titleBarPartAt(QPoint pos, QSize client, QMargins frame) {
    // A bar is taller than the border below the client; a bare border has nothing to click.
    const int bar = frame.top();
    if (bar <= 0 || bar <= frame.bottom()) {
        return TitleBarPart::None;
    }
    const int left = -frame.left();
    const int right = client.width() + frame.right(); // one past the last column
    if (pos.y() < -bar || pos.y() >= 0 || pos.x() < left || pos.x() >= right) {
        return TitleBarPart::None;
    }
    if (pos.x() >= right - bar) {
        return TitleBarPart::CloseButton;
    }
    return pos.x() < left + bar ? TitleBarPart::Icon : TitleBarPart::Bar;
}

TitleBarInput::TitleBarInput(QWidget* window)
    : QObject(window), m_window(window), m_menu(new SystemMenu(window)) {
    m_window->installEventFilter(this);
    connect(m_menu, &SystemMenu::closeChosen, m_window, &QWidget::close);
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), m_window);
    connect(menuKey, &QShortcut::activated, m_menu, [this] { m_menu->popUp({0, 0}); });
}

QMargins TitleBarInput::frameMargins() const {
    if (m_margins) {
        return m_margins();
    }
    const QRect client = m_window->geometry();
    const QRect outer = m_window->frameGeometry();
    return {client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
            outer.bottom() - client.bottom()};
}

bool TitleBarInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window ||
        (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
         event->type() != QEvent::MouseButtonDblClick)) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (event->type() != QEvent::MouseButtonRelease) {
        // A press anywhere but on the menu closes it.
        m_menu->dismiss();
    }
    if (m_window->rect().contains(at)) {
        return false;
    }
    const TitleBarPart part = titleBarPartAt(at, m_window->size(), frameMargins());
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click is a press and a release on the same part with the same button.
        if (part != TitleBarPart::None && part == m_pressed && mouse->button() == m_pressButton) {
            clicked(part, mouse->button(), at);
        }
        m_pressed = TitleBarPart::None;
    } else {
        m_pressed = part;
        m_pressButton = mouse->button();
    }
    return true;
}

void TitleBarInput::clicked(TitleBarPart part, Qt::MouseButton button, QPoint at) {
    if (button == Qt::LeftButton && part == TitleBarPart::CloseButton) {
        // A request to close like any other: the window's own close handling decides.
        m_window->close();
    } else if (button == Qt::LeftButton && part == TitleBarPart::Icon) {
        m_menu->popUp({0, 0});
    } else if (button == Qt::RightButton) {
        m_menu->popUp({at.x(), 0});
    }
}

} // namespace quellor
