#pragma once
// SPDX-License-Identifier: MIT
// Black buffers from shared memory, for a surface that must show something before Qt has painted
// it: a session-lock surface may never be committed without a buffer, and Qt commits its
// surfaces while it sets them up.

#include <QSize>

struct wl_buffer;
struct wl_display;
struct wl_shm;
struct wl_surface;

namespace quellor {

// The compositor's shared-memory global, bound on Qt's connection.
class SharedMemory {
public:
    explicit SharedMemory(wl_display* display);
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;
    wl_shm* object() const { return m_shm; }

private:
    wl_shm* m_shm = nullptr;
};

class SolidBuffer {
public:
    SolidBuffer() = default;
    ~SolidBuffer();
    SolidBuffer(const SolidBuffer&) = delete;
    SolidBuffer& operator=(const SolidBuffer&) = delete;

    // Attaches a black buffer of `size` (in surface units, drawn at `scale`) to `surface`, damages
    // all of it and commits. False when no buffer could be made; nothing is committed then.
    bool commitTo(const SharedMemory& memory, wl_surface* surface, QSize size, int scale);

private:
    wl_buffer* m_buffer = nullptr;
};

} // namespace quellor
