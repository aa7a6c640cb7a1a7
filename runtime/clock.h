#pragma once
// The source of "now". Injected everywhere time is read so tests drive time without sleeping.

#include <QDateTime>

#include <chrono>

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
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace quellor
