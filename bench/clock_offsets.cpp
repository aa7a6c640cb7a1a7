// SPDX-License-Identifier: MIT

#include "clock_offsets.h"

#include <algorithm>
#include <cmath>

namespace quellor::bench {

namespace {
constexpr int kSecondsPerDay = 86400;
constexpr std::int64_t kMicrosPerDay = std::int64_t{kSecondsPerDay} * 1000000;
// A jump further than this is a clock set forward, not seconds the display failed to show.
constexpr int kLongestSkip = 3600;
} // namespace

std::optional<int> ClockOffsets::secondOfDay(const QString& text) {
    if (text.size() != 8 || text[2] != QLatin1Char(':') || text[5] != QLatin1Char(':')) {
        return std::nullopt;
    }
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const QChar hi = text[i * 3];
        const QChar lo = text[i * 3 + 1];
        if (!hi.isDigit() || !lo.isDigit() || hi.unicode() > '9' || lo.unicode() > '9') {
            return std::nullopt;
        }
        parts[i] = (hi.unicode() - '0') * 10 + (lo.unicode() - '0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

double ClockOffsets::offsetMs(int shownSecond, std::int64_t localMicrosOfDay) {
    std::int64_t d = localMicrosOfDay - std::int64_t{shownSecond} * 1000000;
    d %= kMicrosPerDay;
    if (d > kMicrosPerDay / 2) {
        d -= kMicrosPerDay;
    } else if (d <= -kMicrosPerDay / 2) {
        d += kMicrosPerDay;
    }
    return static_cast<double>(d) / 1000.0;
}

double ClockOffsets::percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

void ClockOffsets::record(const QString& shown, std::int64_t epochMicros, int utcOffsetSeconds) {
    const auto second = secondOfDay(shown);
    if (!second) {
        ++m_unreadable;
        return;
    }
    std::int64_t local = (epochMicros + std::int64_t{utcOffsetSeconds} * 1000000) % kMicrosPerDay;
    if (local < 0) {
        local += kMicrosPerDay;
    }
    m_offsets.push_back(offsetMs(*second, local));
    if (m_lastSecond) {
        const int step = ((*second - *m_lastSecond) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
        if (step >= 1 && step <= kLongestSkip) {
            m_skipped += step - 1;
        } else {
            ++m_clockJumps;
        }
    }
    m_lastSecond = second;
}

ClockSummary ClockOffsets::summary() const {
    ClockSummary s;
    s.changes = static_cast<int>(m_offsets.size());
    s.unreadable = m_unreadable;
    s.skipped = m_skipped;
    s.clockJumps = m_clockJumps;
    if (!m_offsets.empty()) {
        s.medianMs = percentile(m_offsets, 50);
        s.p99Ms = percentile(m_offsets, 99);
        s.maxMs = *std::max_element(m_offsets.begin(), m_offsets.end());
        s.minMs = *std::min_element(m_offsets.begin(), m_offsets.end());
    }
    return s;
}

} // namespace quellor::bench
