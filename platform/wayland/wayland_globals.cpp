// SPDX-License-Identifier: MIT

#include "wayland_globals.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <cstdio>

namespace quellor {

wl_display* qtWaylandDisplay() {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native || QGuiApplication::platformName() != QLatin1String("wayland")) {
        return nullptr;
    }
    return static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
}

wl_output* qtWaylandOutput(QScreen* screen) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native || !screen) {
        return nullptr;
    }
    return static_cast<wl_output*>(native->nativeResourceForScreen("output", screen));
}

LayerShell::LayerShell() : QWaylandClientExtensionTemplate<LayerShell>(4) {
    initialize();
}

LayerShell::~LayerShell() {
    if (isInitialized() && QtWayland::zwlr_layer_shell_v1::version() >= 3) {
        destroy();
    }
}

bool LayerShell::onDemandKeyboard() const {
    return isInitialized() && QtWayland::zwlr_layer_shell_v1::version() >= 4;
}

SessionLockManager::SessionLockManager() : QWaylandClientExtensionTemplate<SessionLockManager>(1) {
    initialize();
}

SessionLockManager::~SessionLockManager() {
    if (isInitialized()) {
        destroy();
    }
}

SessionLock::SessionLock(SessionLockManager& manager) : m_manager(manager) {}

SessionLock::~SessionLock() {
    // Going away while locked leaves the session locked, which is the point: nothing to send.
    if (isInitialized() && !m_locked) {
        destroy();
    }
}

bool SessionLock::lock() {
    if (isInitialized() && !m_unlockWanted) {
        return true;
    }
    if (!m_manager.isActive()) {
        return false;
    }
    if (isInitialized()) {
        // Still waiting for the compositor's answer to the last lock: that one is taken back.
        m_unlockWanted = false;
        return true;
    }
    init(m_manager.lock());
    return true;
}

void SessionLock::unlock() {
    if (!isInitialized()) {
        return;
    }
    if (!m_locked) {
        m_unlockWanted = true;
        return;
    }
    finish();
}

void SessionLock::finish() {
    if (m_locked) {
        unlock_and_destroy();
        m_locked = false;
        Q_EMIT lockedChanged(false);
    } else {
        destroy();
    }
    m_unlockWanted = false;
}

bool SessionLock::claimOutput(wl_output* output) {
    return m_outputs.insert(output).second;
}

void SessionLock::releaseOutput(wl_output* output) {
    m_outputs.erase(output);
}

void SessionLock::ext_session_lock_v1_locked() {
    std::fprintf(stderr, "quellor: the compositor has locked the session\n");
    m_locked = true;
    Q_EMIT lockedChanged(true);
    if (m_unlockWanted) {
        finish();
    }
}

void SessionLock::ext_session_lock_v1_finished() {
    std::fprintf(stderr, "quellor: the compositor refused or ended the session lock\n");
    // After finished the object only waits to be destroyed, the way its state asks for.
    const bool wanted = m_unlockWanted;
    finish();
    if (!wanted) {
        Q_EMIT refused();
    }
}

} // namespace quellor
