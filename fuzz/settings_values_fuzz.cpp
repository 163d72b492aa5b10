// The settings file is the player's to edit: any text read for "HighScore"
// and any number read for "Difficulty" or "StrokeLimit" becomes a setting in
// range, and what the game writes reads back as the same value. The high
// score rule is checked against a plain model of its sentence.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "settings_values.h"

namespace {

using corvale::fuzz::check;

bool isSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// "An unsigned decimal number that fills the whole value and does not begin
// with '-'": optional leading white space and '+', then digits, then the end.
// Empty reads as 0; an overflow keeps the default.
std::uint64_t modelHighScore(const std::wstring& full) {
    const std::wstring text(full.c_str());
    if (text.empty()) return 0;
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    if (i < text.size() && text[i] == L'-') return corvale::settingsDefaultHighScore;
    if (i < text.size() && text[i] == L'+') ++i;
    const std::size_t digits = i;
    unsigned __int128 value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
        if (value > UINT64_MAX) value = static_cast<unsigned __int128>(UINT64_MAX) + 1;
    }
    if (i == digits) return corvale::settingsDefaultHighScore;  // no number at all (wcstoull consumes nothing)
    if (i != text.size() || value > UINT64_MAX) return corvale::settingsDefaultHighScore;
    return static_cast<std::uint64_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Bytes as characters (the profile text is at most 63 of them), and the
    // first eight bytes as two stored numbers.
    std::wstring text;
    for (std::size_t i = 0; i < size && text.size() < 63; ++i) text.push_back(static_cast<wchar_t>(data[i]));
    const std::uint64_t score = corvale::highScoreSetting(text);
    check(score == modelHighScore(text), "HighScore follows its rule");
    check(corvale::highScoreSetting(std::to_wstring(score)) == score, "a written high score reads back");

    std::int32_t stored[2] = {0, 0};
    std::memcpy(stored, data, size < sizeof stored ? size : sizeof stored);
    const std::int32_t difficulty = corvale::difficultySetting(stored[0]);
    check(difficulty >= 0 && difficulty <= 4, "difficulty in range");
    check(difficulty == stored[0] || stored[0] < 0 || stored[0] > 4, "a difficulty in range is kept");
    check(corvale::difficultySetting(difficulty) == difficulty, "a written difficulty reads back");
    const std::int32_t limit = corvale::strokeLimitSetting(stored[1]);
    check(limit == stored[1] || (limit == 20 && (stored[1] < 1 || stored[1] > 4096)), "stroke limit rule");
    check(corvale::strokeLimitSetting(limit) == limit, "a written stroke limit reads back");
    return 0;
}
