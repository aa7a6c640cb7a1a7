#pragma once
// SPDX-License-Identifier: MIT
// Real windows for the tests: a fresh window class per call, so class cursors set by one case
// never leak into another, and windows that are destroyed with their scope.

#include "platform.h"
#include "win32_api.h"

#include <ostream>
#include <string>

namespace quellor {
inline std::ostream& operator<<(std::ostream& out, const ScreenPoint& p) {
    return out << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace quellor

namespace wintest {

// Registers a new window class whose own cursor is the standard arrow; returns its name.
std::string registerFreshClass(const char* stem);

class TestWindow {
public:
    TestWindow(const std::string& className, int x, int y, int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    quellor::WindowId id() const { return reinterpret_cast<quellor::WindowId>(m_hwnd); }
    void destroy();

private:
    HWND m_hwnd = nullptr;
};

inline HCURSOR classCursor(HWND window) {
    return reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR));
}

} // namespace wintest
