#include "resource_reading.h"

#include <algorithm>
#include <memory>

#include "resource_ids.h"

namespace corvale::testing {
namespace {

HMODULE thisModule() {
    return GetModuleHandleW(nullptr);
}

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

std::vector<MenuEntry> entriesOf(HMENU menu, std::vector<HMENU>* submenus) {
    std::vector<MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        std::wstring text(info.cch + 1, L'\0');
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        text.resize(info.cch);
        entries.push_back({info.wID, info.fType, text});
        if (submenus) submenus->push_back(info.hSubMenu);
    }
    return entries;
}

// A string block's bytes, or nothing when the block is missing in this language.
std::pair<const wchar_t*, const wchar_t*> stringBlock(UINT block, LANGID language) {
    HRSRC found = FindResourceExW(thisModule(), RT_STRING, MAKEINTRESOURCEW(block), language);
    if (!found) return {nullptr, nullptr};
    auto* begin = static_cast<const wchar_t*>(LockResource(LoadResource(thisModule(), found)));
    return {begin, begin + SizeofResource(thisModule(), found) / sizeof(wchar_t)};
}

}  // namespace

std::vector<LANGID> resourceLanguages(LPCWSTR type, LPCWSTR name) {
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(
        thisModule(), type, name,
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    std::sort(languages.begin(), languages.end());
    return languages;
}

MenuTree menuInLanguage(LANGID language) {
    HRSRC found = FindResourceExW(thisModule(), RT_MENU, MAKEINTRESOURCEW(IDM_MAIN_MENU), language);
    if (!found) return {};
    OwnedMenu menu(LoadMenuIndirectW(LockResource(LoadResource(thisModule(), found))));
    if (!menu) return {};
    MenuTree tree;
    std::vector<HMENU> submenus;
    tree.bar = entriesOf(menu.get(), &submenus);
    for (HMENU submenu : submenus)
        tree.popups.push_back(submenu ? entriesOf(submenu, nullptr) : std::vector<MenuEntry>{});
    return tree;
}

std::wstring tableString(UINT id, LANGID language) {
    auto [at, end] = stringBlock(id / 16 + 1, language);
    for (UINT index = 0; at && at < end; ++index) {
        const size_t length = *at++;
        if (length > static_cast<size_t>(end - at)) break;
        if (index == id % 16) return std::wstring(at, length);
        at += length;
    }
    return {};
}

std::vector<UINT> tableIds(LANGID language) {
    std::vector<UINT> blocks;
    EnumResourceNamesW(
        thisModule(), RT_STRING,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(found)->push_back(LOWORD(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&blocks));
    std::vector<UINT> ids;
    for (UINT block : blocks) {
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            if (!tableString(id, language).empty()) ids.push_back(id);
        }
    }
    return ids;
}

}  // namespace corvale::testing
