// SPDX-License-Identifier: MIT

#include "clock_walk.h"

namespace quellor {

namespace {

constexpr qint64 kDay = 24 * 60 * 60;

QDateTime localSecond(qint64 secsSinceEpoch) {
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch); // local time
}

// A local reading as a plain count of seconds, as the clock's face shows it: it runs back over
// a repeated hour and leaps over a skipped one.
qint64 faceSeconds(const QDate& day, int second) {
    return day.toJulianDay() * kDay + second;
}
qint64 faceSeconds(const QDateTime& t) {
    return faceSeconds(t.date(), t.time().msecsSinceStartOfDay() / 1000);
}

} // namespace

std::optional<QDate> Passage::dayOf(int second) const {
    if (!before.isValid()) {
        return at.time().msecsSinceStartOfDay() / 1000 == second ? std::optional<QDate>(at.date())
                                                                 : std::nullopt;
    }
    const qint64 from = faceSeconds(before);
    const qint64 to = faceSeconds(at);
    for (const QDate& day : {before.date(), at.date()}) {
        const qint64 t = faceSeconds(day, second);
        if (from < t && t <= to) {
            return day;
        }
    }
    return std::nullopt;
}

ClockWalk::Step ClockWalk::step() {
    const QDateTime wall = m_clock.now();
    const qint64 steady = m_clock.elapsedMs();
    const qint64 boot = m_clock.bootMs();
    const qint64 now = wall.toSecsSinceEpoch();
    Step out{localSecond(now), {}};

    if (!m_lastSecond) {
        out.passages.append({{}, out.second});
    } else if (now != *m_lastSecond) {
        const qint64 slept = (boot - m_lastBoot) - (steady - m_lastSteady);
        const qint64 gap = now - *m_lastSecond;
        if (slept < kSleptMs && gap > 0 && gap <= kCatchUpSeconds) {
            for (qint64 s = *m_lastSecond + 1; s <= now; ++s) {
                out.passages.append({localSecond(s - 1), localSecond(s)});
            }
        } else {
            out.passages.append({{}, out.second});
        }
    }
    m_lastSecond = now;
    m_lastSteady = steady;
    m_lastBoot = boot;
    return out;
}

} // namespace quellor
