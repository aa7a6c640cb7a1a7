// SPDX-License-Identifier: MIT

#include "startup.h"

#include <cstdio>

namespace quellor {

bool Startup::run() {
    switch (m_instance.acquire()) {
    case SingleInstance::Result::OtherCopyRuns:
        if (m_instance.otherCopyLocked()) {
            // A box would stand beneath that copy's lock, out of reach, and keep this process waiting.
            std::fprintf(stderr, "Quellor: %s (its lock screen stands)\n",
                         qUtf8Printable(alreadyRunningText()));
        } else {
            m_forms.services().messages.warning(nullptr, alreadyRunningText());
        }
        return false;
    case SingleInstance::Result::LockUnavailable:
        // Without the lock a second copy cannot be told apart, but no copy is known to run.
        std::fprintf(stderr, "Quellor: single-instance lock not taken (%s); starting anyway\n",
                     qUtf8Printable(m_instance.why()));
        break;
    case SingleInstance::Result::Acquired:
        break;
    }
    m_forms.onLockChanged = [&instance = m_instance](bool locked) { instance.setLocked(locked); };
    loadClassCursors(m_forms.classCursors());
    m_forms.showSplash();
    return true;
}

} // namespace quellor
