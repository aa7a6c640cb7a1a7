// SPDX-License-Identifier: MIT

#include "windows_class_cursors.h"

namespace quellor {

void WindowsClassCursors::load() {
    if (HCURSOR cursor = m_api.loadCursorFromFileA(kFormCursorFile)) {
        m_formCursor = cursor;
    }
    if (HCURSOR cursor = m_api.loadCursorFromFileA(kButtonCursorFile)) {
        m_buttonCursor = cursor;
    }
}

void WindowsClassCursors::install(WindowId windowOfClass, HCURSOR cursor) const {
    // Installing no cursor would leave the class without one, and the pointer would keep
    // whatever shape it had outside; the class's own cursor is the better fallback.
    if (cursor == nullptr) {
        return;
    }
    m_api.setClassLongPtrA(reinterpret_cast<HWND>(windowOfClass), GCLP_HCURSOR,
                           reinterpret_cast<LONG_PTR>(cursor));
}

} // namespace quellor
