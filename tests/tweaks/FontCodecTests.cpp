#include "base/Exceptions.h"
#include "tweaks/FontCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

FontDesc Font(std::string name, int size, bool bold = false, bool italic = false)
{
    FontDesc f;
    f.SetName(name);
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    return f;
}

FontDesc Parse(const std::string& text, std::vector<std::string>* parts = nullptr)
{
    FontDesc font;
    std::vector<std::string> local;
    ParseDefaultFont(text, font, parts ? *parts : local);
    return font;
}

} // namespace

TEST(FontCodec, ComposesTheSixPieces)
{
    EXPECT_EQ(ComposeDefaultFont(Font("Tahoma", 10, true, true)), "\"Tahoma\",10,Bold,Italic");
    EXPECT_EQ(ComposeDefaultFont(Font("Tahoma", 10, true, true)).size(), 23u);
    EXPECT_EQ(ComposeDefaultFont(FontDesc{}), "\"MS Sans Serif\",8,");
    EXPECT_EQ(ComposeDefaultFont(Font("Arial", -12, false, true)), "\"Arial\",-12,Italic");
    EXPECT_EQ(FontStyleText(Font("a", 1, true)), "Bold");
    EXPECT_EQ(FontStyleText(Font("a", 1)), "");
}

TEST(FontCodec, RoundTripsComposedTexts)
{
    for (const FontDesc& f : {Font("MS Sans Serif", 8), Font("Tahoma", 10, true, true),
                              Font("Courier New", 0, true), Font("X", -2147483647 - 1, false, true),
                              Font("Lucida Sans Typewriter Regular1", 72)}) {
        std::vector<std::string> parts;
        FontDesc parsed;
        parsed.SetName("Other");
        ParseDefaultFont(ComposeDefaultFont(f), parsed, parts);
        EXPECT_EQ(parsed, f) << ComposeDefaultFont(f);
        EXPECT_EQ(parts.size(), 2u + f.bold + f.italic) << "no empty item from the trailing comma";
    }
}

TEST(FontCodec, ParsesStylesOnlyFromThreeOrFourItems)
{
    FontDesc f = Parse("\"Tahoma\",10,Italic,Bold");
    EXPECT_TRUE(f.bold && f.italic);
    f = Parse("\"Tahoma\",10,Bold,Italic,Underline"); // five items: no style at all
    EXPECT_FALSE(f.bold || f.italic);
    EXPECT_EQ(f.Name(), "Tahoma");
    EXPECT_EQ(f.size, 10);
    f = Parse("\"Tahoma\",10,[fsBold]"); // brackets go, but the word does not match
    EXPECT_FALSE(f.bold);
    f = Parse("\"Tahoma\",10,bold"); // case-sensitive
    EXPECT_FALSE(f.bold);
    f = Parse("\"Tahoma\",10, Bold");
    EXPECT_FALSE(f.bold);

    FontDesc styled = Font("A", 1, true, false); // styles are only ever added
    std::vector<std::string> parts;
    ParseDefaultFont("\"B\",2,Italic", styled, parts);
    EXPECT_TRUE(styled.bold && styled.italic);
}

TEST(FontCodec, SplitsItemsLikeTheIde)
{
    std::vector<std::string> parts;
    // The comma in the name shifts every item: "homa" becomes the size.
    EXPECT_THROW(Parse("\"Ta,homa\",10,Bold", &parts), EConvertError);
    EXPECT_EQ(parts, (std::vector<std::string>{"Ta", "homa", "10", "Bold"}));
}

TEST(FontCodec, EmptyFirstItemLeavesTheName)
{
    std::vector<std::string> parts;
    const FontDesc f = Parse(";8;;Bold", &parts);
    EXPECT_EQ(parts, (std::vector<std::string>{"", "8", "", "Bold"}));
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.size, 8);
    EXPECT_TRUE(f.bold);
}

TEST(FontCodec, FailuresLeaveWhatWasAlreadySet)
{
    FontDesc font;
    std::vector<std::string> parts;
    try {
        ParseDefaultFont("\"\"", font, parts);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)");
    }
    EXPECT_EQ(font, FontDesc{});

    try {
        ParseDefaultFont("\"Tahoma\"", font, parts);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_EQ(font.Name(), "Tahoma");

    try {
        ParseDefaultFont("\"Arial\",8 ,Bold", font, parts);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'8 ' is not a valid integer value");
    }
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_FALSE(font.bold);
    EXPECT_EQ(Parse("\"Arial\",08").size, 8);
    EXPECT_EQ(Parse("\"Arial\",$10").size, 16);
}

TEST(FontCodec, NameIsCutAt31CharactersAndNeverEmptied)
{
    FontDesc f;
    f.SetName(std::string(40, 'n'));
    EXPECT_EQ(f.Name(), std::string(31, 'n'));
    f.SetName("");
    EXPECT_EQ(f.Name(), std::string(31, 'n'));
    f.SetName(std::string(30, 'a') + "\xC3\xA9\xC3\xA9"); // cut between whole characters
    EXPECT_EQ(f.Name(), std::string(30, 'a') + "\xC3\xA9");
    f.SetName("A" + std::string(500, '\xB4')); // malformed text still gets a bounded name
    EXPECT_LE(f.Name().size(), 4 * FontDesc::MaxNameLength);
}

TEST(FontCodec, ReplaceAllDoesNotRescanInsertedText)
{
    EXPECT_EQ(ReplaceAll("a,b,,c", ",", ";"), "a;b;;c");
    EXPECT_EQ(ReplaceAll("a\"b\"", "\"", ""), "ab");
    EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll("Aa", "a", "b"), "Ab");
}
