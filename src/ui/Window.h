#pragma once
// A numbered top-level window and the gadgets in it. A gadget's number is
// its Win32 control ID; windows are found by their titles.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Dpi.h"
#include "ui/GadgetTips.h"
#include "ui/KeyboardFocus.h"
#include "ui/Owner.h"
#include "ui/Gadgets.h"
#include "ui/Toolkit.h"

namespace seamster::ui {

// Sizes and gadget places are given at 96 DPI and shown at the window's
// DPI; screen positions (x, y) are screen pixels.
struct WindowArgs {
    int number = 0;
    std::string title;
    int clientWidth = 100;
    int clientHeight = 100;
    bool closeBox = true;  // caption with system menu
    bool minimizeBox = false;
    // Outer top-left corner; centred over `centreOver` (or the screen) when unset
    // or when the window would meet no monitor's work area there.
    bool placed = false;
    int x = 0, y = 0;
    Owner centreOver;
    Owner owner;
    // The page of the help file F1 opens in this window; none when empty.
    std::string helpPage;
    // Tab follows the order the gadgets were made in (a layout that states
    // its keyboard order); otherwise reading order.
    bool tabInCreationOrder = false;
    // The gadget the keyboard starts in when the window first shows (in an
    // option group, the chosen option); the first gadget when 0.
    int firstFocus = 0;
};

// A gadget's own answer to the notifications it sends its window (custom
// drawing, for one): a result when it handled the message, nothing otherwise.
using NotifyHandler = std::function<std::optional<LRESULT>(NMHDR*)>;

class ListView;
class ProgressBar;

// What a gadget table's rows do not say about the list views and progress
// bars they make, by gadget number; one not named here gets the defaults.
struct GadgetSettings {
    std::map<int, ListViewArgs> lists;
    std::map<int, ProgressBarArgs> bars;
};

class Window {
public:
    Window(Toolkit& toolkit, const WindowArgs& args);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    int number() const { return number_; }
    bool valid() const { return hwnd_ != nullptr; }
    // False once the window was destroyed from outside.
    bool exists() const;
    Toolkit& toolkit() const { return toolkit_; }
    // The DPI the window is shown at; its layout values scale by it.
    int dpi() const { return dpi_; }
    int scaled(int layoutValue) const { return ui::scaled(layoutValue, dpi_); }
    // A control made outside addGadget, placed at its 96-DPI rectangle and
    // kept there (scaled) when the window's DPI changes.
    void placeControl(HWND control, const LayoutRect& rect);

    // Creates gadgets in order, every kind from its row; consecutive options
    // form one group. The window keeps the list views and progress bars it
    // makes, which `settings` describes further.
    void addGadgets(const std::vector<Gadget>& gadgets, const GadgetSettings& settings = {});
    // Any child control of the window, made here (see createControl).
    HWND addControl(const ControlPlace& place);
    HWND gadget(int id) const { return GetDlgItem(hwnd_, id); }

    // The gadgets by number: any gadget as a control, and each as the kind
    // it was made as. Asked for as another kind, a gadget gives the empty
    // view, which ignores calls and reads as blank.
    Control control(int id) { return {this, gadget(id)}; }
    Button button(int id) { return {this, made(id, GadgetKind::button)}; }
    CheckBox checkBox(int id) { return {this, made(id, GadgetKind::checkBox, GadgetKind::option)}; }
    Option option(int id) { return {this, made(id, GadgetKind::option)}; }
    DropDown dropDown(int id) { return {this, made(id, GadgetKind::dropDown)}; }
    ListBox listBox(int id) { return {this, made(id, GadgetKind::listBox)}; }
    Text label(int id) { return {this, made(id, GadgetKind::text, GadgetKind::centredText)}; }
    Frame frame(int id) { return {this, made(id, GadgetKind::frame)}; }
    Picture picture(int id) { return {this, made(id, GadgetKind::picture)}; }
    Edit edit(int id) { return {this, made(id, GadgetKind::edit)}; }
    // Null when the table made none of that number.
    ListView* listView(int id) const;
    ProgressBar* progressBar(int id) const;

    // Notifications of gadget `id` go to `handler` first; an empty handler
    // removes it.
    void setNotifyHandler(int id, NotifyHandler handler);

    void setTitle(const std::string& title);
    void setClientSize(int width, int height);
    RECT outerRect() const;
    // Outer top-left corner on the screen, without activating the window.
    void moveTo(int x, int y);
    void centreOnScreen();
    // The first time a window shows, its gadgets are put in keyboard order
    // and the first of them (or `firstFocus`) gets the focus.
    void show(bool visible = true);
    void activate();
    void setEnabled(bool enabled);
    // Paints what is pending now rather than at the next quiet moment.
    void update();
    void focusFirstGadget() { keyboard_.focusFirstGadget(); }
    const std::string& helpPage() const { return helpPage_; }

    // Enter, Escape and F1 for this window, before the dialog keys: Enter
    // presses the focused button or else the window's Enter button, Escape
    // its Escape button or else the close box of a secondary window that
    // has one; neither does anything else. F1 shows the window's help page.
    // True when the key was taken.
    bool handleKey(WPARAM key);
    // The buttons Enter and Escape press from now on (0 for none), for a
    // window whose buttons change their meaning; a gadget's KeyRole sets
    // them as it is made.
    void setKeyButtons(int enter, int escape) { keyboard_.setButtons(enter, escape); }
    // What a control does, besides moving to its place and taking its font
    // at the new DPI, when the window goes to another DPI: the control that
    // knows its own content (a list, a status bar, a picture) gives it.
    using Rescale = std::function<void(int oldDpi, int newDpi)>;
    void setRescale(HWND control, Rescale rescale);

    // Tool-bar button tips, by command ID.
    void setCommandTip(int command, const std::string& tip);
    // The window's tool bar, whose buttons raise tool-bar events.
    void setToolBar(HWND bar) { keyboard_.setToolBar(bar); }

    // For the controls' own classes: a gadget's tip and text colour, and
    // the picture a picture control shows (kept by its giver).
    void setTip(HWND control, const std::string& tip);
    void setTextColour(HWND control, Colour colour);
    void showImage(HWND control, LONG_PTR pictureStyle, UINT imageType, HANDLE image);

    static Window* fromHandle(HWND hwnd);
    // Messages before the object is attached go to the default procedure.
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Lays the window out again for `dpi` inside `outer` (screen pixels).
    void changeDpi(int dpi, const RECT& outer);
    void rescaleControl(HWND control, int oldDpi);
    void rescalePicture(HWND control, int dpi) const;
    bool controlNotification(WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR* header);
    // Gadget `id` when the table made it as `kind` (or `other`); else none.
    HWND made(int id, GadgetKind kind, GadgetKind other) const;
    HWND made(int id, GadgetKind kind) const { return made(id, kind, kind); }
    // `previous`: the kind of the gadget created just before in this window;
    // an option that follows an option joins its group.
    void addGadget(const Gadget& gadget, GadgetKind previous, const GadgetSettings& settings);

    Toolkit& toolkit_;
    int number_;
    int dpi_ = layoutDpi;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    std::string helpPage_;
    int clientWidth_ = 0, clientHeight_ = 0;  // at 96 DPI
    std::map<HWND, LayoutRect> layout_;       // each gadget's 96-DPI rectangle
    std::map<HWND, Rescale> rescales_;
    std::map<int, GadgetKind> kinds_;  // of the gadgets the tables made
    std::map<int, std::unique_ptr<ListView>> lists_;
    std::map<int, std::unique_ptr<ProgressBar>> bars_;
    GadgetTips tips_;
    KeyboardFocus keyboard_;
    std::map<int, Colour> textColours_;
    std::map<int, NotifyHandler> notifyHandlers_;
    // What each picture control was last given to show.
    std::map<HWND, HANDLE> givenImages_;
};

}  // namespace seamster::ui
