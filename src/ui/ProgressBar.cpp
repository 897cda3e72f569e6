#include "ui/ProgressBar.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace seamster::ui {

ProgressBar::ProgressBar(Window& window, const Gadget& row, const ProgressBarArgs& args) {
    ControlPlace place;
    place.className = PROGRESS_CLASSW;
    place.style = (args.visible ? WS_VISIBLE : 0) | (args.smooth ? PBS_SMOOTH : 0);
    place.id = row.id;
    place.x = row.x, place.y = row.y, place.width = row.width, place.height = row.height;
    hwnd_ = window.addControl(place);
    if (!hwnd_) return;
    SendMessageW(hwnd_, PBM_SETRANGE32, WPARAM(args.minimum), LPARAM(args.maximum));
    if (args.coloured) setColours(args.bar, args.background);
}

int ProgressBar::value() const { return hwnd_ ? int(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)) : 0; }

void ProgressBar::setValue(int value) {
    if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, WPARAM(value), 0);
}

void ProgressBar::setColours(Colour bar, Colour background) {
    if (!hwnd_) return;
    // A blank (not empty) class list matches no theme class; an empty one
    // is ignored by some implementations.
    SetWindowTheme(hwnd_, L" ", L" ");
    SendMessageW(hwnd_, PBM_SETBARCOLOR, 0, LPARAM(bar));
    SendMessageW(hwnd_, PBM_SETBKCOLOR, 0, LPARAM(background));
}

}  // namespace seamster::ui
