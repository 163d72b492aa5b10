// Reads one language's menu and string table from the resources linked into
// the test, by FindResourceExW rather than the thread's language: the exact
// language, else that language without its region.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvale::testing {

struct MenuEntry {
    UINT id = 0;
    UINT type = 0;  // MFT_* flags
    std::wstring text;
};

struct MenuTree {
    std::vector<MenuEntry> bar;
    std::vector<std::vector<MenuEntry>> popups;  // one per bar entry
};

// The languages a resource exists in, ascending.
std::vector<LANGID> resourceLanguages(LPCWSTR type, LPCWSTR name);

// Menu 102 in this language; empty when neither it nor its regionless form exists.
MenuTree menuInLanguage(LANGID language);

// String table entry `id` in this language; empty when absent.
std::wstring tableString(UINT id, LANGID language);

// The ids of every non-empty entry of every string block in this language.
std::vector<UINT> tableIds(LANGID language);

}  // namespace corvale::testing
