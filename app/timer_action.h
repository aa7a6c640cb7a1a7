#pragma once
// SPDX-License-Identifier: MIT
// The timed power action the user chose in the timer-options dialog, and what each asks of the
// system. The numbers are the ones the options file stores.

#include "platform.h"

#include <cstdint>
#include <optional>

namespace quellor {

enum class TimerAction : std::int16_t {
    None = 0,
    ShutDown = 1,
    Restart = 2,
    LogOff = 3,
    Wait = 4, // despite its caption, a log-off that forces only programs that hang
};

// What the action asks of the system when its time comes; nothing for None.
constexpr std::optional<PowerAction> powerActionFor(TimerAction action) {
    switch (action) {
    case TimerAction::ShutDown:
        return PowerAction::PowerOff;
    case TimerAction::Restart:
        return PowerAction::Reboot;
    case TimerAction::LogOff:
        return PowerAction::EndSession;
    case TimerAction::Wait:
        return PowerAction::PoliteLogoff;
    case TimerAction::None:
        break;
    }
    return std::nullopt;
}

} // namespace quellor
