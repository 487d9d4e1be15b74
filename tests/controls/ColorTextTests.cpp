#include "controls/choice/ColorText.h"

#include "base/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

using namespace quillon;

namespace {

constexpr TColor Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

constexpr TColor Sys(int index)
{
    return static_cast<TColor>(0x80000000u + static_cast<uint32_t>(index));
}

// Fixed system colours: index i is RGB (i, 1, 2), except clWindow (5),
// which is white, and clHighlight (13), which is the classic blue.
TColor FixedToRgb(TColor color)
{
    if (color >= 0)
        return color;
    const int index = color & 0xFF;
    if (index == 5)
        return Rgb(255, 255, 255);
    if (index == 13)
        return Rgb(10, 36, 106);
    return Rgb(index, 1, 2);
}

} // namespace

TEST(ColorText, NameTableHoldsFixedThenSystemColours)
{
    std::set<std::string_view> names;
    std::set<TColor> values;
    for (const TColorName& entry : ColorNames) {
        names.insert(entry.name);
        values.insert(entry.value);
    }
    EXPECT_EQ(names.size(), 41u);
    EXPECT_EQ(values.size(), 41u);
    EXPECT_EQ(ColorNames[9].name, "clRed");
    EXPECT_EQ(ColorNames[9].value, Rgb(255, 0, 0));
    EXPECT_EQ(ColorNames[15].value, Rgb(255, 255, 255));
    for (int i = 16; i < 41; ++i)
        EXPECT_EQ(ColorNames[static_cast<size_t>(i)].value, Sys(i - 16)) << ColorNames[static_cast<size_t>(i)].name;
    EXPECT_EQ(ColorNames[29].name, "clHighlight");
    EXPECT_EQ(ColorNames[40].name, "clInfoBk");
    EXPECT_EQ(ColorNameItems().at(37), "cl3DDkShadow");
}

TEST(ColorText, ColourToText)
{
    const struct {
        TColor color;
        const char* text;
    } cases[] = {
        {Sys(5), "clWindow"},           {Rgb(255, 0, 0), "clRed"}, {clNone, "clNone"},
        {Rgb(86, 52, 18), "$00123456"}, {0x00ABCDEF, "$00ABCDEF"}, {-1, "$FFFFFFFF"},
        {Sys(25), "$80000019"},         {Rgb(1, 0, 0), "$00000001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToString(c.color), c.text);
}

TEST(ColorText, TextToColour)
{
    const struct {
        const char* text;
        TColor color;
    } cases[] = {
        {"clHighlight", Sys(13)}, {"CLHIGHLIGHT", Sys(13)}, {"clnone", clNone},     {"255", 255},
        {"$FF", 255},             {"$00123456", 0x123456},  {"$FFFFFFFF", -1},       {"-1", -1},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {" 42", 42},        {"0x10", 16},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringToColor(c.text), c.color) << c.text;

    for (const char* bad : {"abc", "", "$", "2147483648", "$100000000", "clRedd", " clRed", "12 ", "--1", "$-1"})
        EXPECT_THROW(StringToColor(bad), EConvertError) << bad;
    try {
        StringToColor("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid colour value");
    }
}

TEST(ColorText, SixtyFourBitRead)
{
    const struct {
        const char* text;
        int64_t value;
    } cases[] = {
        {"255", 255}, {"$FFFFFFFF", 4294967295LL}, {"$FFFFFFFFFFFFFFFF", -1}, {"$00000000000000000000FF", 255},
        {"9223372036854775807", INT64_MAX}, {"-9223372036854775808", INT64_MIN}, {"-1", -1}, {"  12", 12},
        {"+7", 7}, {"9223372036854775808", 99}, {"-9223372036854775809", 99}, {"$10000000000000000", 99},
        {"abc", 99}, {"", 99}, {"$", 99}, {"1e3", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToInt64Def(c.text, 99), c.value) << c.text;
}

TEST(ColorText, SwatchColourOfTypedText)
{
    EXPECT_EQ(SwatchColorFromText("abc"), 16777215);
    EXPECT_EQ(SwatchColorFromText(""), 16777215);
    EXPECT_EQ(SwatchColorFromText("$00123456"), 0x123456);
    EXPECT_EQ(SwatchColorFromText("-1"), -1);
    EXPECT_EQ(SwatchColorFromText("2147483647"), INT32_MAX);
    EXPECT_EQ(SwatchColorFromText("-2147483648"), INT32_MIN);
    // Beyond 32 bits: no colour, like text that is no number.
    for (const char* outside : {"$FFFFFFFF", "2147483648", "-2147483649", "$80000000"})
        EXPECT_EQ(SwatchColorFromText(outside), 16777215) << outside;
}

TEST(ColorText, ValidationOfTypedText)
{
    const struct {
        const char* text;
        bool valid;
        int itemIndex;
        TColor value;
    } cases[] = {
        {"$000000FF", true, 9, 255},               // clRed
        {"255", true, 9, 255},
        {"$00123456", true, -1, 0x123456},         // stays, as hexadecimal
        {"0", true, 0, 0},                         // clBlack
        {"16777215", true, 15, 0xFFFFFF},          // clWhite before the white clWindow
        {"$006A240A", true, 29, Rgb(10, 36, 106)}, // clHighlight's current RGB
        {"$00020111", true, 33, Rgb(17, 1, 2)},    // clGrayText
        {"2147483647", true, -1, INT32_MAX},
        {"abc", false, -1, 0},
        {"", false, -1, 0},
        {"-1", false, -1, 0},
        // These would end as "$FFFFFFFB" or "$FFFFFFFF", which the swatch
        // refuses on every paint: refused here instead.
        {"-5", false, -1, 0},
        {"$FFFFFFFF", false, -1, 0},
        {"2147483648", false, -1, 0},
    };
    for (const auto& c : cases) {
        const ColorTextCheck check = CheckColorText(c.text, FixedToRgb);
        EXPECT_EQ(check.valid, c.valid) << c.text;
        if (!c.valid)
            continue;
        EXPECT_EQ(check.itemIndex, c.itemIndex) << c.text;
        EXPECT_EQ(check.value, c.value) << c.text;
    }
}

TEST(ColorText, HexTextGrowsOneCharacterAtATime)
{
    EXPECT_EQ(ColorToHexTextSteps(255), (std::vector<std::string>{"FF", "0FF", "00FF", "000FF", "0000FF", "00000FF",
                                                                   "000000FF", "$000000FF"}));
    EXPECT_EQ(ColorToHexTextSteps(Rgb(86, 52, 18)),
              (std::vector<std::string>{"123456", "0123456", "00123456", "$00123456"}));
    EXPECT_EQ(ColorToHexTextSteps(0).front(), "0");
    EXPECT_EQ(ColorToHexTextSteps(0).size(), 9u);
    EXPECT_EQ(ColorToHexTextSteps(Sys(25)), (std::vector<std::string>{"80000019", "$80000019"}));
}
