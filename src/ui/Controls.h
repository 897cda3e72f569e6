#pragma once
// Typed gadgets: one small class per kind, each a light view of a child
// window that its Window owns (copies are cheap and may be kept). An empty
// view (a gadget that does not exist) ignores calls and reads as blank.

#include <windows.h>

#include <string>

#include "ui/Gadgets.h"

namespace seamster::ui {

class Window;

// Where and how a child control is made. Positions and sizes are given as at
// 96 DPI; this is the one description every control of the program is made
// from, so scaling them is done in one place.
struct ControlPlace {
    const wchar_t* className = L"STATIC";
    DWORD style = 0;  // beyond WS_CHILD
    DWORD exStyle = 0;
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;
};

// Makes a child control of `parent` in the default font; nullptr on failure.
HWND createControl(HWND parent, const ControlPlace& place, HFONT font);
// Moves and sizes a child control (96-DPI numbers); `above` puts it on top of
// its siblings.
void placeControl(HWND control, int x, int y, int width, int height, bool above = false);

// What a gadget has beyond, or goes without, the usual look of its kind.
enum Look : unsigned {
    lookNormal = 0,
    lookReadOnly = 1u << 0,     // an edit box that shows but takes no typing
    lookPlain = 1u << 1,        // no border and no tab stop
    lookCentred = 1u << 2,      // text centred in an edit box
    lookNumbersOnly = 1u << 3,  // an edit box that takes digits only
    lookIconOnly = 1u << 4,     // a button that shows an icon instead of text
    lookNaturalSize = 1u << 5,  // a picture at its own size, at the top left
};

class Control {
public:
    Control() = default;
    Control(Window* window, HWND hwnd) : window_(window), hwnd_(hwnd) {}

    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    int id() const;

    void enable(bool enabled) const;
    bool isEnabled() const;
    void show(bool visible) const;
    bool isVisible() const;
    std::string text() const;
    void setText(const std::string& text) const;
    void setFont(HFONT font) const;
    // Text and frame gadgets drawn in this colour from now on.
    void setTextColour(Colour colour) const;
    void setTip(const std::string& tip) const;
    void focus() const;
    bool hasFocus() const;
    // Behind every other gadget, so those drawn later cover it.
    void sendToBack() const;
    // Paints any pending change now.
    void update() const;

protected:
    Window* window_ = nullptr;
    HWND hwnd_ = nullptr;
};

class Button : public Control {
public:
    using Control::Control;
    // An icon-only button's picture; the icon must outlive the button.
    void setIcon(HICON icon) const;
};

class CheckBox : public Control {
public:
    using Control::Control;
    bool isChecked() const;
    void setChecked(bool checked) const;
};

// An option (radio button): one of a group; checking one by program does
// not uncheck the others.
class Option : public CheckBox {
public:
    using CheckBox::CheckBox;
};

class DropDown : public Control {
public:
    using Control::Control;
    void insertItem(int position, const std::string& text) const;
    void addItem(const std::string& text) const { insertItem(-1, text); }
    void select(int position) const;
    // The chosen position, or -1.
    int selected() const;
};

class ListBox : public Control {
public:
    using Control::Control;
    void insertItem(int position, const std::string& text) const;
    void addItem(const std::string& text) const { insertItem(-1, text); }
    void select(int position) const;
    int selected() const;
};

class Text : public Control {
public:
    using Control::Control;
};

class Frame : public Control {
public:
    using Control::Control;
};

// A picture gadget showing a bitmap or an icon. What it is given stays its
// giver's; a copy the control makes for itself is freed by the toolkit.
class Picture : public Control {
public:
    using Control::Control;
    void showBitmap(HBITMAP bitmap) const;
    void showIcon(HICON icon) const;
    void setSunken() const;
    void place(int x, int y, int width, int height) const;
};

class Edit : public Control {
public:
    using Control::Control;
    // Text put back into a box the user types in keeps the caret at its end.
    void setText(const std::string& text) const;
};

}  // namespace seamster::ui
