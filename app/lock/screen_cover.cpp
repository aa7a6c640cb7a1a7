// SPDX-License-Identifier: MIT

#include "screen_cover.h"

namespace quellor {

ScreenCover::ScreenCover(QScreen* screen, QWidget* lock, const QRect& area)
    : QWidget(lock, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus),
      m_screen(screen) {
    setObjectName(QStringLiteral("ScreenCover"));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (area.isValid()) {
        setGeometry(area); // a strip: the lock screen places it afresh when its frame moves
    } else {
        setGeometry(screen->geometry());
        connect(screen, &QScreen::geometryChanged, this, [this](const QRect& area) { setGeometry(area); });
    }
}

void ScreenCover::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    Q_EMIT mouseMoved();
}

} // namespace quellor
