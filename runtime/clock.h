#pragma once
// The source of "now". Injected everywhere time is read so tests drive time without sleeping.

#include <QDateTime>

namespace quellor {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace quellor
