// SPDX-License-Identifier: MIT
// The floor for the clock: a bare process that sleeps to each true second boundary (plus the
// same 2 ms margin as the main window's ticker) and notes how late it woke. Run beside
// clock_offset under the same load, it tells what the scheduler alone costs.
//
//   wake_floor [SECONDS]   (default 600)

#include "clock_offsets.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    if (seconds < 1) {
        std::fprintf(stderr, "usage: wake_floor [SECONDS]\n");
        return 2;
    }
    constexpr long kMarginNs = 2'000'000;
    std::vector<double> offsets;
    for (int i = 0; i < seconds; ++i) {
        timespec target{};
        clock_gettime(CLOCK_REALTIME, &target);
        target.tv_sec += 1;
        target.tv_nsec = kMarginNs;
        while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &target, nullptr) != 0) {
        }
        timespec woke{};
        clock_gettime(CLOCK_REALTIME, &woke);
        // From the boundary, as the clock's figures are.
        offsets.push_back(static_cast<double>(woke.tv_sec - target.tv_sec) * 1e3 +
                          static_cast<double>(woke.tv_nsec) / 1e6);
    }
    using quellor::bench::ClockOffsets;
    std::printf("wakes: %zu\n", offsets.size());
    std::printf("offset median: %.2f ms\n", ClockOffsets::percentile(offsets, 50));
    std::printf("offset p99: %.2f ms\n", ClockOffsets::percentile(offsets, 99));
    std::printf("offset max: %.2f ms\n", ClockOffsets::percentile(offsets, 100));
    return 0;
}
