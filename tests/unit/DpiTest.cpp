#include <gtest/gtest.h>

#include "ui/Dpi.h"

namespace seamster::ui {
namespace {

TEST(Dpi, LayoutValuesScaleLikeTheSystemsMulDivAndStayExactAt96) {
    struct Case {
        int value, dpi, expected;
    } cases[] = {
        {527, 96, 527},  {527, 120, 659}, {527, 144, 791}, {527, 192, 1054},
        {131, 144, 197}, {15, 120, 19},   {25, 120, 31},   {-7, 144, -11},
        {1, 144, 2},     {0, 192, 0},     {417, 144, 626}, {222, 168, 389},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scaled(c.value, c.dpi), c.expected) << c.value << "@" << c.dpi;
    // Back and forth lands where it started for every layout value at the usual scales.
    for (int dpi : {96, 120, 144, 192})
        for (int v = 0; v <= 1100; ++v)
            ASSERT_EQ(unscaled(scaled(v, dpi), dpi), v) << v << "@" << dpi;
    EXPECT_EQ(scaled(LayoutRect{7, 202, 514, 27}, 144), (LayoutRect{11, 303, 771, 41}));
    EXPECT_EQ(mulDiv(5, 3, 0), -1);
}

TEST(Dpi, DerivedRules) {
    // Fonts keep their points: Tahoma 8 is 11 pixels at 96 and 16 at 144.
    EXPECT_EQ(fontHeight(8, 96), -11);
    EXPECT_EQ(fontHeight(8, 144), -16);
    EXPECT_EQ(fontHeight(18, 192), -48);
    // Status-bar fields divide the scaled client width, not scale the 96-DPI field.
    EXPECT_EQ(equalFieldWidth(scaled(527, 96), 4), 131);
    EXPECT_EQ(equalFieldWidth(scaled(527, 192), 4), 263);
    // Columns narrowed by the scroll bar (in layout units) stay within a pixel of
    // the column scaled less the bar as the system draws it at 144 (26 pixels).
    EXPECT_NEAR(scaled(423 - unscaled(26, 144), 144), scaled(423, 144) - 26, 1);
    EXPECT_NEAR(scaled(190 - unscaled(26, 144), 144), scaled(190, 144) - 26, 1);
    // The preview panel: its usual place, or a margin right of controls reaching further.
    EXPECT_EQ(previewPanelLeft(300, 96), 417);
    EXPECT_EQ(previewPanelLeft(420, 96), 426);
    EXPECT_EQ(previewPanelLeft(600, 144), 626);
    EXPECT_EQ(previewPanelLeft(630, 144), 639);
}

TEST(Dpi, PicturesComeFromTheNearestDrawnScale) {
    struct Case {
        int dpi, scale, side16, side32;
    } cases[] = {
        {96, 100, 16, 32},  {110, 125, 20, 40}, {120, 125, 20, 40}, {144, 150, 24, 48},
        {168, 200, 32, 64}, {192, 200, 32, 64}, {288, 200, 32, 64}, {72, 100, 16, 32},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pictureScale(c.dpi), c.scale) << c.dpi;
        EXPECT_EQ(pictureSize(16, c.dpi), c.side16) << c.dpi;
        EXPECT_EQ(pictureSize(32, c.dpi), c.side32) << c.dpi;
    }
}

}  // namespace
}  // namespace seamster::ui
