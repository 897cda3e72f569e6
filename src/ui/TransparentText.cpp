#include "ui/TransparentText.h"

#include <commctrl.h>

namespace seamster::ui {

namespace {
constexpr UINT_PTR subclassId = 0x7E47;

LRESULT CALLBACK parentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
    auto* ids = reinterpret_cast<std::vector<int>*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, parentProcedure, subclassId);
        delete ids;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (message != WM_CTLCOLORSTATIC) return DefSubclassProc(hwnd, message, wParam, lParam);
    // The window's own handling sets the text colour first.
    LRESULT brush = DefSubclassProc(hwnd, message, wParam, lParam);
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    for (int transparent : *ids) {
        if (transparent != id) continue;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}
}  // namespace

void drawTextsTransparent(Window& window, const std::vector<int>& ids) {
    auto* owned = new std::vector<int>(ids);
    if (!SetWindowSubclass(window.hwnd(), parentProcedure, subclassId,
                           reinterpret_cast<DWORD_PTR>(owned)))
        delete owned;
}

}  // namespace seamster::ui
