#pragma once
// A window's status bar of fields with a text and a small picture.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Dpi.h"

namespace seamster::ui {

class Window;

// A status bar whose fields show a centred text and a 16 x 16 picture.
// Field widths are given at 96 DPI.
class StatusBar {
public:
    StatusBar(Window& window, int fieldCount, int fieldWidth);
    // `fieldCount` fields of equal width across the window's client area.
    StatusBar(Window& window, int fieldCount);
    // Fields of the given widths from the left; the bar is gadget `id`.
    StatusBar(Window& window, const std::vector<int>& fieldWidths, int id);
    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    // At 96 DPI.
    int height() const;
    // Takes its place along the bottom of its window again, after the window
    // changed size.
    void fitToWindow();
    void setField(int field, const std::string& text, HICON icon);
    void setIcon(int field, HICON icon);
    enum class Align { left, centre, right };
    void setText(int field, const std::string& text, Align align = Align::left, bool border = true);

private:
    void setEdges(const std::vector<int>& edges);  // right edges in pixels

    HWND hwnd_ = nullptr;
    int dpi_ = layoutDpi;
};

}  // namespace seamster::ui