// The small text routines the layout reference and the settings file rely on.
#include "platform/error.h"
#include "common/text_helpers.h"

#include <gtest/gtest.h>

namespace {
const QString Empty;
QString S(const char* text)
{
    return QString::fromLatin1(text);
}
} // namespace

TEST(Replace_All, Replaces_Until_None_Is_Left_Including_Occurrences_It_Brings_Together)
{
    EXPECT_EQ(Replace_All(S("abb"), S("ab"), S("a")), S("a"));
    EXPECT_EQ(Replace_All(S("1,234,567"), S(","), Empty), S("1234567"));
    EXPECT_EQ(Replace_All(S("a b  c"), S(" "), S("_")), S("a_b__c"));
    EXPECT_EQ(Replace_All(S("no match"), S("xyz"), S("!")), S("no match"));
    // Nothing to search in or for: unchanged.
    EXPECT_EQ(Replace_All(Empty, S("a"), S("b")), Empty);
    EXPECT_EQ(Replace_All(S("abc"), Empty, S("b")), S("abc"));
}

TEST(Replace_All, Ends_When_The_Replacement_Holds_The_Searched_Text)
{
    // Each occurrence becomes the replacement once, not again and again.
    EXPECT_EQ(Replace_All(S("a-b-c"), S("-"), S("--")), S("a--b--c"));
    EXPECT_EQ(Replace_All(S("xax"), S("a"), S("bab")), S("xbabx"));
    EXPECT_EQ(Replace_All(S("a"), S("a"), S("a")), S("a"));
    // A searched text the placeholder itself holds must end too.
    const QString one(QChar(1));
    EXPECT_EQ(Replace_All(S("x") + one + S("y"), one, one + one), S("x") + one + one + S("y"));
}

TEST(Number_From_Text, Keeps_Digits_And_A_Leading_Sign)
{
    EXPECT_EQ(Number_From_Text(S("W/H")), 0);
    EXPECT_EQ(Number_From_Text(S("Mainform1")), 1);
    EXPECT_EQ(Number_From_Text(S("-12")), -12);
    EXPECT_EQ(Number_From_Text(S("+12")), 12);
    EXPECT_EQ(Number_From_Text(S("1-2")), 12);
    EXPECT_EQ(Number_From_Text(S("-1-2+3")), -123);
    EXPECT_EQ(Number_From_Text(S("x-7")), -7); // the sign is first once the letter has gone
    EXPECT_EQ(Number_From_Text(Empty), 0);
    EXPECT_EQ(Number_From_Text(S("2147483647")), 2147483647);
    EXPECT_EQ(Number_From_Text(S("-2147483648")), -2147483647 - 1);
}

TEST(Number_From_Text, Rejects_A_Lone_Sign_And_Numbers_Past_32_Bits)
{
    EXPECT_THROW(Number_From_Text(S("-")), Program_Error);
    EXPECT_THROW(Number_From_Text(S("a+b")), Program_Error);
    EXPECT_THROW(Number_From_Text(S("2147483648")), Program_Error);
    EXPECT_THROW(Number_From_Text(S("99999999999999999999999")), Program_Error);
}

TEST(Number_Field, Reads_The_Nth_Field_Of_A_Layout_Line)
{
    const QString line = S("4 193 240 49 10 Distance_Travelled_GroupBox");
    EXPECT_EQ(Number_Field(line, S(" "), 1), 4);
    EXPECT_EQ(Number_Field(line, S(" "), 2), 193);
    EXPECT_EQ(Number_Field(line, S(" "), 5), 10);
    EXPECT_EQ(Number_Field(line, S(" "), 6), 0); // the name, no digits
    EXPECT_EQ(Number_Field(S("201 239 W/H Mainform1"), S(" "), 4), 1);
    // Past the last field the last one is read again.
    EXPECT_EQ(Number_Field(S("7 8"), S(" "), 5), 8);
    EXPECT_EQ(Number_Field(S("-3,14"), S(","), 1), -3);
    EXPECT_EQ(Number_Field(S("12 34"), Empty, 2), 1234);
}
