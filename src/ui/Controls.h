#pragma once
// Typed gadgets: one small class per kind, each a light view of a child
// window that its Window owns (copies are cheap and may be kept). An empty
// view (a gadget that does not exist) ignores calls and reads as blank.

#include <windows.h>

#include <string>
#include <vector>

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

// What a gadget table's row does not say about a list view: its columns and
// how its rows look and report.
struct ListColumn {
    std::string title;
    int width = 100;
};

struct ListViewArgs {
    std::vector<ListColumn> columns;
    bool checkBoxes = true;
    bool gridLines = true;
    Colour background = rgbColour(255, 255, 233);  // the list and its text
    Colour textColour = rgbColour(0, 0, 0);        // what a new cell is drawn in
    int iconSize = 0;   // a picture of this size in front of each row when non-zero
    int rowHeight = 0;  // rows at least this high, so a list of n rows has a known height
    // Ticks and unticks always raise a gadget event; with this set, so does
    // a row becoming selected or unselected.
    bool reportSelection = false;
    // With this cleared, only the user's own ticks and clicks raise events:
    // a program that sets the states itself already knows what it set, and a
    // list of thousands of rows must not answer each change with an event.
    bool reportOwnChanges = true;
};

// And about a progress bar.
struct ProgressBarArgs {
    int minimum = 0, maximum = 100;
    bool smooth = true;  // a solid bar rather than blocks
    bool coloured = false;
    Colour bar = rgbColour(0, 0, 0);
    Colour background = rgbColour(255, 255, 255);
    bool visible = true;
};

}  // namespace seamster::ui
