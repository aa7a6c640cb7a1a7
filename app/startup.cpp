#include "startup.h"

namespace quellor {

bool Startup::run() {
    if (!m_instance.acquire()) {
        m_forms.services().messages.warning(nullptr, alreadyRunningText());
        return false;
    }
    loadClassCursors(m_forms.classCursors());
    m_forms.showSplash();
    return true;
}

} // namespace quellor
