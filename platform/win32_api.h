#pragma once
// SPDX-License-Identifier: MIT
// The Win32 calls behind the Windows platform layer, as a table of function pointers. A
// default-constructed table holds the real functions; tests swap in recorders for the calls
// that would act on the machine (ending the session, token privileges, system parameters).

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace quellor {

struct Win32Api {
    // Acting on the system.
    decltype(&::ExitWindowsEx) exitWindowsEx = &::ExitWindowsEx;
    decltype(&::OpenProcessToken) openProcessToken = &::OpenProcessToken;
    decltype(&::LookupPrivilegeValueA) lookupPrivilegeValueA = &::LookupPrivilegeValueA;
    decltype(&::AdjustTokenPrivileges) adjustTokenPrivileges = &::AdjustTokenPrivileges;
    decltype(&::CloseHandle) closeHandle = &::CloseHandle;
    decltype(&::SystemParametersInfoA) systemParametersInfoA = &::SystemParametersInfoA;

    // Windows and the pointer.
    decltype(&::GetCursorPos) getCursorPos = &::GetCursorPos;
    decltype(&::GetForegroundWindow) getForegroundWindow = &::GetForegroundWindow;
    decltype(&::GetWindowRect) getWindowRect = &::GetWindowRect;
    decltype(&::GetDesktopWindow) getDesktopWindow = &::GetDesktopWindow;
    decltype(&::SetWindowPos) setWindowPos = &::SetWindowPos;

    // Class cursors.
    decltype(&::LoadCursorFromFileA) loadCursorFromFileA = &::LoadCursorFromFileA;
    decltype(&::SetClassLongPtrA) setClassLongPtrA = &::SetClassLongPtrA;
};

} // namespace quellor
