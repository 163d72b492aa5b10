#include <windows.h>

#include <climits>

#include "text.h"

namespace corvale {

std::wstring utf8ToWide(const std::string& text) {
    if (text.empty()) return {};
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return L"An unexpected error occurred.";
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (needed == 0) return L"An unexpected error occurred.";
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), needed);
    wide.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return wide;
}

}  // namespace corvale
