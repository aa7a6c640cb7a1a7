// SPDX-License-Identifier: MIT

#include "dialog_window.h"

#include "controls.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quellor {

QString windowCaption(const char* source) {
    return QCoreApplication::translate("quellor::Caption", source);
}

void setUpDialogWindow(QWidget* window, const char* caption, double widthTwips, double heightTwips,
                       const Twips& t) {
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const QString title = windowCaption(caption);
    // The window manager and screen readers still need a name for a borderless window.
    window->setWindowTitle(title);
    window->setAccessibleName(title);
    window->setFixedSize(t.toPixelsX(widthTwips), t.toPixelsY(heightTwips));
    QPalette p = window->palette();
    p.setColor(QPalette::Window, colorFromRgb(240, 240, 255));
    window->setPalette(p);
    window->setAutoFillBackground(true);
    centreOnScreen(window);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect r(QPoint(0, 0), window->size());
    r.moveCenter(screen->geometry().center());
    window->move(r.topLeft());
}

} // namespace quellor
