#pragma once
// A numbered top-level window and the gadgets in it. A gadget's number is
// its Win32 control ID; windows are found by their titles.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/Gadgets.h"
#include "ui/Toolkit.h"

namespace seamster::ui {

struct WindowArgs {
    int number = 0;
    std::string title;
    int clientWidth = 100;
    int clientHeight = 100;
    bool closeBox = true;  // caption with system menu
    bool minimizeBox = false;
    // Outer top-left corner; centred over `centreOver` (or the screen) when unset.
    bool placed = false;
    int x = 0, y = 0;
    HWND centreOver = nullptr;
    HWND owner = nullptr;
};

// Window styles a gadget has beyond, or goes without, those of its kind.
struct ExtraStyle {
    DWORD added = 0;
    DWORD removed = 0;
};

// A gadget's own answer to the notifications it sends its window (custom
// drawing, for one): a result when it handled the message, nothing otherwise.
using NotifyHandler = std::function<std::optional<LRESULT>(NMHDR*)>;

class Window {
public:
    Window(Toolkit& toolkit, const WindowArgs& args);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    int number() const { return number_; }
    bool valid() const { return hwnd_ != nullptr; }
    Toolkit& toolkit() const { return toolkit_; }

    // `previous`: the kind of the gadget created just before in this window;
    // an option that follows an option joins its group.
    HWND addGadget(const GadgetSpec& spec, GadgetKind previous = GadgetKind::frame,
                   ExtraStyle extra = {});
    // Creates gadgets in order; consecutive options form one group.
    void addGadgets(const std::vector<GadgetSpec>& specs);
    HWND gadget(int id) const { return GetDlgItem(hwnd_, id); }
    void setTip(HWND control, const std::string& tip);

    // Gadget state.
    void enable(int id, bool enabled);
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    void setChecked(int id, bool checked);
    std::string text(int id) const;
    void setText(int id, const std::string& text);
    void setFont(int id, HFONT font);
    void setTextColour(int id, COLORREF colour);
    void showGadget(int id, bool visible);
    // Notifications of gadget `id` go to `handler` first; an empty handler
    // removes it.
    void setNotifyHandler(int id, NotifyHandler handler);

    // Drop-down and list-box items.
    void insertItem(int id, int position, const std::string& text);
    void addItem(int id, const std::string& text);
    void selectItem(int id, int position);
    int selectedItem(int id) const;

    // Pictures: a bitmap or an icon shown by a static picture gadget.
    void showBitmap(int id, HBITMAP bitmap);
    void showIcon(int id, HICON icon);
    // Gives a picture gadget a sunken edge.
    void setSunken(int id);

    void setTitle(const std::string& title);
    void setClientSize(int width, int height);
    RECT outerRect() const;
    void show(bool visible = true);
    void activate();

    // Tool-bar button tips, by command ID.
    void setCommandTip(int command, const std::string& tip);

    static Window* fromHandle(HWND hwnd);
    // Messages before the object is attached go to the default procedure.
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool controlNotification(WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR* header);

    Toolkit& toolkit_;
    int number_;
    HWND hwnd_ = nullptr;
    HWND tips_ = nullptr;
    HWND toolBar_ = nullptr;
    HWND focused_ = nullptr;  // the gadget that had the focus when the window lost it
    std::map<int, std::wstring> commandTips_;
    std::vector<std::wstring> tipTexts_;
    std::map<int, COLORREF> textColours_;
    std::map<int, NotifyHandler> notifyHandlers_;

    friend class ToolBar;
};

// Tool bar 0 of a window: picture buttons with tool tips.
class ToolBar {
public:
    explicit ToolBar(Window& window);
    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    // The bar's client height before any button is added.
    int height() const { return height_; }
    void addButton(int command, HICON icon, const std::string& tip);
    void enableButton(int command, bool enabled);

private:
    Window& window_;
    HWND hwnd_ = nullptr;
    HIMAGELIST images_ = nullptr;
    int height_ = 0;
};

// A status bar whose fields show a centred text and a 16 x 16 picture.
class StatusBar {
public:
    StatusBar(Window& window, int fieldCount, int fieldWidth);
    // Fields of the given widths from the left; the bar is gadget `id`.
    StatusBar(Window& window, const std::vector<int>& fieldWidths, int id);
    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    int height() const;
    void setField(int field, const std::string& text, HICON icon);
    void setIcon(int field, HICON icon);
    enum class Align { left, centre, right };
    void setText(int field, const std::string& text, Align align = Align::left, bool border = true);

private:
    HWND hwnd_ = nullptr;
};

}  // namespace seamster::ui
