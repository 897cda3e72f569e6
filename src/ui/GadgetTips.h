#pragma once
// The tips of one window's gadgets and tool-bar buttons. The tip window is
// made when the mouse first comes over the window, which spares every start
// and every window opened its making; tips given before then wait for it.

#include <windows.h>

#include <map>
#include <string>

namespace seamster::ui {

class GadgetTips {
public:
    GadgetTips() = default;
    GadgetTips(const GadgetTips&) = delete;
    GadgetTips& operator=(const GadgetTips&) = delete;

    // The window whose gadgets have the tips; set once it exists.
    void attach(HWND window, HINSTANCE instance) {
        window_ = window;
        instance_ = instance;
    }
    // A gadget has one tip: a new one replaces the old.
    void set(HWND control, const std::string& tip);
    // A tool-bar button's tip, asked for by the bar's own tip window.
    void setCommand(int command, const std::string& tip);
    // The mouse is over the window: the tip window is made if it is not yet.
    void mouseCame();
    // Fills in a tool-bar button's tip (TTN_GETDISPINFO); false for another
    // notification.
    bool fillCommandTip(NMHDR* header) const;

private:
    void add(HWND control, const std::wstring& tip) const;

    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND tips_ = nullptr;
    std::map<HWND, std::wstring> texts_;
    std::map<int, std::wstring> commandTips_;
};

}  // namespace seamster::ui
