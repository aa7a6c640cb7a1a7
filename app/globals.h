#pragma once
// SPDX-License-Identifier: MIT
// The program-wide state; everything else lives in the windows and the schedule.

#include "timer_action.h"

// The timed power action; None until the timer-options dialog is first confirmed (or a script
// arms one). It is the schedule's: only ScheduleModel writes it.
extern quellor::TimerAction g_TimerAction;

// The form and button cursors are held by the ClassCursors that shows them (Forms::classCursors).
