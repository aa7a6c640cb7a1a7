#pragma once
// SPDX-License-Identifier: MIT
// The pointer's crossings of one X window, read over a display connection of our own so they reach
// us whatever Qt makes of them (Qt holds them back from a window a modal dialog blocks). Event masks
// are per client, so selecting them here leaves Qt's own selection alone.
//
// The dock counts the row just below a window and the column just right of it as over the window,
// but the pointer resting there never enters it. While margins are laid, two input-only windows of
// our own lie along those edges and the pointer entering them is reported as entering the window.
// They take the clicks that land on them, so they are laid only where a touch is expected: along a
// window hanging from the top edge of the screen.

#include <QObject>
#include <QRect>
#include <QSocketNotifier>

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace quellor {

class X11Crossings : public QObject {
    Q_OBJECT
public:
    X11Crossings();
    ~X11Crossings() override;
    X11Crossings(const X11Crossings&) = delete;
    X11Crossings& operator=(const X11Crossings&) = delete;

    // False when the display could not be reached; nothing is then reported.
    bool connected() const { return m_connection != nullptr; }

    // The window whose crossings are reported from now on, in place of the one before; 0 for none.
    void watch(std::uint32_t window);
    std::uint32_t watched() const { return m_window; }

    // Lays the margins along the right and bottom edges of this rectangle (root pixels, the right
    // and bottom edges exclusive), above every other window; a null rectangle takes them away.
    void layMargins(const QRect& window);

Q_SIGNALS:
    void entered();
    void left();
    // Part of the watched window was covered by another one.
    void obscured();

private:
    void read();
    void flush();
    void placeMargin(std::uint32_t margin, const QRect& where);

    xcb_connection_t* m_connection = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::uint32_t m_window = 0;
    std::uint32_t m_bottom = 0; // the row just below, the corner with it
    std::uint32_t m_right = 0;  // the column just right
    QRect m_laid;
};

} // namespace quellor
