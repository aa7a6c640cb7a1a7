#include "fake_platform.h"

#include <algorithm>

namespace quellor {

void FakePlatform::exitWindows(unsigned flags) {
    calls.push_back("exitWindows(" + std::to_string(flags) + ")");
}

void FakePlatform::enableShutdownPrivilege() {
    calls.emplace_back("enableShutdownPrivilege()");
}

void FakePlatform::setScreenSaverRunning(bool running) {
    screenSaverRunning = running;
    calls.push_back(std::string("setScreenSaverRunning(") + (running ? "true" : "false") + ")");
}

void FakePlatform::setLockWindow(WindowId window) {
    lockWindow = window;
    calls.push_back(std::string("setLockWindow(") + (window ? "window" : "0") + ")");
}

ScreenRect FakePlatform::windowRect(WindowId window) const {
    if (auto it = windows.find(window); it != windows.end()) {
        return it->second;
    }
    return resolveWindow ? resolveWindow(window) : ScreenRect{};
}

void FakePlatform::setTopmost(WindowId window) {
    calls.push_back("setTopmost(" + std::to_string(window) + ")");
}

namespace {

class FakeDockWindow : public DockWindow {
public:
    FakeDockWindow(FakePlatform& platform, DockObserver& observer)
        : m_platform(platform), m_observer(observer) {
        m_platform.dockObserver = &observer;
    }
    ~FakeDockWindow() override {
        if (m_platform.dockObserver == &m_observer) {
            m_platform.dockObserver = nullptr;
        }
    }
    bool reportsCrossings() const override { return m_platform.dockCrossings; }

private:
    FakePlatform& m_platform;
    DockObserver& m_observer;
};

} // namespace

std::unique_ptr<DockWindow> FakePlatform::makeDock(WindowId window, DockObserver& observer) {
    calls.push_back("makeDock(" + std::to_string(window) + ")");
    return std::make_unique<FakeDockWindow>(*this, observer);
}

int FakePlatform::powerActions(unsigned flags) const {
    const std::string wanted = "exitWindows(" + std::to_string(flags) + ")";
    return static_cast<int>(std::count(calls.begin(), calls.end(), wanted));
}

int FakePlatform::powerActions() const {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("exitWindows(", 0) == 0; }));
}

} // namespace quellor
