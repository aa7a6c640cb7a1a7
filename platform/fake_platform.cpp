// SPDX-License-Identifier: MIT

#include "fake_platform.h"

#include <algorithm>

namespace quellor {

std::string FakePlatform::powerCall(PowerAction action) {
    switch (action) {
    case PowerAction::PowerOff:
        return "requestPower(PowerOff)";
    case PowerAction::Reboot:
        return "requestPower(Reboot)";
    case PowerAction::EndSession:
        return "requestPower(EndSession)";
    case PowerAction::PoliteLogoff:
        return "requestPower(PoliteLogoff)";
    }
    return "requestPower(?)";
}

void FakePlatform::requestPower(PowerAction action) {
    calls.push_back(powerCall(action));
}

void FakePlatform::failPower(PowerAction action, PowerFailure failure, bool advance,
                             std::vector<std::string> blockers) {
    if (powerListener) {
        powerListener->powerFailed({action, advance, failure, std::move(blockers), "fake"});
    }
}

void FakePlatform::enableShutdownPrivilege() {
    calls.emplace_back("enableShutdownPrivilege()");
}

void FakePlatform::setScreenSaverRunning(bool running) {
    screenSaverRunning = running;
    calls.push_back(std::string("setScreenSaverRunning(") + (running ? "true" : "false") + ")");
}

void FakePlatform::whenLockHoldsInput(std::function<void(bool held)> show) {
    if (lockInputAtOnce) {
        show(true);
    } else {
        lockInputWait = std::move(show);
    }
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

int FakePlatform::powerActions(PowerAction action) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), powerCall(action)));
}

int FakePlatform::powerActions() const {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("requestPower(", 0) == 0; }));
}

} // namespace quellor
