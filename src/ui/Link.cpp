#include "ui/Link.h"

#include <commctrl.h>

namespace seamster::ui {

namespace {
LRESULT CALLBACK linkProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR) {
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, linkProcedure, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

void makeLink(Window& window, int id, COLORREF colour) {
    HWND control = window.gadget(id);
    if (!control) return;
    // A text gadget reports clicks only with SS_NOTIFY; it is read on each click.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    SetWindowSubclass(control, linkProcedure, 1, 0);
    window.setTextColour(id, colour);
}

}  // namespace seamster::ui
