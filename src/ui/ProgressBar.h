#pragma once
// A progress bar gadget with its own bar and background colours.

#include <windows.h>

#include "ui/Window.h"

namespace seamster::ui {

struct ProgressBarArgs {
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int minimum = 0, maximum = 100;
    bool smooth = true;  // a solid bar rather than blocks
    bool coloured = false;
    Colour bar = rgbColour(0, 0, 0);
    Colour background = rgbColour(255, 255, 255);
    bool visible = true;
};

class ProgressBar {
public:
    ProgressBar(Window& window, const ProgressBarArgs& args);

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
