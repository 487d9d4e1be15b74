#include "base/Exceptions.h"
#include "base/IntConvert.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillon;

TEST(IntConvert, AcceptsDecimalWithLeadingBlanksAndSign)
{
    EXPECT_EQ(StrToInt("8"), 8);
    EXPECT_EQ(StrToInt("08"), 8);
    EXPECT_EQ(StrToInt("  -12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(IntConvert, AcceptsHexadecimalAsBitPatterns)
{
    EXPECT_EQ(StrToInt("$10"), 16);
    EXPECT_EQ(StrToInt("x1f"), 31);
    EXPECT_EQ(StrToInt("X1F"), 31);
    EXPECT_EQ(StrToInt("0x00FF"), 255);
    EXPECT_EQ(StrToInt("0XfF"), 255);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("$0000000001"), 1); // leading zeros do not count against the width
}

TEST(IntConvert, RejectsEverythingElse)
{
    for (const char* bad : {"", " ", "8 ", "1.5", "-", "+", "$", "0x", "x", "$1FFFFFFFF", "2147483648",
                            "-2147483649", "99999999999999999999", "--1", "-$1", "1e3", "\t1", "８"})
        EXPECT_FALSE(TryStrToInt(bad).has_value()) << "'" << bad << "'";
}

TEST(IntConvert, ErrorNamesTheWholeText)
{
    try {
        StrToInt("8 ");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'8 ' is not a valid integer value");
    }
}
