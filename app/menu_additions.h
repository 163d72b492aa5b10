// The Game menu items the program adds to menu 102 when its window is created.
// They read the same, in English, whatever language the menu itself is in, so
// each translated Game menu keeps its own mnemonics clear of theirs.
#pragma once

#include <windows.h>

#include "resource_ids.h"

namespace corvale {

struct MenuAddition {
    UINT id;
    UINT before;  // the command the item is inserted in front of
    const wchar_t* text;
    const char* failure;  // the error when Windows refuses the insertion
};

inline constexpr MenuAddition menuAdditions[] = {
    {IDC_STATISTICS, IDC_CLEAR_INK, L"&Statistics...", "The statistics menu could not be created."},
    {IDC_BROWSE_BOARDS, IDC_CLEAR_INK, L"&Browse Boards...\tCtrl+B", "The board browser menu could not be created."},
    {IDC_RESTART_BOARD, IDC_PAUSE, L"&Restart Current Board\tCtrl+R", "The game controls could not be created."},
    {IDC_BOARD_MECHANICS, IDC_CLEAR_INK, L"Board &Mechanics...\tCtrl+M", "The game controls could not be created."},
    {IDC_SHOW_FPS, IDC_CLEAR_INK, L"Show &FPS", "The game controls could not be created."},
};

}  // namespace corvale
