#pragma once
// The program-wide state; everything else lives in the windows.

#include <cstdint>

// The timed power action: 0 none, 1 shut down, 2 restart, 3 log off, 4 wait.
extern std::int16_t g_TimerAction;
