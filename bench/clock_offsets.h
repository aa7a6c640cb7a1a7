#pragma once
// SPDX-License-Identifier: MIT
// Turns the moments at which the clock text changed into the figures the clock benchmark
// reports: how far after the true second boundary each change landed, and how many seconds
// the display jumped over.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quellor::bench {

struct ClockSummary {
    int changes = 0;    // changes that showed a readable time
    int unreadable = 0; // changes whose text was not "hh:mm:ss"
    int skipped = 0;    // seconds never shown between two successive changes
    int clockJumps = 0; // changes to a second not 1 s to an hour after the one before (clock set)
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
    double minMs = 0;
};

class ClockOffsets {
public:
    // Seconds since midnight for a "hh:mm:ss" text; nullopt for anything else.
    static std::optional<int> secondOfDay(const QString& text);
    // Milliseconds from the start of `shownSecond` to the moment `localMicrosOfDay`, taking the
    // shorter way round midnight (a change landing just after 00:00:00 for 23:59:59 is late, not
    // a day early).
    static double offsetMs(int shownSecond, std::int64_t localMicrosOfDay);
    // Nearest-rank percentile (0 < p <= 100) of unsorted values; 0 for none.
    static double percentile(std::vector<double> values, double p);

    // One change of the shown text, observed at `epochMicros` (UTC) in a zone `utcOffsetSeconds`
    // ahead of UTC.
    void record(const QString& shown, std::int64_t epochMicros, int utcOffsetSeconds);

    ClockSummary summary() const;

private:
    std::vector<double> m_offsets;
    std::optional<int> m_lastSecond;
    int m_unreadable = 0;
    int m_skipped = 0;
    int m_clockJumps = 0;
};

} // namespace quellor::bench
