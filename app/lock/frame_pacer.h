#pragma once
// SPDX-License-Identifier: MIT
// Paces the lock screen's animation at a fixed frame rate, whatever the machine, in batches the
// event loop runs one per turn. A machine that falls far behind skips the backlog instead of
// racing through it, so the points never speed up.

#include <algorithm>
#include <cstdint>

namespace quellor {

class FramePacer {
public:
    FramePacer(int framesPerSecond, int maxBatch) : m_rate(framesPerSecond), m_maxBatch(maxBatch) {}

    void restart(std::int64_t nowNs) {
        m_startNs = nowNs;
        m_run = 0;
    }

    // Frames to run now, at most one batch; they count as run.
    int framesDue(std::int64_t nowNs) {
        const std::int64_t elapsed = nowNs - m_startNs;
        constexpr std::int64_t kSecond = 1'000'000'000;
        // Split so that a lock left up for months does not overflow.
        const std::int64_t target = elapsed / kSecond * m_rate + elapsed % kSecond * m_rate / kSecond;
        std::int64_t due = target - m_run;
        if (due > maxBacklog()) {
            m_run = target - m_maxBatch;
            due = m_maxBatch;
        }
        const int batch = static_cast<int>(std::clamp<std::int64_t>(due, 0, m_maxBatch));
        m_run += batch;
        return batch;
    }

    std::int64_t framesRun() const { return m_run; }
    int rate() const { return m_rate; }
    int maxBatch() const { return m_maxBatch; }

private:
    // A quarter of a second of frames.
    std::int64_t maxBacklog() const { return std::max<std::int64_t>(m_rate / 4, m_maxBatch); }

    int m_rate;
    int m_maxBatch;
    std::int64_t m_startNs = 0;
    std::int64_t m_run = 0;
};

} // namespace quellor
