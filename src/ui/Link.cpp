#include "ui/Link.h"

#include <commctrl.h>

#include "platform/win32/Handles.h"

namespace seamster::ui {

namespace {
LRESULT CALLBACK linkProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, linkProcedure, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

void makeLink(Window& window, int id, Colour colour) {
    HWND control = window.gadget(id);
    if (!control) return;
    // A text gadget reports clicks only with SS_NOTIFY; it is read on each click.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    SetWindowSubclass(control, linkProcedure, 1, 0);
    window.control(id).setTextColour(colour);
}

}  // namespace seamster::ui

namespace seamster::ui {

void fitToText(Window& window, int id, int centreX) {
    HWND control = window.gadget(id);
    if (!control) return;
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    const WindowDc dc(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc.get(), font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc.get(), text.c_str(), int(text.size()), &extent);
    SelectObject(dc.get(), old);

    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    const int width = extent.cx + 4;  // room for the underline's ends
    MoveWindow(control, centreX - width / 2, rect.top, width, rect.bottom - rect.top, TRUE);
}

}  // namespace seamster::ui
