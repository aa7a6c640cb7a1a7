// SPDX-License-Identifier: MIT
// The Windows platform layer under wine. Calls that would act on the machine (ending the
// session, token privileges, the screen-saver flag) go to recorders; window and pointer
// queries run for real on windows the test creates.

#include "check.h"
#include "test_windows.h"
#include "windows_platform.h"

#include <optional>
#include <utility>
#include <vector>

using quellor::ScreenPoint;
using quellor::ScreenRect;
using quellor::Win32Api;
using quellor::WindowsPlatform;
using wintest::TestWindow;

namespace {

std::string luidText(const LUID& luid) {
    return std::to_string(luid.HighPart) + ":" + std::to_string(luid.LowPart);
}

// What the recorders saw, and how they answer.
struct Recording {
    std::vector<std::string> calls;
    bool tokenOpens = true;
    bool privilegeKnown = true;
    HANDLE token = nullptr;
    std::vector<std::optional<POINT>> cursorAnswers;

    std::string tokenText(HANDLE handle) const {
        return handle != nullptr && handle == token ? "token" : "handle " + check::show(handle);
    }
};

Recording* recording = nullptr;

BOOL WINAPI recordExitWindowsEx(UINT flags, DWORD reason) {
    recording->calls.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) +
                               ")");
    return TRUE;
}

BOOL WINAPI recordOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    const std::string who = process == GetCurrentProcess() ? "current process" : "another process";
    recording->calls.push_back("OpenProcessToken(" + who + ", " + std::to_string(access) + ")");
    if (!recording->tokenOpens || !OpenProcessToken(process, access, token)) {
        return FALSE;
    }
    recording->token = *token;
    return TRUE;
}

BOOL WINAPI recordLookupPrivilegeValueA(LPCSTR system, LPCSTR name, PLUID luid) {
    const std::string systemText = system == nullptr ? "null" : "\"" + std::string(system) + "\"";
    recording->calls.push_back("LookupPrivilegeValueA(" + systemText + ", " + name + ")");
    return recording->privilegeKnown && LookupPrivilegeValueA(system, name, luid);
}

BOOL WINAPI recordAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES privileges,
                                        DWORD previousLength, PTOKEN_PRIVILEGES previous, PDWORD returned) {
    std::string text = "AdjustTokenPrivileges(" + recording->tokenText(token) + ", " +
                       std::to_string(disableAll) + ", count " + std::to_string(privileges->PrivilegeCount);
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        text += ", luid " + luidText(privileges->Privileges[i].Luid) + " attributes " +
                std::to_string(privileges->Privileges[i].Attributes);
    }
    text += ", previous " + std::to_string(previousLength) + (previous ? " bytes" : " bytes at null") +
            (returned ? ", length" : ", no length") + ")";
    recording->calls.push_back(text);
    return TRUE;
}

BOOL WINAPI recordCloseHandle(HANDLE handle) {
    recording->calls.push_back("CloseHandle(" + recording->tokenText(handle) + ")");
    return CloseHandle(handle);
}

BOOL WINAPI recordSystemParametersInfoA(UINT action, UINT param, PVOID buffer, UINT winIni) {
    recording->calls.push_back("SystemParametersInfoA(" + std::to_string(action) + ", " +
                               std::to_string(param) + (buffer ? ", buffer, " : ", null, ") +
                               std::to_string(winIni) + ")");
    return TRUE;
}

BOOL WINAPI answerGetCursorPos(LPPOINT point) {
    auto& answers = recording->cursorAnswers;
    if (answers.empty() || !answers.front()) {
        if (!answers.empty()) {
            answers.erase(answers.begin());
        }
        return FALSE;
    }
    *point = *answers.front();
    answers.erase(answers.begin());
    return TRUE;
}

// Installs a fresh recording for the scope and hands out the table that feeds it.
struct Recorded {
    Recording data;
    Recorded() { recording = &data; }
    ~Recorded() { recording = nullptr; }

    static Win32Api api() {
        Win32Api api;
        api.exitWindowsEx = recordExitWindowsEx;
        api.openProcessToken = recordOpenProcessToken;
        api.lookupPrivilegeValueA = recordLookupPrivilegeValueA;
        api.adjustTokenPrivileges = recordAdjustTokenPrivileges;
        api.closeHandle = recordCloseHandle;
        api.systemParametersInfoA = recordSystemParametersInfoA;
        api.getCursorPos = answerGetCursorPos;
        return api;
    }
};

ScreenRect screenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

TEST_CASE(power_actions_pass_their_flags_with_reason_zero) {
    using quellor::PowerAction;
    const std::pair<PowerAction, unsigned> cases[] = {{PowerAction::PowerOff, 12u},
                                                      {PowerAction::Reboot, 6u},
                                                      {PowerAction::EndSession, 4u},
                                                      {PowerAction::PoliteLogoff, 16u}};
    for (const auto& [action, flags] : cases) {
        check::Row row("flags " + std::to_string(flags));
        Recorded recorded;
        WindowsPlatform platform(Recorded::api());
        platform.requestPower(action);
        CHECK_EQ(recorded.data.calls,
                 std::vector<std::string>{"ExitWindowsEx(" + std::to_string(flags) + ", 0)"});
    }
}

TEST_CASE(shutdown_privilege_steps) {
    LUID shutdown{};
    CHECK(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown));
    const std::string open = "OpenProcessToken(current process, 40)";
    const std::string lookup = "LookupPrivilegeValueA(\"\", SeShutdownPrivilege)";
    const std::string adjust = "AdjustTokenPrivileges(token, 0, count 1, luid " + luidText(shutdown) +
                               " attributes 2, previous 16 bytes, length)";
    const std::string close = "CloseHandle(token)";
    struct Row {
        const char* label;
        bool tokenOpens;
        bool privilegeKnown;
        std::vector<std::string> calls;
    };
    const Row rows[] = {
        {"every step succeeds", true, true, {open, lookup, adjust, close}},
        {"no token: nothing to adjust or close", false, true, {open}},
        {"unknown privilege: the token is still closed", true, false, {open, lookup, close}},
    };
    for (const Row& r : rows) {
        check::Row row(r.label);
        Recorded recorded;
        recorded.data.tokenOpens = r.tokenOpens;
        recorded.data.privilegeKnown = r.privilegeKnown;
        WindowsPlatform platform(Recorded::api());
        platform.enableShutdownPrivilege();
        CHECK_EQ(recorded.data.calls, r.calls);
    }
}

TEST_CASE(screen_saver_flag) {
    for (bool running : {true, false}) {
        check::Row row(running ? "running" : "stopped");
        Recorded recorded;
        WindowsPlatform platform(Recorded::api());
        platform.setScreenSaverRunning(running);
        const std::string expected =
            running ? "SystemParametersInfoA(97, 1, buffer, 0)" : "SystemParametersInfoA(97, 0, buffer, 0)";
        CHECK_EQ(recorded.data.calls, std::vector<std::string>{expected});
    }
}

TEST_CASE(cursor_position_follows_the_pointer) {
    WindowsPlatform platform;
    for (ScreenPoint p : {ScreenPoint{100, 200}, ScreenPoint{0, 0}, ScreenPoint{640, 3}}) {
        check::Row row(check::show(p));
        CHECK(SetCursorPos(p.x, p.y));
        CHECK_EQ(platform.cursorPos(), p);
    }
}

TEST_CASE(cursor_position_when_the_pointer_cannot_be_read) {
    // The top edge is where the main window slides down, so a failed read must never look
    // like a pointer at (0, 0).
    const ScreenRect screen = screenRect();
    const ScreenPoint centre{screen.right / 2, screen.bottom / 2};
    struct Step {
        const char* label;
        std::optional<POINT> answer;
        ScreenPoint expected;
    };
    const Step steps[] = {
        {"fails before any read: the screen's centre", std::nullopt, centre},
        {"reads", POINT{5, 6}, {5, 6}},
        {"fails: the last position read", std::nullopt, {5, 6}},
        {"reads again", POINT{7, 0}, {7, 0}},
    };
    Recorded recorded;
    for (const Step& s : steps) {
        recorded.data.cursorAnswers.push_back(s.answer);
    }
    WindowsPlatform platform(Recorded::api());
    for (const Step& s : steps) {
        check::Row row(s.label);
        CHECK_EQ(platform.cursorPos(), s.expected);
    }
}

TEST_CASE(foreground_window_is_the_one_activated_last) {
    const std::string windowClass = wintest::registerFreshClass("QuellorForeground");
    TestWindow first(windowClass, 10, 10, 200, 100);
    TestWindow second(windowClass, 300, 10, 200, 100);
    WindowsPlatform platform;
    for (const TestWindow* w : {&first, &second, &first}) {
        check::Row row(w == &first ? "first" : "second");
        ShowWindow(w->hwnd(), SW_SHOW);
        SetForegroundWindow(w->hwnd());
        CHECK_EQ(platform.foregroundWindow(), w->id());
    }
}

TEST_CASE(window_rect_in_screen_pixels) {
    const std::string windowClass = wintest::registerFreshClass("QuellorRect");
    struct Row {
        const char* label;
        int x, y, width, height;
    };
    const Row rows[] = {
        {"on the screen", 10, 20, 300, 200},
        {"parked above the top edge", 363, -239, 297, 241},
        {"left of the screen", -500, 100, 120, 80},
    };
    WindowsPlatform platform;
    for (const Row& r : rows) {
        check::Row row(r.label);
        TestWindow window(windowClass, r.x, r.y, r.width, r.height);
        CHECK_EQ(platform.windowRect(window.id()), (ScreenRect{r.x, r.y, r.x + r.width, r.y + r.height}));
    }
    {
        check::Row row("a window that is gone");
        TestWindow window(windowClass, 10, 20, 300, 200);
        const quellor::WindowId gone = window.id();
        window.destroy();
        CHECK_EQ(platform.windowRect(gone), ScreenRect{});
        CHECK_EQ(platform.windowRect(0), ScreenRect{});
    }
}

TEST_CASE(desktop_rect_is_the_screen) {
    WindowsPlatform platform;
    CHECK_EQ(platform.desktopRect(), screenRect());
}

TEST_CASE(topmost_keeps_place_and_size) {
    const std::string windowClass = wintest::registerFreshClass("QuellorTopmost");
    TestWindow window(windowClass, 363, -239, 297, 241);
    TestWindow other(windowClass, 10, 20, 100, 100);
    auto topmost = [](const TestWindow& w) {
        return (GetWindowLongPtrA(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    CHECK(!topmost(window));
    WindowsPlatform platform;
    platform.setTopmost(window.id());
    CHECK(topmost(window));
    CHECK(!topmost(other));
    CHECK_EQ(platform.windowRect(window.id()), (ScreenRect{363, -239, 660, 2}));
}
