#pragma once
// SPDX-License-Identifier: MIT
// Everything that lets a script, the desktop's notifications and the session's idle handling
// reach the running program: each calls or observes the schedule, never a window.

#include "alarm_notice.h"
#include "dbus_service.h"
#include "forms.h"
#include "idle_hold.h"
#include "power_warning.h"

namespace quellor {

struct ControlHost {
    // Two notifications may stand at once: the warning before acting and the ringing alarm.
    ControlHost(Forms& forms, Notifications& warnings, Notifications& alarms, IdleInhibitor& inhibitor)
        : awake(forms.schedule(), inhibitor), warning(forms.schedule(), warnings),
          alarm(forms.schedule(), alarms, [&forms] { return forms.mainWindowInSight(); }),
          service(forms.schedule()) {}

    IdleHold awake;
    PowerWarning warning;
    AlarmNotice alarm;
    ControlService service;
};

} // namespace quellor
