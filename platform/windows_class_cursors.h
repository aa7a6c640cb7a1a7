#pragma once
// SPDX-License-Identifier: MIT
// The program's hand cursors as Win32 class cursors. A class cursor belongs to a window class,
// so installing it through any one window of a class gives it to every window of that class in
// the process, including those created later.

#include "platform.h"
#include "win32_api.h"

namespace quellor {

class WindowsClassCursors {
public:
    // Bare names: looked up in the current directory, not the program's.
    static constexpr const char* kFormCursorFile = "hand.ani";
    static constexpr const char* kButtonCursorFile = "hand1.cur";

    explicit WindowsClassCursors(Win32Api api = {}) : m_api(api) {}

    // Loads both cursors afresh. Handles loaded before are never freed, since classes may still
    // show them; a file that fails to load leaves its cursor as it was.
    void load();

    // Give the class of this window the form cursor (forms, frames) or the button cursor.
    void installFormCursor(WindowId windowOfClass) const { install(windowOfClass, m_formCursor); }
    void installButtonCursor(WindowId windowOfClass) const { install(windowOfClass, m_buttonCursor); }

    HCURSOR formCursor() const { return m_formCursor; }
    HCURSOR buttonCursor() const { return m_buttonCursor; }

private:
    void install(WindowId windowOfClass, HCURSOR cursor) const;

    Win32Api m_api;
    HCURSOR m_formCursor = nullptr;
    HCURSOR m_buttonCursor = nullptr;
};

} // namespace quellor
