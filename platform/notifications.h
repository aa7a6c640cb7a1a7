#pragma once
// SPDX-License-Identifier: MIT
// Desktop notifications: one at a time, with one action the user can invoke from it.

#include <functional>
#include <string>

namespace quellor {

class Notifications {
public:
    virtual ~Notifications() = default;
    // Shows `summary` and `body` (UTF-8) in place of what this object showed before;
    // `onAction` runs when the user invokes the action labelled `actionLabel`. Where no
    // notification server answers, nothing is shown and nothing is reported.
    virtual void show(const std::string& summary, const std::string& body, const std::string& actionLabel,
                      std::function<void()> onAction) = 0;
    // Withdraws what show() put up, if anything.
    virtual void close() = 0;
};

// For systems without a notification service of ours.
class NoNotifications : public Notifications {
public:
    void show(const std::string&, const std::string&, const std::string&, std::function<void()>) override {}
    void close() override {}
};

} // namespace quellor
