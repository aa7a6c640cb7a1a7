// SPDX-License-Identifier: MIT

#include "solid_buffer.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace quellor {

namespace {

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        *static_cast<wl_shm**>(data) =
            static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    }
}
void globalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{global, globalRemove};

} // namespace

SharedMemory::SharedMemory(wl_display* display) {
    if (!display) {
        return;
    }
    // Bound on a queue of our own, so the answer can be awaited without dispatching Qt's events.
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &kRegistry, &m_shm);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    if (m_shm) {
        // Its format events are of no interest: they go where nothing listens.
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_shm), nullptr);
    }
    wl_event_queue_destroy(queue);
}

SharedMemory::~SharedMemory() {
    if (m_shm) {
        wl_shm_destroy(m_shm);
    }
}

SolidBuffer::~SolidBuffer() {
    if (m_buffer) {
        wl_buffer_destroy(m_buffer);
    }
}

bool SolidBuffer::commitTo(const SharedMemory& memory, wl_surface* surface, QSize size, int scale) {
    wl_shm* shm = memory.object();
    if (!shm || !surface || size.isEmpty() || scale < 1 || size.width() > INT_MAX / 4 / scale) {
        return false;
    }
    const int width = size.width() * scale;
    const int height = size.height() * scale;
    const int stride = width * 4;
    if (height > INT_MAX / stride) {
        return false;
    }
    // A fresh memory file reads as zeros: black in XRGB.
    const int fd = memfd_create("quellor-solid", MFD_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    if (ftruncate(fd, off_t(stride) * height) != 0) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, stride * height);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    if (m_buffer) {
        wl_buffer_destroy(m_buffer);
    }
    m_buffer = buffer;
    wl_surface_set_buffer_scale(surface, scale);
    wl_surface_attach(surface, m_buffer, 0, 0);
    wl_surface_damage(surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(surface);
    return true;
}

} // namespace quellor
