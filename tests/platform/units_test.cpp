#include "platform/units.h"

#include <gtest/gtest.h>

TEST(Units, PaletteHasTheClassicSixteenColours) {
    const std::uint32_t expected[16] = {0x00000000, 0x00800000, 0x00008000, 0x00808000, 0x00000080, 0x00800080,
                                        0x00008080, 0x00C0C0C0, 0x00808080, 0x00FF0000, 0x0000FF00, 0x00FFFF00,
                                        0x000000FF, 0x00FF00FF, 0x0000FFFF, 0x00FFFFFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(QBColorValue(i), expected[i]) << i;
    // 0x00BBGGRR: blue is the high byte.
    EXPECT_EQ(QBColor(9), QColor(0, 0, 255));
    EXPECT_EQ(QBColor(12), QColor(255, 0, 0));
    EXPECT_EQ(bgrColor(0x0080FF80), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(colorToBgr(QColor(0xC0, 0xC0, 0xFF)), 0x00FFC0C0u);
}

TEST(Units, FifteenTwipsMakeAPixel) {
    EXPECT_EQ(twipsToPixels(9660), 644);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsRect(2880, 240, 2175, 615), QRect(192, 16, 145, 41));
    EXPECT_DOUBLE_EQ(pixelsToTwips(10), 150);
}
