// Number fields: the settings dialog's pause rule, the colour fields'
// reading and their digit filter.
#include <gtest/gtest.h>

#include "dialogs/field_rules.h"

namespace {

TEST(DialogTimeOut, OneToFiveThousandWhateverTheField)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"", 1},       {L"0", 1},         {L"abc", 1},       {L"12abc", 1},        {L"-5", 1},
        {L"1", 1},      {L" 42 ", 42},     {L"4999", 4999},   {L"5000", 5000},      {L"70000", 5000},
        {L"4294967296", 5000},             {L"99999999999999999999", 5000},
    };
    for (const auto& [text, pause] : cases)
        EXPECT_EQ(field_rules::TimeOutFromText(text), pause) << testing::PrintToString(std::wstring(text));
}

TEST(DialogColourField, AboveTwoFiftyFiveIsTwoFiftyFiveNotTheLowestByte)
{
    EXPECT_EQ(field_rules::ComponentFromText(L"255"), 255);
    EXPECT_EQ(field_rules::ComponentFromText(L"256"), 255);
    EXPECT_EQ(field_rules::ComponentFromText(L"999"), 255);
    EXPECT_EQ(field_rules::ComponentFromText(L""), 0);
    EXPECT_EQ(field_rules::ComponentFromText(L"x1"), 0);
}

TEST(DialogDigitFilter, ThreeDigitsAndAlwaysTheControlKeys)
{
    EXPECT_TRUE(field_rules::AcceptChar(L'9', 2));
    EXPECT_FALSE(field_rules::AcceptChar(L'5', 3));
    EXPECT_FALSE(field_rules::AcceptChar(L'a', 0));
    EXPECT_FALSE(field_rules::AcceptChar(L' ', 0));
    EXPECT_FALSE(field_rules::AcceptChar(L'Ж', 0));
    EXPECT_FALSE(field_rules::AcceptChar(0x7F, 0));
    EXPECT_TRUE(field_rules::AcceptChar(L'\b', 3));   // Backspace in a full field
    EXPECT_TRUE(field_rules::AcceptChar(0x16, 3));    // Ctrl+V: the paste is filtered by itself
}

}  // namespace
