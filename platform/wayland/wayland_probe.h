#pragma once
// One registry round trip with the compositor at WAYLAND_DISPLAY, before Qt connects: which of
// the protocols the program needs it offers.

#include "session_choice.h"

#include <optional>

namespace quellor {

// nullopt when no compositor answers (or the program was built without Wayland support).
std::optional<WaylandGlobals> probeWaylandGlobals();

} // namespace quellor
