#pragma once
// SPDX-License-Identifier: MIT
// Keeps the session from idling into a blank screen or sleep while the program waits for a time.

#include <string>

namespace quellor {

class IdleInhibitor {
public:
    virtual ~IdleInhibitor() = default;
    // Until release(); `why` (UTF-8) is shown where the system lists what holds it awake.
    // Holding again while held with the same `why` changes nothing; with another, the hold is
    // taken anew under that text before the old one is given back.
    virtual void hold(const std::string& why) = 0;
    virtual void release() = 0;
};

class NoIdleInhibitor : public IdleInhibitor {
public:
    void hold(const std::string&) override {}
    void release() override {}
};

} // namespace quellor
