#pragma once
// The program-wide state; everything else lives in the windows.

#include <cstdint>
#include <memory>

namespace quellor {
struct LoadedCursor;
}

// The timed power action: 0 none, 1 shut down, 2 restart, 3 log off, 4 wait.
extern std::int16_t g_TimerAction;

// Cursors loaded from "hand.ani" and "hand1.cur" at start-up and again when the main window
// loads; null when a file is missing. Windows and frames show the first, buttons the second.
extern std::shared_ptr<quellor::LoadedCursor> g_FormCursor;
extern std::shared_ptr<quellor::LoadedCursor> g_ButtonCursor;
