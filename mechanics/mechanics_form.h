// The board mechanics form without the window: its eight fields, how their
// text is read and written, and the checks made before the Game sees a value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game.h"

namespace corvale {

struct MechanicsField {
    const wchar_t* label;  // label text with its mnemonic
    const wchar_t* name;   // words used in the range message
    double minimum;        // inclusive
    double maximum;        // inclusive
    bool wholeNumber;      // the value must have no fraction
    int row;               // top of the field's row in the form, 96-DPI pixels
};

inline constexpr int mechanicsFieldCount = 8;
inline constexpr int strokeLimitField = 7;  // the only field that is not part of Mechanics
inline constexpr std::int32_t originalStrokeLimit = 20;

inline constexpr std::array<MechanicsField, mechanicsFieldCount> mechanicsFields{{
    {L"&Time limit (s; 0 = unlimited)", L"time limit", 0, 999, true, 122},
    {L"&Launch interval (s)", L"launch interval", 0, 60, true, 153},
    {L"Mi&nimum initial speed (px/s)", L"minimum initial speed", 1, 1000, true, 184},
    {L"Ma&ximum initial speed (px/s)", L"maximum initial speed", 1, 1000, true, 215},
    {L"Ball &speed multiplier (x)", L"ball speed multiplier", 0.1, 4, false, 290},
    {L"Chevron &boost (x original)", L"chevron boost", 0, 20, false, 321},
    {L"Chevron speed &cap (px/s/axis)", L"chevron speed cap", 1, 2000, false, 352},
    {L"Stored &ink strokes", L"stored ink strokes", 1, 4096, true, 426},
}};

using MechanicsFormValues = std::array<double, mechanicsFieldCount>;
using MechanicsFormTexts = std::array<std::wstring, mechanicsFieldCount>;

// Ten significant digits, no trailing zeros, a period: 120, 0.1, 1.5, 400.
std::wstring formatFormNumber(double value);

// The value of a field's text, or false when the text is not a finite number
// in the field's range (whole for a whole-number field). Only the first 63
// characters count, as only they are read from the control.
bool parseFormField(const MechanicsField& field, std::wstring_view text, double& value);

// "Enter a whole number from 0 to 999 for time limit. ..." for one field.
std::wstring rangeMessage(const MechanicsField& field);

// The form's values as they stand in the Game; field 7 is the stroke limit.
MechanicsFormValues formValuesOf(const Mechanics& mechanics, std::int32_t strokeLimit);
MechanicsFormTexts formTextsOf(const MechanicsFormValues& values);

// The first problem of a filled-in form: which field gets the focus and the
// warning to show. field == -1 means the form is acceptable and `values`
// holds every field.
struct MechanicsFormCheck {
    int field = -1;
    std::wstring message;
    MechanicsFormValues values{};
};

// Range checks in field order, then the minimum-maximum order, then the
// 2000 px/s product; the Game checks the rest when the value is applied.
MechanicsFormCheck checkMechanicsForm(const MechanicsFormTexts& texts);

// The Mechanics value of an accepted form (whole-number fields as integers).
Mechanics mechanicsFromForm(const MechanicsFormValues& values);

}  // namespace corvale
