#pragma once
// SPDX-License-Identifier: MIT
// Holds the keyboard and pointer for the lock window on X11, so no other client (the window
// manager's key bindings included) gets input while the lock is up. Events for the program's own
// windows still reach them, so its message boxes stay usable. While the window is not viewable the
// grabs are held on the root window instead; they move to the window as soon as it can be seen
// (the lock's window watch calls attempt() on its map), are renewed now and then (another client
// may have taken them meanwhile) and at once, with the window raised again, when focus leaves the
// program.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace quellor {

class X11InputGrab : public QObject {
    Q_OBJECT
public:
    // False off X11: nothing to grab there.
    static bool available();

    explicit X11InputGrab(QWindow* window);
    ~X11InputGrab() override;

    // Takes both grabs now: on the window when it is viewable, else on the root window.
    void attempt();
    // Both grabs were granted on the window itself at the last attempt.
    bool held() const { return m_held; }
    // Calls `done` with true once both grabs are granted (on the window or the root window), or
    // with false when another client still keeps them after `withinMs`; the attempts go on.
    void whenHeld(int withinMs, std::function<void(bool held)> done);

    static constexpr int kRetryMs = 50;
    static constexpr int kRenewMs = 500;

private:
    void focusChanged(QWindow* focus);
    void release();
    void tell(bool held);

    QPointer<QWindow> m_window;
    QTimer m_timer;
    QTimer m_deadline;
    std::function<void(bool)> m_waiting;
    bool m_held = false;
    bool m_holding = false; // on the window or the root window
};

} // namespace quellor
