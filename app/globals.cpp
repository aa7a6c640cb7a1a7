#include "globals.h"

std::int16_t g_TimerAction = 0;
