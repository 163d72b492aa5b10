// Functions that only newer Windows versions (or not Wine) export. They are
// looked up by name at run time: a static import of a missing one loads, but
// calling it aborts the process.
#pragma once

#include <windows.h>

namespace corvale {

using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
using SetThreadDpiAwarenessContextFn = HANDLE(WINAPI*)(HANDLE);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The address of an export of "user32.dll", or null when it has none.
template <typename Fn>
Fn user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

// Per-monitor DPI awareness (v2) when the system has it, else system awareness.
void makeProcessDpiAware();

}  // namespace corvale
