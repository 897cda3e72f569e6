// A window's gadget tips wait for the mouse: no tip window until it first
// comes over the window, then one that knows every tip given, including a
// tip replaced before and one added after.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "ui/Window.h"

namespace seamster::ui {
namespace {

int tipCount() {
    int count = -1;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER)) {
                *reinterpret_cast<int*>(found) = int(SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0));
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(GadgetTips, TipWindowIsMadeWhenTheMouseFirstComesOver) {
    Toolkit toolkit(GetModuleHandleW(nullptr));
    WindowArgs args;
    args.title = "Tips test";
    args.clientWidth = 300;
    args.clientHeight = 100;
    Window window(toolkit, args);
    ASSERT_TRUE(window.valid());
    window.addGadgets({{7, GadgetKind::button, 10, 20, 120, 25, "One", "first"},
                       {8, GadgetKind::button, 150, 20, 120, 25, "Two", "second"}});
    window.button(7).setTip("first, again");
    EXPECT_EQ(tipCount(), -1);

    SendMessageW(window.gadget(8), WM_SETCURSOR, WPARAM(window.gadget(8)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(tipCount(), 2);
    window.addGadgets({{9, GadgetKind::button, 10, 60, 120, 25, "Three", "third"}});
    EXPECT_EQ(tipCount(), 3);
}

}  // namespace
}  // namespace seamster::ui
