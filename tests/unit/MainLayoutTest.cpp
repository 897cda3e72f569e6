#include <gtest/gtest.h>

#include <set>

#include "app/MainLayout.h"

namespace seamster {
namespace {

TEST(MainLayout, GadgetsMoveDownWithTheToolBarAndFitTheClientArea) {
    const std::vector<Gadget> flat = mainGadgets(0), below = mainGadgets(28);
    ASSERT_EQ(flat.size(), 13u);
    for (size_t i = 0; i < flat.size(); ++i) {
        EXPECT_EQ(below[i].id, flat[i].id);
        EXPECT_EQ(below[i].x, flat[i].x);
        EXPECT_EQ(below[i].y, flat[i].y + 28) << flat[i].id;
        EXPECT_LE(below[i].x + below[i].width, mainClientWidth) << flat[i].id;
        // A drop-down's height includes its opened list, which may hang below.
        if (below[i].kind != GadgetKind::dropDown) {
            EXPECT_LE(below[i].y + below[i].height, mainClientHeight(28)) << flat[i].id;
        }
    }
    EXPECT_EQ(mainClientHeight(28), 250);
    const Gadget& run = below[10];
    EXPECT_EQ(run.id, 18);
    EXPECT_EQ(run.y, 202);
    EXPECT_EQ(run.y + run.height, 229);
    EXPECT_EQ(run.text, "Run Bodyshop");
    // The two size options form one group: nothing may come between them.
    EXPECT_EQ(flat[6].id, 15);
    EXPECT_EQ(flat[7].id, 16);
}

TEST(MainLayout, ToolBarRaisesEveryButtonNumberOnce) {
    std::set<int> numbers;
    for (const ToolButton& item : mainToolBar()) numbers.insert(item.button);
    EXPECT_EQ(numbers.size(), 10u);
    EXPECT_EQ(*numbers.begin(), 0);
    EXPECT_EQ(*numbers.rbegin(), 9);
    EXPECT_EQ(mainToolBar().front().button, 0);  // "Seamster Setup" comes first
    EXPECT_EQ(mainToolBar().back().button, 1);   // "Seamster Help" comes last
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
    const Case cases[] = {{0, 50, true}, {50, 0, true},     {120, 80, true}, {-30, 5, true},
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
