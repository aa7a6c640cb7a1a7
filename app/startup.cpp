#include "startup.h"

#include <cstdio>

namespace quellor {

bool Startup::run() {
    switch (m_instance.acquire()) {
    case SingleInstance::Result::OtherCopyRuns:
        m_forms.services().messages.warning(nullptr, alreadyRunningText());
        return false;
    case SingleInstance::Result::LockUnavailable:
        // Without the lock a second copy cannot be told apart, but no copy is known to run.
        std::fprintf(stderr, "Quellor: single-instance lock not taken (%s); starting anyway\n",
                     qUtf8Printable(m_instance.why()));
        break;
    case SingleInstance::Result::Acquired:
        break;
    }
    loadClassCursors(m_forms.classCursors());
    m_forms.showSplash();
    return true;
}

} // namespace quellor
