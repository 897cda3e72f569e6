// A window moved to a screen of another DPI lays itself out again: the
// suggested place, every gadget at its layout scaled, fonts of the same
// points, the tool bar's pictures at the new scale. (This test program does
// not carry the pictures themselves; the scenarios at each DPI show them.)
#include <gtest/gtest.h>

#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"
#include "ui/Window.h"

namespace seamster::ui {
namespace {

RECT placeInParent(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(DpiChange, WindowLaysItselfOutAgainAtTheNewDpi) {
    Toolkit toolkit(GetModuleHandleW(nullptr));
    toolkit.loadFonts();
    WindowArgs args;
    args.title = "DPI test";
    args.clientWidth = 300;
    args.clientHeight = 200;
    Window window(toolkit, args);
    ASSERT_TRUE(window.valid());
    const int from = window.dpi();
    const int to = from * 2;
    GadgetSettings settings;
    settings.lists[9].columns = {{"Name", 200}};
    window.addGadgets({{7, GadgetKind::button, 10, 20, 120, 25, "OK", ""},
                       {8, GadgetKind::picture, 150, 20, 32, 32, "", ""},
                       {9, GadgetKind::listView, 0, 60, 280, 100, "", ""}},
                      settings);
    window.picture(8).showIcon(toolkit.icon(11, 32));
    ListView& view = *window.listView(9);
    ToolBar bar(window);
    bar.addButtons({{3, 12, "tip"}});
    StatusBar status(window, 2, 100);

    RECT suggested = {40, 50, 40 + 700, 50 + 500};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(to, to),
                 reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(window.dpi(), to);
    RECT outer = {}, client = {};
    GetWindowRect(window.hwnd(), &outer);
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 50);
    EXPECT_EQ(client.right, scaled(300, to));
    EXPECT_EQ(client.bottom, scaled(200, to));
    const RECT button = placeInParent(window.gadget(7));
    EXPECT_EQ(button.left, scaled(10, to));
    EXPECT_EQ(button.top, scaled(20, to));
    EXPECT_EQ(button.right - button.left, scaled(120, to));
    EXPECT_EQ(button.bottom - button.top, scaled(25, to));
    EXPECT_EQ(placeInParent(view.hwnd()).top, scaled(60, to));
    EXPECT_EQ(ListView_GetColumnWidth(view.hwnd(), 0), scaled(200, to));
    int edges[2] = {};
    SendMessageW(status.hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[1], scaled(200, to));
    // The same font at the new DPI.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window.gadget(7), WM_GETFONT, 0, 0)),
              toolkit.font(2, to));
    int width = 0, height = 0;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar.hwnd(), TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(width, pictureSize(32, to));
}

// The bar's pictures for the old DPI go when it takes those for the new one,
// and those go with the window: each list destroyed once, none left behind.
TEST(DpiChange, ToolBarPicturesAreDestroyedOnceAndGoWithTheirWindow) {
    Toolkit toolkit(GetModuleHandleW(nullptr));
    const int listsBefore = liveImageLists();
    {
        Window window(toolkit, WindowArgs{});
        ToolBar bar(window);
        RECT suggested = {0, 0, 400, 300};
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(liveImageLists(), listsBefore + 1);
    }
    EXPECT_EQ(liveImageLists(), listsBefore);
    EXPECT_EQ(imageListsDestroyedTwice(), 0);
}

}  // namespace
}  // namespace seamster::ui
