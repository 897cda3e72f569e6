#include <gtest/gtest.h>

#include "app/MainLayout.h"

namespace seamster {
namespace {

TEST(MainLayout, GadgetsSitBelowTheToolBarInKeyboardOrder) {
    struct Expected {
        int id;
        GadgetKind kind;
        int x, yBelowToolBar, width, height;
        const char* text;
        const char* tip;
    };
    using K = GadgetKind;
    const Expected expected[] = {
        {19, K::frame, 154, 2, 139, 60, "Bodyshop Size", ""},
        {20, K::frame, 7, 63, 286, 108, "", ""},
        {10, K::button, 16, 107, 130, 25, "Refresh Thumbnails",
         "Re-create Bodyshop and CAS thumbnails"},
        {11, K::button, 16, 139, 130, 25, "Background Image", "Choose a New background Image"},
        {12, K::button, 154, 107, 130, 25, "Cleanup Projects",
         "Remove unwanted projects from the list"},
        {14, K::button, 154, 139, 130, 25, "Background Color", "Choose a New background Color"},
        {15, K::option, 166, 22, 80, 15, " 800 x 600", ""},
        {16, K::option, 166, 40, 80, 15, "1024 x 768", ""},
        {17, K::dropDown, 16, 78, 130, 160, " Hands on Hips", "Set Pose for the Mannequin"},
        {24, K::dropDown, 154, 78, 130, 160, "  Default Lighting", "Set Lighting Brightness"},
        {18, K::button, 7, 174, 514, 27, "Run Bodyshop", "Run Bodyshop with these settings"},
        {23, K::picture, 55, 8, 48, 48, "", ""},
        {22, K::picture, 300, 5, 220, 165, "", ""},
    };
    for (int t : {0, 28}) {
        std::vector<GadgetSpec> gadgets = mainGadgets(t);
        ASSERT_EQ(gadgets.size(), std::size(expected));
        for (size_t i = 0; i < gadgets.size(); ++i) {
            const GadgetSpec& g = gadgets[i];
            const Expected& e = expected[i];
            SCOPED_TRACE("T=" + std::to_string(t) + " gadget " + std::to_string(e.id));
            EXPECT_EQ(g.id, e.id);
            EXPECT_EQ(g.kind, e.kind);
            EXPECT_EQ(g.x, e.x);
            EXPECT_EQ(g.y, t + e.yBelowToolBar);
            EXPECT_EQ(g.width, e.width);
            EXPECT_EQ(g.height, e.height);
            EXPECT_EQ(g.text, e.text);
            EXPECT_EQ(g.tip, e.tip);
        }
    }
}

TEST(MainLayout, ClientAreaAndRunButtonForA28PixelToolBar) {
    EXPECT_EQ(mainClientWidth, 527);
    EXPECT_EQ(mainInitialClientHeight, 180);
    EXPECT_EQ(mainClientHeight(28), 250);
    EXPECT_EQ(mainClientHeight(0), 222);
    for (const GadgetSpec& g : mainGadgets(28)) {
        if (g.id != 18) continue;
        EXPECT_EQ(g.y, 202);
        EXPECT_EQ(g.y + g.height, 229);
    }
    // Everything fits inside the client area (a drop-down's height includes
    // its opened list, which may hang below).
    for (const GadgetSpec& g : mainGadgets(28)) {
        EXPECT_LE(g.x + g.width, mainClientWidth) << g.id;
        if (g.kind != GadgetKind::dropDown) {
            EXPECT_LE(g.y + g.height, mainClientHeight(28)) << g.id;
        }
    }
}

TEST(MainLayout, ToolBarButtonsFromTheLeft) {
    const ToolButtonSpec expected[] = {
        {0, 19, "Seamster Setup"},       {8, 18, "Seamster Options"},
        {2, 26, "About Seamster"},       {3, 12, "New Background Color"},
        {4, 13, "New Background Image"}, {5, 14, "Clean up Projects"},
        {6, 21, "Hide Game Folders"},    {7, 16, "Extras"},
        {9, 27, "Rename Finished Packages"}, {1, 11, "Seamster Help"},
    };
    const auto& buttons = mainToolBar();
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i].button, expected[i].button) << i;
        EXPECT_EQ(buttons[i].picture, expected[i].picture) << i;
        EXPECT_EQ(std::string(buttons[i].tip), expected[i].tip) << i;
    }
}

TEST(MainLayout, StatusBarHasFourEqualFields) {
    EXPECT_EQ(statusFieldWidth(mainClientWidth), 131);
    EXPECT_EQ(mainClientWidth - 4 * statusFieldWidth(mainClientWidth), 3);
    const auto& fields = mainStatusFields();
    const std::pair<std::string, int> expected[] = {
        {"Downloads", 21}, {"SavedSims", 21}, {"Male Undies", 23}, {"Female Undies", 22}};
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].text, expected[i].first);
        EXPECT_EQ(fields[i].picture, expected[i].second);
    }
}

TEST(MainLayout, SavedPositionIsUsedWhenEitherCoordinateIsPositive) {
    struct Case {
        int x, y;
        bool used;
    };
    const Case cases[] = {{0, 50, true}, {50, 0, true},    {120, 80, true}, {-30, 5, true},
                          {0, 0, false}, {-10, -10, false}, {-5, 0, false}};
    for (const Case& c : cases) {
        auto corner = savedMainPosition(c.x, c.y);
        ASSERT_EQ(corner.has_value(), c.used) << c.x << "," << c.y;
        if (corner) {
            EXPECT_EQ(corner->x, c.x);
            EXPECT_EQ(corner->y, c.y);
        }
    }
}

TEST(MainLayout, LargerSizeIsPreselectedOnlyOnScreensAbove1000By700) {
    struct Case {
        int width, height, option;
    };
    const Case cases[] = {{1024, 768, 16}, {1000, 800, 15}, {1001, 701, 16},
                          {1001, 700, 15}, {800, 600, 15},  {2560, 1440, 16}};
    for (const Case& c : cases)
        EXPECT_EQ(preselectedSizeOption(c.width, c.height), c.option) << c.width << "x" << c.height;
}

}  // namespace
}  // namespace seamster
