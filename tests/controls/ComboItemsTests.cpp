#include "controls/choice/ComboItems.h"

#include "controls/choice/ColorText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;

namespace {

const std::vector<std::string> Items = ColorNameItems();

} // namespace

TEST(ComboItems, LookupAndCompletionIgnoreCase)
{
    const struct {
        const char* text;
        int equal;    // IndexOfItem
        int complete; // CompletionIndex
    } cases[] = {
        {"clh", -1, 29},           // clHighlight
        {"CLH", -1, 29},
        {"clHighlightT", -1, 30},  // clHighlightText
        {"clb", -1, 0},            // clBlack, the first of several
        {"clinfobk", 40, 40},
        {"CLRED", 9, 9},
        {"cl", -1, -1},            // too short to complete
        {"c", -1, -1},
        {"", -1, -1},
        {"clx", -1, -1},
        {"clInfoBkX", -1, -1},     // longer than any item
        {"clRe\xC4\x91", -1, -1}, // no byte beyond ASCII matches a letter
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IndexOfItem(Items, c.text), c.equal) << c.text;
        EXPECT_EQ(CompletionIndex(Items, c.text), c.complete) << c.text;
    }
}

TEST(ComboItems, UpAndDownStopAtTheEnds)
{
    const struct {
        const char* name;
        int itemIndex;
        const char* text;
        bool down;
        int expected;
    } cases[] = {
        {"down in an empty text", -1, "", true, 0},
        {"up in an empty text", -1, "", false, 0},
        {"up on the first item", 0, "clBlack", false, 0},
        {"down on the last item", 40, "clInfoBk", true, -1},
        {"down from the typed item", -1, "clred", true, 10},
        {"up from the typed item", -1, "CLRED", false, 8},
        {"the index wins over the text", 5, "clRed", true, 6},
        {"down on typed text that is no item", -1, "$00123456", true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpDownIndex(Items, c.itemIndex, c.text, c.down), c.expected) << c.name;

    EXPECT_EQ(UpDownIndex({}, -1, "", true), -1);
    EXPECT_EQ(UpDownIndex(Items, 2147483647, "", true), -1);
}
