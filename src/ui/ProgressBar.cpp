#include "ui/ProgressBar.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace seamster::ui {

ProgressBar::ProgressBar(Window& window, const ProgressBarArgs& args) {
    const DWORD style = WS_CHILD | (args.visible ? WS_VISIBLE : 0) | (args.smooth ? PBS_SMOOTH : 0);
    hwnd_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", style, args.x, args.y, args.width, args.height,
                            window.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                            window.toolkit().instance(), nullptr);
    if (!hwnd_) return;
    SendMessageW(hwnd_, PBM_SETRANGE32, WPARAM(args.minimum), LPARAM(args.maximum));
    if (args.coloured) setColours(args.bar, args.background);
}

int ProgressBar::value() const { return hwnd_ ? int(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)) : 0; }

void ProgressBar::setValue(int value) {
    if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, WPARAM(value), 0);
}

void ProgressBar::setColours(COLORREF bar, COLORREF background) {
    if (!hwnd_) return;
    // A blank (not empty) class list matches no theme class; an empty one
    // is ignored by some implementations.
    SetWindowTheme(hwnd_, L" ", L" ");
    SendMessageW(hwnd_, PBM_SETBARCOLOR, 0, LPARAM(bar));
    SendMessageW(hwnd_, PBM_SETBKCOLOR, 0, LPARAM(background));
}

}  // namespace seamster::ui
