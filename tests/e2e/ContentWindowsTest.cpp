// The four small windows of the tool bar sit where their layouts put them.

#include <cstdlib>

#include "GameContent.h"

namespace seamster::e2e {
namespace {

class ContentWindows : public ContentScenario {};

struct Placed {
    int id;
    Rect rect;
};

struct WindowLayout {
    int button;
    const std::string* title;
    Rect client;
    int ok;
    std::vector<Placed> gadgets;
    // Drop-down lists: only the closed box's place and width show.
    std::vector<Placed> dropDowns;
};

std::vector<WindowLayout> layouts() {
    return {
        {mainButton::hideGameFolders,
         &hideFoldersTitle,
         {0, 0, 346, 100},
         200,
         {{201, {10, 2, 328, 65}},
          {209, {20, 18, 48, 48}},
          {210, {70, 10, 260, 30}},
          {211, {70, 35, 260, 30}},
          {200, {10, 72, 328, 24}}},
         {}},
        {mainButton::extras,
         &extrasTitle,
         {0, 0, 350, 248},
         50,
         {{54, {10, 8, 334, 52}},
          {55, {10, 66, 334, 54}},
          {56, {10, 126, 334, 78}},
          {57, {35, 174, 295, 25}},
          {50, {10, 210, 334, 30}}},
         {{58, {35, 28, 290, 0}},
          {51, {35, 88, 290, 0}},
          {52, {30, 146, 140, 0}},
          {53, {185, 146, 140, 0}}}},
        {mainButton::options,
         &optionsTitle,
         {0, 0, 408, 155},
         200,
         {{200, {10, 125, 388, 24}},
          {209, {20, 32, 48, 48}},
          {210, {70, 10, 320, 30}},
          {211, {70, 35, 320, 30}},
          {212, {70, 60, 320, 30}},
          {214, {70, 85, 320, 30}},
          {201, {10, 2, 388, 115}}},
         {}},
        // The link (208) is as wide as its words; the rest is fixed.
        {mainButton::about,
         &aboutTitle,
         {0, 0, 406, 204},
         200,
         {{200, {3, 180, 400, 22}},
          {209, {8, 0, 50, 178}},
          {210, {280, 1, 122, 176}},
          {201, {65, 5, 260, 25}},
          {202, {120, 35, 150, 20}},
          {203, {110, 60, 180, 20}},
          {204, {110, 78, 180, 20}},
          {205, {65, 96, 260, 20}},
          {206, {65, 118, 260, 20}},
          {207, {65, 136, 260, 20}}},
         {}},
    };
}

TEST_F(ContentWindows, GadgetsSitWhereTheLayoutsPutThem) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    for (const WindowLayout& layout : layouts()) {
        SCOPED_TRACE(*layout.title);
        HWND window = openFromToolBar(layout.button, *layout.title);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(clientRect(window), layout.client);
        EXPECT_FALSE(style(window) & WS_SYSMENU) << "only OK closes the window";
        // Centred over the main window.
        const Rect outer = windowRect(window), owner = windowRect(main_);
        EXPECT_LE(std::abs(outer.x + outer.width / 2 - (owner.x + owner.width / 2)), 1) << outer;
        EXPECT_LE(std::abs(outer.y + outer.height / 2 - (owner.y + owner.height / 2)), 1) << outer;
        for (const Placed& gadget : layout.gadgets) {
            HWND control = e2e::control(window, gadget.id);
            ASSERT_NE(control, nullptr) << "gadget " << gadget.id;
            EXPECT_EQ(rectInParent(control), gadget.rect) << "gadget " << gadget.id;
        }
        for (const Placed& list : layout.dropDowns) {
            HWND control = e2e::control(window, list.id);
            ASSERT_NE(control, nullptr) << "list " << list.id;
            const Rect place = rectInParent(control);
            EXPECT_EQ((Rect{place.x, place.y, place.width, 0}), list.rect) << "list " << list.id;
        }
        pressOk(window, layout.ok);
    }
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
