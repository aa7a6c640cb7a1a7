#pragma once
// SPDX-License-Identifier: MIT
// One registry round trip with the compositor at WAYLAND_DISPLAY, before Qt connects: which of
// the protocols the program needs it offers.

#include "session_choice.h"

#include <optional>
#include <string>

namespace quellor {

// nullopt when no compositor answers (or the program was built without Wayland support).
std::optional<WaylandGlobals> probeWaylandGlobals();

// What the roles need of Qt's private Wayland window and this Qt lacks, read from the loaded
// library before the application object exists; empty when nothing is missing.
std::string missingQtWaylandHooks();

} // namespace quellor
