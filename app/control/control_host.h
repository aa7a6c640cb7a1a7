#pragma once
// Everything that lets a script, the desktop's notifications and the session's idle handling
// reach the running program, wired to its windows.

#include "dbus_service.h"
#include "power_warning.h"
#include "schedule_control.h"

namespace quellor {

struct ControlHost {
    ControlHost(Forms& forms, AnsweringChooser& chooser, Notifications& notifications,
                IdleInhibitor& inhibitor)
        : schedule(forms, chooser), warning(schedule, notifications, inhibitor), service(schedule) {}

    ScheduleControl schedule;
    PowerWarning warning;
    ControlService service;
};

} // namespace quellor
