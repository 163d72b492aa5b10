#include "mechanics_form.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

const std::wstring timeLimitMessage =
    L"Enter a whole number from 0 to 999 for time limit.\n\nUse a decimal point for fractional values.";

// A form as the dialog fills it for a typical board; tests change one field.
MechanicsFormTexts typicalForm() {
    return {L"120", L"4", L"50", L"150", L"1", L"1", L"400", L"20"};
}

TEST(MechanicsForm, BadTextInAnyFieldGivesThatFieldsRangeMessage) {
    for (const wchar_t* text : {L"1.5", L"abc", L"12abc", L"1e999", L"", L"   ", L"-1", L"1000", L"nan", L"inf"}) {
        MechanicsFormTexts form = typicalForm();
        form[0] = text;
        const MechanicsFormCheck check = checkMechanicsForm(form);
        EXPECT_EQ(check.field, 0) << "text '" << std::string(text, text + std::wcslen(text)) << "'";
        EXPECT_EQ(check.message, timeLimitMessage);
    }
    MechanicsFormTexts form = typicalForm();
    form[4] = L"4.01";
    form[6] = L"x";  // later fields are not looked at once one fails
    const MechanicsFormCheck check = checkMechanicsForm(form);
    EXPECT_EQ(check.field, 4);
    EXPECT_EQ(check.message,
              L"Enter a number from 0.1 to 4 for ball speed multiplier.\n\nUse a decimal point for fractional values.");
}

TEST(MechanicsForm, AcceptsBlanksAroundAndHexadecimalAsTheCRuntimeReadsIt) {
    MechanicsFormTexts form = typicalForm();
    form[0] = L" 42 ";
    form[1] = L"0x10";
    form[7] = L"\t4096\r\n";
    const MechanicsFormCheck check = checkMechanicsForm(form);
    ASSERT_EQ(check.field, -1) << std::string(check.message.begin(), check.message.end());
    EXPECT_EQ(check.values[0], 42);
    EXPECT_EQ(check.values[1], 16);
    EXPECT_EQ(check.values[7], 4096);
    const Mechanics m = mechanicsFromForm(check.values);
    EXPECT_EQ(m.timeLimit, 42);
    EXPECT_EQ(m.launchInterval, 16);
    EXPECT_EQ(m.chevronSpeedLimit, 400.0);
}

TEST(MechanicsForm, OnlyTheFirstSixtyThreeCharactersAreRead) {
    double value = 0;
    const std::wstring padded = L"7" + std::wstring(62, L' ');
    EXPECT_TRUE(parseFormField(mechanicsFields[0], padded + L"junk", value));
    EXPECT_EQ(value, 7);
}

TEST(MechanicsForm, SpeedChecksComeInOrderAfterTheRanges) {
    MechanicsFormTexts form = typicalForm();
    form[3] = L"600";
    form[4] = L"4";
    MechanicsFormCheck check = checkMechanicsForm(form);
    EXPECT_EQ(check.field, 4);
    EXPECT_EQ(check.message,
              L"Maximum initial speed multiplied by the ball speed multiplier must not exceed 2000 px/s.");

    form[3] = L"500";  // exactly 2000 px/s
    EXPECT_EQ(checkMechanicsForm(form).field, -1);

    form[2] = L"600";  // minimum above maximum is reported before the product
    form[4] = L"4";
    check = checkMechanicsForm(form);
    EXPECT_EQ(check.field, 3);
    EXPECT_EQ(check.message, L"Maximum initial speed must be at least the minimum initial speed.");
}

TEST(MechanicsForm, NumbersAreWrittenWithTenSignificantDigits) {
    double value = 0;
    ASSERT_TRUE(parseFormField(mechanicsFields[4], L"1.50", value));
    EXPECT_EQ(formatFormNumber(value), L"1.5");
    EXPECT_EQ(formatFormNumber(120), L"120");
    EXPECT_EQ(formatFormNumber(0.1), L"0.1");
    EXPECT_EQ(formatFormNumber(400), L"400");
    EXPECT_EQ(formatFormNumber(1.0 / 3.0), L"0.3333333333");
    EXPECT_EQ(formTextsOf(formValuesOf(Mechanics{}, 20)), typicalForm());
}

}  // namespace
}  // namespace corvale
