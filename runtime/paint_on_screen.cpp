// SPDX-License-Identifier: MIT

#include "paint_on_screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quellor {

PaintOnScreen::PaintOnScreen(QWidget* widget) : QObject(widget), m_widget(widget) {
    widget->window()->installEventFilter(this);
    widget->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &PaintOnScreen::follow);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &PaintOnScreen::follow);
    follow();
}

bool PaintOnScreen::onAnyScreen(const QWidget* widget) {
    // From the window's own place rather than mapToGlobal, which some platforms offset by the frame.
    const QWidget* window = widget->window();
    const QRect global(window->geometry().topLeft() + widget->mapTo(window, QPoint(0, 0)), widget->size());
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* s) { return s->geometry().intersects(global); });
}

bool PaintOnScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        follow();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PaintOnScreen::follow() {
    if (!m_widget) {
        return;
    }
    const bool paint = onAnyScreen(m_widget);
    if (paint != m_widget->updatesEnabled()) {
        m_widget->setUpdatesEnabled(paint); // enabling repaints what changed meanwhile
    }
}

} // namespace quellor
