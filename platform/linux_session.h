#pragma once
// SPDX-License-Identifier: MIT
// The platform layer for the session the program started in (see wayland/session_choice.h):
// the Wayland one where Qt runs on a Wayland compositor, else the X11 one.

#include "linux_platform.h"
#include "session_choice.h"

#include <memory>

namespace quellor {

// Call once the application object exists.
std::unique_ptr<LinuxPlatform> createLinuxPlatform(const SessionChoice& choice);

} // namespace quellor
