#pragma once
// SPDX-License-Identifier: MIT
// The source of "now". Injected everywhere time is read so tests drive time without sleeping.

#include <QDateTime>

#include <chrono>

#ifdef Q_OS_LINUX
#include <time.h>
#endif

namespace quellor {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds on a steady clock that neither moves when the wall clock is set nor runs
    // while the machine sleeps; it tells a late tick from a jump of the wall clock.
    virtual qint64 elapsedMs() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    // Milliseconds on a clock that runs on while the machine sleeps: ahead of elapsedMs() by the
    // time spent suspended. Where the system cannot tell, nobody ever slept.
    virtual qint64 bootMs() const { return elapsedMs(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
#ifdef Q_OS_LINUX
    qint64 elapsedMs() const override {
        return read(CLOCK_MONOTONIC);
    }
    qint64 bootMs() const override {
        return read(CLOCK_BOOTTIME);
    }

private:
    static qint64 read(clockid_t id) {
        timespec t{};
        clock_gettime(id, &t);
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
#endif
};

} // namespace quellor
