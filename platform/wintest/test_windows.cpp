// SPDX-License-Identifier: MIT

#include "test_windows.h"

#include <stdexcept>

namespace wintest {

std::string registerFreshClass(const char* stem) {
    static int counter = 0;
    std::string name = std::string(stem) + std::to_string(++counter);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassA(&windowClass) == 0) {
        throw std::runtime_error("cannot register window class " + name);
    }
    return name;
}

TestWindow::TestWindow(const std::string& className, int x, int y, int width, int height) {
    m_hwnd = CreateWindowExA(0, className.c_str(), "Quellor test", WS_POPUP, x, y, width, height, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_hwnd == nullptr) {
        throw std::runtime_error("cannot create a window (is there a display?)");
    }
}

TestWindow::~TestWindow() {
    destroy();
}

void TestWindow::destroy() {
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }
}

} // namespace wintest
