// SPDX-License-Identifier: MIT

#include "linux_session.h"

#include <QGuiApplication>

#include <cstdio>

#ifdef QUELLOR_WAYLAND
#include "wayland_platform.h"
#endif

namespace quellor {

std::unique_ptr<LinuxPlatform> createLinuxPlatform(const SessionChoice& choice) {
    const bool onWayland = QGuiApplication::platformName() == QLatin1String("wayland");
    if (onWayland != choice.onWayland) {
        std::fprintf(stderr, "quellor: Qt runs on its %s platform\n",
                     qPrintable(QGuiApplication::platformName()));
    }
#ifdef QUELLOR_WAYLAND
    if (onWayland) {
        return std::make_unique<WaylandPlatform>(choice);
    }
#endif
    auto platform = std::make_unique<LinuxPlatform>();
    // A Wayland session's programs are beyond the reach of an X11 grab.
    platform->setLockThroughSessionLocker(onWayland || choice.lockNeedsSessionLocker);
    return platform;
}

} // namespace quellor
