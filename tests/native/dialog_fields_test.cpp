// Number fields of the dialogs: the pause rule of the settings dialog and
// the colour fields' reading and digit filter.
#include <gtest/gtest.h>

#include "dialogs/field_rules.h"

namespace {

using field_rules::AcceptChar;
using field_rules::ComponentFromText;
using field_rules::ParseUnsigned;
using field_rules::TimeOutFromText;

TEST(DialogTimeOut, EmptyZeroAndTextGiveOne)
{
    EXPECT_EQ(TimeOutFromText(L""), 1);
    EXPECT_EQ(TimeOutFromText(L"0"), 1);
    EXPECT_EQ(TimeOutFromText(L"000"), 1);
    EXPECT_EQ(TimeOutFromText(L"abc"), 1);
    EXPECT_EQ(TimeOutFromText(L"12abc"), 1);
    EXPECT_EQ(TimeOutFromText(L"-5"), 1);
    EXPECT_EQ(TimeOutFromText(L"   "), 1);
}

TEST(DialogTimeOut, InRangeIsKept)
{
    EXPECT_EQ(TimeOutFromText(L"1"), 1);
    EXPECT_EQ(TimeOutFromText(L"300"), 300);
    EXPECT_EQ(TimeOutFromText(L"4999"), 4999);
    EXPECT_EQ(TimeOutFromText(L" 42 "), 42);
}

TEST(DialogTimeOut, FiveThousandAndAboveGiveFiveThousand)
{
    EXPECT_EQ(TimeOutFromText(L"5000"), 5000);
    EXPECT_EQ(TimeOutFromText(L"5001"), 5000);
    EXPECT_EQ(TimeOutFromText(L"70000"), 5000);
    EXPECT_EQ(TimeOutFromText(L"4294967296"), 5000);            // past 32 bits
    EXPECT_EQ(TimeOutFromText(L"99999999999999999999999"), 5000);
}

TEST(DialogNumberField, OnlyDigitsBetweenBlanks)
{
    EXPECT_EQ(ParseUnsigned(L"007"), 7u);
    EXPECT_EQ(ParseUnsigned(L"\t9"), 9u);
    EXPECT_FALSE(ParseUnsigned(L"1 2"));
    EXPECT_FALSE(ParseUnsigned(L"+1"));
    EXPECT_FALSE(ParseUnsigned(L"\x0661"));   // a digit, but not "0".."9"
    EXPECT_EQ(ParseUnsigned(L"4294967295"), 4294967295u);
    EXPECT_EQ(ParseUnsigned(L"4294967296"), 4294967295u);
}

TEST(DialogColourField, AboveTwoFiftyFiveReadsAsTwoFiftyFive)
{
    EXPECT_EQ(ComponentFromText(L"0"), 0);
    EXPECT_EQ(ComponentFromText(L"255"), 255);
    EXPECT_EQ(ComponentFromText(L"256"), 255);   // not the lowest byte, 0
    EXPECT_EQ(ComponentFromText(L"999"), 255);
    EXPECT_EQ(ComponentFromText(L""), 0);
    EXPECT_EQ(ComponentFromText(L"x"), 0);
}

TEST(DialogDigitFilter, DigitsUpToThree)
{
    EXPECT_TRUE(AcceptChar(L'0', 0));
    EXPECT_TRUE(AcceptChar(L'9', 2));
    EXPECT_FALSE(AcceptChar(L'5', 3));
    EXPECT_FALSE(AcceptChar(L'5', 10));
}

TEST(DialogDigitFilter, PrintableNonDigitsAreRefused)
{
    EXPECT_FALSE(AcceptChar(L'a', 0));
    EXPECT_FALSE(AcceptChar(L' ', 0));
    EXPECT_FALSE(AcceptChar(L'-', 1));
    EXPECT_FALSE(AcceptChar(L'Ж', 0));
    EXPECT_FALSE(AcceptChar(0x7F, 0));
}

TEST(DialogDigitFilter, ControlKeysAlwaysPassEvenWhenFull)
{
    EXPECT_TRUE(AcceptChar(8, 3));      // Backspace
    EXPECT_TRUE(AcceptChar(0x16, 3));   // Ctrl+V: the paste is filtered on its own
    EXPECT_TRUE(AcceptChar(0x03, 3));   // Ctrl+C
    EXPECT_TRUE(AcceptChar(13, 3));
}

}  // namespace
