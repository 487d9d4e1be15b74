#include "base/TextConvert.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace quillon;

TEST(TextConvert, TestsRunWithTheWesternAnsiCodePage)
{
    // The stored-text tests below assume it; the test script pins the locale.
    EXPECT_EQ(GetACP(), 1252u);
}

TEST(TextConvert, Utf8AndWideRoundTrip)
{
    const std::string text = "Show Code Insight\xE2\x84\xA2 Errors \xD0\x96 \xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
    EXPECT_EQ(Utf8ToWide("\xE2\x84\xA2"), L"\x2122");
    EXPECT_EQ(Utf8ToWide(""), L"");
}

TEST(TextConvert, AnsiKeepsWesternCharactersAndRefusesOthers)
{
    EXPECT_EQ(Utf8ToAnsi("Insight\xE2\x84\xA2 \xE2\x82\xAC \xC3\xA9"), "Insight\x99 \x80 \xE9");
    EXPECT_EQ(AnsiToUtf8("Insight\x99 \x80 \xE9"), "Insight\xE2\x84\xA2 \xE2\x82\xAC \xC3\xA9");
    EXPECT_EQ(Utf8ToAnsi(""), "");
    EXPECT_FALSE(Utf8ToAnsi("C:\\\xD0\x96"));       // Cyrillic
    EXPECT_FALSE(Utf8ToAnsi("\xC4\x80"));           // A with macron: no best fit to "A"
    EXPECT_FALSE(Utf8ToAnsi("\xF0\x9F\x98\x80"));   // outside the BMP
    EXPECT_TRUE(Utf8ToAnsi("a?b"));                 // a real question mark is fine
}

TEST(TextConvert, OtherCodePagesKeepWhatTheyHold)
{
    // Where the ANSI code page is UTF-8, every well-formed text is representable.
    const std::wstring wide = L"C:\\\x0416 \x2122 \x20AC \xD83D\xDE00";
    const std::string utf8 = "C:\\\xD0\x96 \xE2\x84\xA2 \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(WideToCodePage(wide, CP_UTF8), utf8);
    EXPECT_EQ(CodePageToWide(utf8, CP_UTF8), wide);
    EXPECT_EQ(WideToCodePage(L"", CP_UTF8), "");
    std::wstring loneSurrogate = L"ab";
    loneSurrogate.insert(1, 1, static_cast<wchar_t>(0xD800));
    EXPECT_FALSE(WideToCodePage(loneSurrogate, CP_UTF8)) << "a lone surrogate has no UTF-8 form";

    EXPECT_EQ(WideToCodePage(L"\x0416", 1251), "\xC6");
    EXPECT_FALSE(WideToCodePage(L"\x00E9", 1251));
    EXPECT_EQ(WideToCodePage(L"\x00E9", 1252), "\xE9");
    EXPECT_EQ(CodePageToWide("\xC6", 1251), L"\x0416");
}

TEST(TextConvert, InvalidUtf8IsAnError)
{
    EXPECT_ANY_THROW(Utf8ToWide("\xC3"));
    EXPECT_ANY_THROW(Utf8ToWide("\xFF\xFE"));
}
