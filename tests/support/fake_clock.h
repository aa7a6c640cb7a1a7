// SPDX-License-Identifier: MIT

#pragma once
#include "clock.h"

namespace quellor {

// A clock the test sets and advances by hand: advanceMs() lets time pass, set() and setTime()
// move only the wall clock, as setting the system clock does, and suspendMs() sleeps the machine.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0)))
        : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void setTime(const QTime& t) { m_now.setTime(t); }
    void advanceMs(qint64 ms) {
        m_now = m_now.addMSecs(ms);
        m_elapsed += ms;
    }
    void suspendMs(qint64 ms) {
        m_now = m_now.addMSecs(ms);
        m_slept += ms;
    }
    qint64 elapsedMs() const override { return m_elapsed; }
    qint64 bootMs() const override { return m_elapsed + m_slept; }

private:
    QDateTime m_now;
    qint64 m_elapsed = 0;
    qint64 m_slept = 0;
};

} // namespace quellor
