#include "mechanics_form.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <iomanip>
#include <locale>
#include <sstream>

namespace corvale {
namespace {

constexpr std::size_t readableFieldLength = 63;
constexpr int maximumSpeedField = 3;
constexpr int multiplierField = 4;
constexpr double fastestLaunch = 2000.0;  // px/s, a launch speed the motion code still handles

}  // namespace

std::wstring formatFormNumber(double value) {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(10) << value;
    return out.str();
}

bool parseFormField(const MechanicsField& field, std::wstring_view text, double& value) {
    const std::wstring bounded(text.substr(0, readableFieldLength));
    const wchar_t* start = bounded.c_str();
    wchar_t* end = nullptr;
    // wcstod follows the C locale, which the program never changes: a period
    // is the decimal point, and hexadecimal input is read as C99 says.
    const double parsed = std::wcstod(start, &end);
    if (end == start) return false;
    for (const wchar_t* rest = end; *rest != L'\0'; ++rest) {
        if (!std::iswspace(static_cast<wint_t>(*rest))) return false;
    }
    if (!std::isfinite(parsed) || parsed < field.minimum || parsed > field.maximum) return false;
    if (field.wholeNumber && std::floor(parsed) != parsed) return false;
    value = parsed;
    return true;
}

std::wstring rangeMessage(const MechanicsField& field) {
    return std::wstring(L"Enter ") + (field.wholeNumber ? L"a whole number" : L"a number") + L" from " +
           formatFormNumber(field.minimum) + L" to " + formatFormNumber(field.maximum) + L" for " + field.name +
           L".\n\nUse a decimal point for fractional values.";
}

MechanicsFormValues formValuesOf(const Mechanics& mechanics, std::int32_t strokeLimit) {
    return {static_cast<double>(mechanics.timeLimit),
            static_cast<double>(mechanics.launchInterval),
            static_cast<double>(mechanics.minSpeed),
            static_cast<double>(mechanics.maxSpeed),
            mechanics.ballSpeedMultiplier,
            mechanics.chevronBoost,
            mechanics.chevronSpeedLimit,
            static_cast<double>(strokeLimit)};
}

MechanicsFormTexts formTextsOf(const MechanicsFormValues& values) {
    MechanicsFormTexts texts;
    for (int i = 0; i < mechanicsFieldCount; ++i) texts[i] = formatFormNumber(values[i]);
    return texts;
}

MechanicsFormCheck checkMechanicsForm(const MechanicsFormTexts& texts) {
    MechanicsFormCheck check;
    for (int i = 0; i < mechanicsFieldCount; ++i) {
        if (!parseFormField(mechanicsFields[i], texts[i], check.values[i])) {
            check.field = i;
            check.message = rangeMessage(mechanicsFields[i]);
            return check;
        }
    }
    const MechanicsFormValues& v = check.values;
    if (v[maximumSpeedField - 1] > v[maximumSpeedField]) {
        check.field = maximumSpeedField;
        check.message = L"Maximum initial speed must be at least the minimum initial speed.";
    } else if (v[maximumSpeedField] * v[multiplierField] > fastestLaunch) {
        check.field = multiplierField;
        check.message = L"Maximum initial speed multiplied by the ball speed multiplier must not exceed 2000 px/s.";
    }
    return check;
}

Mechanics mechanicsFromForm(const MechanicsFormValues& values) {
    Mechanics m;
    m.timeLimit = static_cast<std::int32_t>(values[0]);
    m.launchInterval = static_cast<std::int32_t>(values[1]);
    m.minSpeed = static_cast<std::int32_t>(values[2]);
    m.maxSpeed = static_cast<std::int32_t>(values[3]);
    m.ballSpeedMultiplier = values[4];
    m.chevronBoost = values[5];
    m.chevronSpeedLimit = values[6];
    return m;
}

}  // namespace corvale
