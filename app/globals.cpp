// SPDX-License-Identifier: MIT

#include "globals.h"

quellor::TimerAction g_TimerAction = quellor::TimerAction::None;
