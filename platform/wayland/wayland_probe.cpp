// SPDX-License-Identifier: MIT

#include "wayland_probe.h"

#include "surface_role.h"

#include <QMetaObject>

#include <wayland-client.h>

#include <dlfcn.h>

#include <cstring>

namespace quellor {

namespace {

void global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    auto* g = static_cast<WaylandGlobals*>(data);
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0) {
        g->layerShell = true;
    } else if (std::strcmp(interface, "ext_session_lock_manager_v1") == 0) {
        g->sessionLock = true;
    }
}

void globalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kListener{global, globalRemove};

} // namespace

std::optional<WaylandGlobals> probeWaylandGlobals() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        return std::nullopt;
    }
    WaylandGlobals g;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kListener, &g);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered) {
        return std::nullopt;
    }
    return g;
}

std::string missingQtWaylandHooks() {
    // Qt's Wayland window class, as its library exports its meta-object: present since Qt 5 under
    // this name, and what a renaming would change first.
    const auto* meta = static_cast<const QMetaObject*>(
        dlsym(RTLD_DEFAULT, "_ZN15QtWaylandClient14QWaylandWindow16staticMetaObjectE"));
    if (!meta) {
        return "no QtWaylandClient::QWaylandWindow";
    }
    for (const char* signal : kQtSurfaceSignals) {
        if (meta->indexOfSignal(signal) < 0) {
            return std::string("its Wayland window has no signal ") + signal;
        }
    }
    return {};
}

} // namespace quellor
