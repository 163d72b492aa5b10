// The modal Board Mechanics window: a scrolling form of the board's seven
// mechanics values and the stored-stroke limit, with their original values.
#pragma once

#include <windows.h>

#include "game.h"

namespace corvale {

inline constexpr wchar_t mechanicsWindowClass[] = L"Corvale.MechanicsDialog.Window";
inline constexpr wchar_t mechanicsPanelClass[] = L"Corvale.MechanicsDialog.Panel";
inline constexpr LRESULT mechanicsDialogSignature = 0x534B0001;  // the answer to WM_USER
inline constexpr int mechanicsFirstFieldId = 3101;               // field i has id 3101 + i
inline constexpr int mechanicsApplyId = 3118;
inline constexpr int mechanicsRestoreId = 3119;
inline constexpr int mechanicsStatusId = 3120;
inline constexpr int mechanicsPanelId = 3121;

using MechanicsBoxFn = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);

// Shows the window, modal to `owner`, and returns when it closes: true when
// settings were applied at least once. The Game changes only through
// applyMechanics and setStrokeLimit. `warningBox` shows the form's warnings
// (null = MessageBoxW). Throws std::runtime_error when the window cannot be
// built or its loop fails; the owner is enabled again first.
bool runMechanicsDialog(HWND owner, HINSTANCE module, Game& game, MechanicsBoxFn warningBox = nullptr);

}  // namespace corvale
