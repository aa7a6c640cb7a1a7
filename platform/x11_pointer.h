#pragma once
// SPDX-License-Identifier: MIT
// The pointer's position on X11, asked over a display connection of its own. QCursor::pos() asks
// over the program's main connection, whose replies Qt's event reader thread receives and hands
// on, so each of the dock's five polls a second woke two threads; that was the larger part of
// what the parked, idle program cost. Here the asking thread reads its answer itself.

#include <QPoint>

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace quellor {

class X11Pointer {
public:
    X11Pointer() = default;
    ~X11Pointer();
    X11Pointer(const X11Pointer&) = delete;
    X11Pointer& operator=(const X11Pointer&) = delete;

    // In the same coordinates as QCursor::pos(); nullopt off X11, on a scaled display (where the
    // two differ) or when the display cannot be reached, for the caller to ask Qt instead.
    std::optional<QPoint> position();

private:
    bool connect();

    bool m_tried = false;
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
};

} // namespace quellor
