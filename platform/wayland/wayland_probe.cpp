#include "wayland_probe.h"

#include <wayland-client.h>

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

} // namespace quellor
