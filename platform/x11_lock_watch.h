#pragma once
// SPDX-License-Identifier: MIT
// Keeps the lock window on screen on X11 whatever another client does to it. Qt does not notice a
// window unmapped, withdrawn, lowered or stripped of its stay-on-top state by someone else, so this
// watches the native window itself: its map state, visibility, stacking and _NET_WM_STATE. Any
// change that takes the lock off screen is undone at once: the window is mapped again (with its
// states set beforehand, as a withdrawn window needs), raised above foreign windows, its states
// restored, and the input grabs renewed. The grabs move onto the window as soon as it is mapped,
// before Qt paints its first frame.

#include "x11_input_grab.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <array>
#include <cstdint>

namespace quellor {

class X11LockWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit X11LockWatch(QWindow* lock);
    ~X11LockWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Puts right whatever is wrong now; runs soon after each relevant event and every kCheckMs.
    void restore();
    // See X11InputGrab::whenHeld.
    void whenHeld(int withinMs, std::function<void(bool held)> done) {
        m_grab.whenHeld(withinMs, std::move(done));
    }

    static constexpr int kCheckMs = 500;

private:
    void soon();
    bool foreignWindowAbove();
    void sendState(std::uint32_t action, std::uint32_t first, std::uint32_t second);

    QPointer<QWindow> m_lock;
    X11InputGrab m_grab;
    QTimer m_soon;
    QTimer m_check;
    std::uint32_t m_window = 0;
    std::array<std::uint32_t, 7> m_atoms{};
    bool m_obscured = false;
    int m_withdrawnWaits = 0;
};

} // namespace quellor
