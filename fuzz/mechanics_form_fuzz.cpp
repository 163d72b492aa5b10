// The mechanics form takes whatever the player types: a field's text is
// either refused or a finite value in the field's range (whole where it must
// be) whose written form reads back as accepted and writes the same; a whole
// form is either accepted with every value in range or names one field and
// a message.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "mechanics_form.h"

namespace {

using corvale::fuzz::check;

// Fields are separated by NUL bytes; bytes become characters one for one,
// 0xFF takes the next two bytes as one wider character.
corvale::MechanicsFormTexts textsFrom(const std::uint8_t* data, std::size_t size) {
    corvale::MechanicsFormTexts texts;
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < texts.size(); ++i) {
        if (data[i] == 0) {
            ++field;
        } else if (data[i] == 0xFF && i + 2 < size) {
            texts[field].push_back(static_cast<wchar_t>(data[i + 1] << 8 | data[i + 2]));
            i += 2;
        } else {
            texts[field].push_back(static_cast<wchar_t>(data[i]));
        }
    }
    return texts;
}

void checkField(const corvale::MechanicsField& field, const std::wstring& text) {
    double value = 0;
    if (!corvale::parseFormField(field, text, value)) return;
    check(std::isfinite(value) && value >= field.minimum && value <= field.maximum, "an accepted value is in range");
    check(!field.wholeNumber || value == std::floor(value), "a whole-number field holds a whole number");
    const std::wstring written = corvale::formatFormNumber(value);
    double again = 0;
    check(corvale::parseFormField(field, written, again), "a written value is accepted");
    check(corvale::formatFormNumber(again) == written, "and writes the same text again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const corvale::MechanicsFormTexts texts = textsFrom(data, size);
    for (std::size_t f = 0; f < texts.size(); ++f) checkField(corvale::mechanicsFields[f], texts[f]);
    const corvale::MechanicsFormCheck result = corvale::checkMechanicsForm(texts);
    if (result.field < 0) {
        for (std::size_t f = 0; f < texts.size(); ++f) {
            const corvale::MechanicsField& field = corvale::mechanicsFields[f];
            check(result.values[f] >= field.minimum && result.values[f] <= field.maximum, "accepted form in range");
        }
        corvale::mechanicsFromForm(result.values);
    } else {
        check(result.field < corvale::mechanicsFieldCount && !result.message.empty(), "a refusal names a field");
    }
    return 0;
}
