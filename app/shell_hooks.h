// The few system calls the shell makes through pointers, so tests can stand
// in for a person at a message box or for a pen that Wine cannot produce.
// The pen functions are looked up by name: Wine's user32 lacks some of them.
#pragma once

#include <windows.h>

#include "startup_faults.h"

namespace corvale {

using MessageBoxFn = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
using GetPointerTypeFn = BOOL(WINAPI*)(UINT32 pointerId, POINTER_INPUT_TYPE* type);
using GetPointerPenInfoFn = BOOL(WINAPI*)(UINT32 pointerId, POINTER_PEN_INFO* info);
using GetPointerPenInfoHistoryFn = BOOL(WINAPI*)(UINT32 pointerId, UINT32* entriesCount, POINTER_PEN_INFO* info);

struct ShellHooks {
    MessageBoxFn messageBox = nullptr;                              // every box the shell shows
    GetPointerTypeFn getPointerType = nullptr;                      // null: no pointer is a pen
    GetPointerPenInfoFn getPointerPenInfo = nullptr;                // null: pen information unavailable
    GetPointerPenInfoHistoryFn getPointerPenInfoHistory = nullptr;  // null: no history
    StartupFaults* startupFaults = nullptr;                         // tests: start-up steps made to fail
};

// MessageBoxW and whatever pointer functions this system's user32 exports.
ShellHooks systemShellHooks();

}  // namespace corvale
