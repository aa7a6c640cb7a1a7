#pragma once
// SPDX-License-Identifier: MIT
// A tick at every wall-clock second boundary. Each tick re-arms a single-shot timer for the next
// boundary, so ticks neither drift nor accumulate lateness the way a free-running 1000 ms timer does.

#include "clock.h"

#include <QObject>
#include <QTimer>

namespace quellor {

class SecondTicker : public QObject {
    Q_OBJECT
public:
    explicit SecondTicker(const Clock& clock, QObject* parent = nullptr);

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }

    // Milliseconds from `now` to just past the next second boundary.
    static int msUntilNextSecond(const QDateTime& now);

Q_SIGNALS:
    void tick();

private:
    void arm();
    void onTimeout();

    const Clock& m_clock;
    QTimer m_timer;
};

} // namespace quellor
