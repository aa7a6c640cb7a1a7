#pragma once
// SPDX-License-Identifier: MIT
// Holds work back while a window that is being shown has not reached the screen yet. Loading the
// sound module brings in a score of libraries; asked for by the splash before its first showing,
// it would compete with that window (and with the X server and window manager mapping it) for the
// processor. The gate opens for good at the first exposure, or after kMaxWaitMs at the latest.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

namespace quellor {

class ShownGate : public QObject {
public:
    static constexpr int kMaxWaitMs = 500;

    explicit ShownGate(QObject* parent = nullptr);

    // Runs `work` now when open, else when the gate opens, in the order asked; work whose context
    // is gone by then is dropped. Call it from the event loop, not from inside a window's constructor:
    // a window about to be shown is not visible yet.
    void run(QObject* context, std::function<void()> work);
    bool isOpen() const { return m_open; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool windowOnItsWay();
    void open();

    bool m_open = false;
    bool m_watching = false;
    QTimer m_deadline;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_waiting;
};

} // namespace quellor
