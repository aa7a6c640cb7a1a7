#include "startup.h"

namespace quellor {

bool Startup::run() {
    if (!m_instance.acquire()) {
        m_forms.services().messages.warning(nullptr, alreadyRunningText());
        return false;
    }
    m_forms.showSplash();
    return true;
}

} // namespace quellor
