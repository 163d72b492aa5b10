#include "settings_values.h"

#include <cerrno>
#include <cwchar>

namespace corvale {

std::int32_t difficultySetting(std::int32_t stored) {
    return stored >= 5 ? 4 : (stored < 0 ? 0 : stored);
}

std::int32_t strokeLimitSetting(std::int32_t stored) {
    return (stored >= 1 && stored <= 4096) ? stored : settingsDefaultStrokeLimit;
}

std::uint64_t highScoreSetting(const std::wstring& text) {
    // The profile text ends at its first terminator, as the buffer does.
    const std::wstring value(text.c_str());
    // wcstoull takes "-1" (also after white space) as 2^64 - 1 and stops
    // quietly at the first stray character; both must keep the default.
    const std::size_t first = value.find_first_not_of(L" \t\n\v\f\r");
    if (first != std::wstring::npos && value[first] == L'-') return settingsDefaultHighScore;
    wchar_t* end = nullptr;
    errno = 0;
    const unsigned long long number = std::wcstoull(value.c_str(), &end, 10);
    if (errno == ERANGE || *end != L'\0') return settingsDefaultHighScore;
    return number;
}

}  // namespace corvale
