#pragma once
// SPDX-License-Identifier: MIT
// A black, topmost cover over one screen the lock screen does not stand on, or over a strip of its
// own screen its frame leaves bare, so no pixel shows what lies beneath the lock. Mouse moves over
// it count as moves over the lock screen.

#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace quellor {

class ScreenCover : public QWidget {
    Q_OBJECT
public:
    // Over the whole screen, or over `area` of it.
    ScreenCover(QScreen* screen, QWidget* lock, const QRect& area = {});

    QScreen* coveredScreen() const { return m_screen; }

Q_SIGNALS:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPointer<QScreen> m_screen;
};

} // namespace quellor
