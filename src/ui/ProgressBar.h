#pragma once
// A progress bar gadget with its own bar and background colours.

#include <windows.h>

#include "ui/Window.h"

namespace seamster::ui {

class ProgressBar {
public:
    // Made and kept by the window, from its gadget table (Window::addGadgets).
    ProgressBar(Window& window, const Gadget& row, const ProgressBarArgs& args);

    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    int value() const;
    void setValue(int value);
    // A themed bar draws in the theme's colours, so colouring a bar takes
    // theming off for it.
    void setColours(Colour bar, Colour background);

private:
    HWND hwnd_ = nullptr;
};

}  // namespace seamster::ui
