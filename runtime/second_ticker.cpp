// SPDX-License-Identifier: MIT

#include "second_ticker.h"

namespace quellor {

namespace {
// Land a hair after the boundary so the clock read in the tick is already the new second,
// even when the timer fires a millisecond early.
constexpr int kPastBoundaryMs = 2;
} // namespace

SecondTicker::SecondTicker(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTicker::onTimeout);
}

void SecondTicker::start() {
    arm();
}

void SecondTicker::stop() {
    m_timer.stop();
}

int SecondTicker::msUntilNextSecond(const QDateTime& now) {
    return 1000 - now.time().msec() + kPastBoundaryMs;
}

void SecondTicker::arm() {
    m_timer.start(msUntilNextSecond(m_clock.now()));
}

void SecondTicker::onTimeout() {
    arm();
    Q_EMIT tick();
}

} // namespace quellor
