#include "globals.h"

#include "class_cursors.h"

std::int16_t g_TimerAction = 0;
std::shared_ptr<quellor::LoadedCursor> g_FormCursor;
std::shared_ptr<quellor::LoadedCursor> g_ButtonCursor;
