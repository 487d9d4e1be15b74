#include "base/Format.h"

#include <gtest/gtest.h>

using quillon::Format;

TEST(Format, SubstitutesTextAndNumbersInOrder)
{
    EXPECT_EQ(Format("Invalid data type for '%s'", "AutoPaletteSelect"),
              "Invalid data type for 'AutoPaletteSelect'");
    EXPECT_EQ(Format("List index out of bounds (%d)", 1), "List index out of bounds (1)");
    EXPECT_EQ(Format("%s=%d%%", "x", -5), "x=-5%");
}

TEST(Format, ArgumentTextIsNotReinterpreted)
{
    // A value name containing a directive must come out literally.
    EXPECT_EQ(Format("'%s' is not a valid integer value", "%d%s"), "'%d%s' is not a valid integer value");
    EXPECT_EQ(Format("%s and %s", "one"), "one and %s");
}
