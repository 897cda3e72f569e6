#pragma once
// Where the keyboard goes in one window: the order Tab follows (reading
// order, or the order the gadgets were made in), the gadget the focus starts
// in and comes back to after another window had it, and the buttons Enter
// and Escape press.

#include <windows.h>

#include "ui/Gadgets.h"

namespace seamster::ui {

// Whether a control is of the window class `name` ("Button", "ComboBox").
bool hasClass(HWND control, const wchar_t* name);

class KeyboardFocus {
public:
    // `creationOrder`: Tab follows the order the gadgets were made in;
    // `firstFocus`: the gadget the keyboard starts in (0 for the first).
    void attach(HWND window, bool creationOrder, int firstFocus) {
        window_ = window;
        creationOrder_ = creationOrder;
        firstFocus_ = firstFocus;
    }
    // The tool bar takes no part in the order.
    void setToolBar(HWND bar) { toolBar_ = bar; }
    bool isToolBar(HWND control) const { return control && control == toolBar_; }

    // Before the window first shows: its gadgets go into keyboard order
    // (positions are read at `dpi`). True the first time only.
    bool orderOnce(int dpi);
    // Once it shows: the focus to the first gadget, or the one asked for.
    void focusStart();
    // The first gadget that takes the keyboard and can take it now.
    void focusFirstGadget();
    // WM_ACTIVATE: like a dialog, the gadget that had the focus gets it back
    // when the window is active again, so typing goes on where it stopped
    // after a message box. True when it was given back.
    bool activated(bool active);

    void setButtons(int enter, int escape) {
        enter_ = enter;
        escape_ = escape;
    }
    // The button a gadget table's row names for Enter or Escape.
    void setButton(KeyRole role, int id) {
        if (role == KeyRole::enter) enter_ = id;
        if (role == KeyRole::escape) escape_ = id;
    }
    int enterButton() const { return enter_; }
    int escapeButton() const { return escape_; }

private:
    void orderTabStops(int dpi);
    void focusUnit(HWND first);

    HWND window_ = nullptr;
    HWND toolBar_ = nullptr;
    bool creationOrder_ = false;
    int firstFocus_ = 0;
    bool ordered_ = false;
    HWND focused_ = nullptr;  // the gadget that had the focus when the window lost it
    int enter_ = 0, escape_ = 0;
};

}  // namespace seamster::ui
