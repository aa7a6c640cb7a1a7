#pragma once
// SPDX-License-Identifier: MIT
// Which wall-clock readings each tick of the clock passed over, under the clock's rules:
// - a late tick, or the wall clock set forward by up to a minute while the machine stayed awake
//   (a time sync), passes every second in between, each once;
// - time spent suspended (the boot clock running ahead of the steady clock) passes nothing but
//   the second now shown: a time of day that went by while the machine slept never runs;
// - a longer jump forward, or any step back, passes only the second now shown;
// - across a change to or from summer time a passage runs from the local reading before to the
//   one after, so a time in a skipped hour falls in the passage that jumps over it, and the
//   repeated hour is passed again (its times come round twice; the schedule runs them once).

#include "clock.h"

#include <QDate>
#include <QDateTime>
#include <QList>

#include <optional>

namespace quellor {

// The local reading just before a second and at it; `before` is invalid when the second is to be
// taken alone, as the clock shows it.
struct Passage {
    QDateTime before;
    QDateTime at;

    // The local day on which the time of day `second` (since midnight) falls within the passage,
    // if it does.
    std::optional<QDate> dayOf(int second) const;
};

class ClockWalk {
public:
    explicit ClockWalk(const Clock& clock) : m_clock(clock) {}

    struct Step {
        QDateTime second;        // the second now on the clock, local
        QList<Passage> passages; // in order; empty while the same second is shown
    };
    Step step();

    static constexpr qint64 kCatchUpSeconds = 60;
    // Boot and steady clock drift apart by less than this while the machine stays awake.
    static constexpr qint64 kSleptMs = 500;

private:
    const Clock& m_clock;
    std::optional<qint64> m_lastSecond; // seconds since the epoch
    qint64 m_lastSteady = 0;
    qint64 m_lastBoot = 0;
};

} // namespace quellor
