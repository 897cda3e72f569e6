#include "ui/Window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/win32/Win32Platform.h"
#include "res/ResourceIds.h"
#include "ui/DisplayScale.h"
#include "ui/ListView.h"
#include "ui/ProgressBar.h"

namespace seamster::ui {

namespace {
void registerWindowClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Window::procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = Toolkit::windowClassName();
    registered = RegisterClassExW(&windowClass) != 0;
}

struct ControlStyle {
    const wchar_t* className;
    DWORD style;
};

ControlStyle styleFor(GadgetKind kind, GadgetKind previous) {
    // Every gadget but a following option starts a new keyboard group.
    const bool joinsGroup = kind == GadgetKind::option && previous == GadgetKind::option;
    const DWORD tab = WS_TABSTOP | (joinsGroup ? 0 : WS_GROUP);
    switch (kind) {
    case GadgetKind::button: return {L"BUTTON", BS_PUSHBUTTON | tab};
    case GadgetKind::option: return {L"BUTTON", BS_AUTORADIOBUTTON | tab};
    case GadgetKind::checkBox: return {L"BUTTON", BS_AUTOCHECKBOX | tab};
    case GadgetKind::dropDown: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | tab};
    case GadgetKind::listBox:
        return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | tab};
    case GadgetKind::text: return {L"STATIC", SS_LEFT};
    case GadgetKind::centredText: return {L"STATIC", SS_CENTER};
    case GadgetKind::frame: return {L"BUTTON", BS_GROUPBOX};
    case GadgetKind::picture: return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL | SS_CENTERIMAGE};
    case GadgetKind::progressBar:
    case GadgetKind::listView: break;  // made by their own classes
    case GadgetKind::edit: return {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | tab};
    }
    return {L"STATIC", 0};
}

// The style a look adds to, and takes from, that of the gadget's kind.
DWORD applyLook(DWORD style, unsigned look) {
    if (look & lookReadOnly) style |= ES_READONLY;
    if (look & lookPlain) style &= ~DWORD(WS_BORDER | WS_TABSTOP);
    if (look & lookCentred) style |= ES_CENTER;
    if (look & lookNumbersOnly) style |= ES_NUMBER;
    if (look & lookIconOnly) style |= BS_ICON;
    if (look & lookNaturalSize) style &= ~DWORD(SS_REALSIZECONTROL | SS_CENTERIMAGE);
    return style;
}

BOOL CALLBACK findWorkAreaMeeting(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& [rect, met] = *reinterpret_cast<std::pair<RECT, bool>*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    RECT common;
    met = GetMonitorInfoW(monitor, &info) && IntersectRect(&common, &rect, &info.rcWork);
    return !met;
}

// Whether any part of `rect` lies in the work area of a monitor: a position
// remembered on a monitor since taken away would open a window off every screen.
bool meetsAWorkArea(RECT rect) {
    std::pair<RECT, bool> search{rect, false};
    EnumDisplayMonitors(nullptr, nullptr, &findWorkAreaMeeting, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

bool isGadgetNotification(WORD code) {
    // Clicks, selection changes, double clicks and edits; focus changes and
    // drop-down openings are not events of the program.
    return code == BN_CLICKED || code == CBN_SELCHANGE || code == LBN_DBLCLK || code == EN_CHANGE;
}
}  // namespace

Owner::Owner(const Window& window) : hwnd_(window.hwnd()) {}

Window::Window(Toolkit& toolkit, const WindowArgs& args)
    : toolkit_(toolkit),
      number_(args.number),
      dpi_(args.owner ? windowDpi(args.owner.hwnd()) : toolkit.dpi()),
      owner_(args.owner.hwnd()),
      helpPage_(args.helpPage),
      clientWidth_(args.clientWidth),
      clientHeight_(args.clientHeight) {
    registerWindowClass(toolkit.instance());
    DWORD style = WS_CAPTION;
    if (args.closeBox) style |= WS_SYSMENU;
    if (args.minimizeBox) style |= WS_MINIMIZEBOX | WS_SYSMENU;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    const SIZE frame = frameSizeFor(ui::scaled(args.clientWidth, dpi_),
                                    ui::scaled(args.clientHeight, dpi_), style, exStyle, dpi_);
    int x = args.x, y = args.y;
    if (!args.placed || !meetsAWorkArea({x, y, x + frame.cx, y + frame.cy})) {
        RECT area = {0, 0, toolkit.screenWidth(), toolkit.screenHeight()};
        if (args.centreOver) GetWindowRect(args.centreOver.hwnd(), &area);
        x = area.left + (area.right - area.left - frame.cx) / 2;
        y = area.top + (area.bottom - area.top - frame.cy) / 2;
    }
    hwnd_ = CreateWindowExW(exStyle, Toolkit::windowClassName(), widen(args.title).c_str(), style,
                            x, y, frame.cx, frame.cy, args.owner.hwnd(), nullptr,
                            toolkit.instance(), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    tips_.attach(hwnd_, toolkit.instance());
    keyboard_.attach(hwnd_, args.tabInCreationOrder, args.firstFocus);
    // A window placed on a screen of another DPI than the one it was sized for.
    if (const int shownAt = windowDpi(hwnd_); shownAt != dpi_) {
        const SIZE resized =
            frameSizeFor(ui::scaled(args.clientWidth, shownAt),
                         ui::scaled(args.clientHeight, shownAt), style, exStyle, shownAt);
        changeDpi(shownAt, {x, y, x + resized.cx, y + resized.cy});
    }
}

Window::~Window() {
    // The lists and bars let go of the window while it is still there.
    lists_.clear();
    bars_.clear();
    // Picture controls keep no copy past their window.
    while (!givenImages_.empty()) {
        const HWND control = givenImages_.begin()->first;
        if (IsWindow(control))
            showImage(control, SS_BITMAP, IMAGE_BITMAP, nullptr);
        else
            givenImages_.erase(givenImages_.begin());
    }
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

Window* Window::fromHandle(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = fromHandle(hwnd);
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->handle(message, wParam, lParam);
}

bool Window::controlNotification(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) return false;  // keyboard OK/Cancel from dialog navigation
    const HWND control = reinterpret_cast<HWND>(lParam);
    const int id = LOWORD(wParam);
    if (keyboard_.isToolBar(control)) {
        toolkit_.post({EventKind::toolBar, number_, id});
        return true;
    }
    if (!isGadgetNotification(HIWORD(wParam))) return false;
    toolkit_.post({EventKind::gadget, number_, id});
    return true;
}

LRESULT Window::notify(NMHDR* header) {
    auto handler = notifyHandlers_.find(int(header->idFrom));
    if (handler != notifyHandlers_.end())
        if (std::optional<LRESULT> result = handler->second(header)) return *result;
    tips_.fillCommandTip(header);
    return 0;
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (controlNotification(wParam, lParam)) return 0;
        break;
    case WM_NOTIFY: return notify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE: toolkit_.post({EventKind::close, number_, 0}); return 0;
    case WM_SETCURSOR:
        // Sent for the window and, by their own handling, for its gadgets
        // before the mouse moves over them.
        tips_.mouseCame();
        break;
    case WM_DPICHANGED: changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ACTIVATE:
        // Like a dialog, give the focus back to the gadget that had it, so
        // typing goes on where it stopped after a message box.
        if (keyboard_.activated(LOWORD(wParam) != WA_INACTIVE)) return 0;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Labels, frames and check boxes sit on the window's own face colour.
        HDC dc = reinterpret_cast<HDC>(wParam);
        auto it = textColours_.find(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (it != textColours_.end()) SetTextColor(dc, it->second);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

HWND Window::addControl(const ControlPlace& place) {
    if (!hwnd_) return nullptr;
    // Made at its place scaled to the window's DPI, and kept there when the DPI changes.
    const LayoutRect layout{place.x, place.y, place.width, place.height};
    const LayoutRect shown = ui::scaled(layout, dpi_);
    ControlPlace scaledPlace = place;
    scaledPlace.x = shown.x, scaledPlace.y = shown.y;
    scaledPlace.width = shown.width, scaledPlace.height = shown.height;
    HWND made = createControl(hwnd_, scaledPlace, toolkit_.font(font::tahoma8, dpi_));
    if (made) layout_[made] = layout;
    return made;
}

HWND Window::made(int id, GadgetKind kind, GadgetKind other) const {
    auto found = kinds_.find(id);
    if (found == kinds_.end() || (found->second != kind && found->second != other)) return nullptr;
    return gadget(id);
}

void Window::addGadget(const Gadget& args, GadgetKind previous, const GadgetSettings& settings) {
    kinds_[args.id] = args.kind;
    // A list view and a progress bar have state of their own, kept by the
    // objects the window holds for them.
    if (args.kind == GadgetKind::listView) {
        auto found = settings.lists.find(args.id);
        lists_[args.id] = std::make_unique<ListView>(
            *this, args, found != settings.lists.end() ? found->second : ListViewArgs());
        return;
    }
    if (args.kind == GadgetKind::progressBar) {
        auto found = settings.bars.find(args.id);
        bars_[args.id] = std::make_unique<ProgressBar>(
            *this, args, found != settings.bars.end() ? found->second : ProgressBarArgs());
        return;
    }
    const ControlStyle style = styleFor(args.kind, previous);
    ControlPlace place;
    place.className = style.className;
    place.style = WS_VISIBLE | applyLook(style.style, args.look);
    // Frames are drawn behind the gadgets they surround.
    place.exStyle = args.kind == GadgetKind::frame ? WS_EX_TRANSPARENT : 0;
    place.id = args.id;
    place.x = args.x, place.y = args.y, place.width = args.width, place.height = args.height;
    place.text = args.text;
    HWND control = addControl(place);
    if (!control) return;
    if (args.kind == GadgetKind::dropDown && !args.text.empty()) {
        // A drop-down's caption is its first item, selected.
        dropDown(args.id).addItem(args.text);
        dropDown(args.id).select(0);
    }
    if (!args.tip.empty()) setTip(control, args.tip);
    keyboard_.setButton(args.key, args.id);
}

void Window::placeControl(HWND control, const LayoutRect& rect) {
    if (!control) return;
    layout_[control] = rect;
    const LayoutRect shown = ui::scaled(rect, dpi_);
    SetWindowPos(control, nullptr, shown.x, shown.y, shown.width, shown.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::addGadgets(const std::vector<Gadget>& gadgets, const GadgetSettings& settings) {
    GadgetKind previous = GadgetKind::frame;
    for (const Gadget& item : gadgets) {
        addGadget(item, previous, settings);
        previous = item.kind;
    }
}

ListView* Window::listView(int id) const {
    auto found = lists_.find(id);
    return found != lists_.end() && found->second->valid() ? found->second.get() : nullptr;
}

ProgressBar* Window::progressBar(int id) const {
    auto found = bars_.find(id);
    return found != bars_.end() && found->second->valid() ? found->second.get() : nullptr;
}

void Window::setCommandTip(int command, const std::string& tip) { tips_.setCommand(command, tip); }

void Window::setTip(HWND control, const std::string& tip) { tips_.set(control, tip); }

void Window::setTextColour(HWND control, Colour colour) {
    textColours_[GetDlgCtrlID(control)] = colour;
    InvalidateRect(control, nullptr, TRUE);
}

void Window::setNotifyHandler(int id, NotifyHandler handler) {
    if (handler)
        notifyHandlers_[id] = std::move(handler);
    else
        notifyHandlers_.erase(id);
}

void Window::showImage(HWND control, LONG_PTR pictureStyle, UINT imageType, HANDLE image) {
    if (!control) return;
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE, (style & ~LONG_PTR(SS_TYPEMASK)) | pictureStyle);
    const auto given = givenImages_.find(control);
    const HANDLE previous = given == givenImages_.end() ? nullptr : given->second;
    const auto held = reinterpret_cast<HANDLE>(
        SendMessageW(control, STM_SETIMAGE, imageType, reinterpret_cast<LPARAM>(image)));
    // A picture control of common controls 6 shows its own copy of a 32-bit
    // bitmap and hands that copy back when the next picture comes: it is
    // nobody's but ours to delete. What we gave it stays its owner's.
    if (held && held != previous && GetObjectType(held) == OBJ_BITMAP) DeleteObject(held);
    if (image) {
        givenImages_[control] = image;
        // The program's own pictures come again drawn for a new DPI.
        setRescale(control, [this, control](int, int dpi) { rescalePicture(control, dpi); });
    } else {
        givenImages_.erase(control);
    }
    InvalidateRect(control, nullptr, TRUE);
}

void Window::setTitle(const std::string& title) { SetWindowTextW(hwnd_, widen(title).c_str()); }

void Window::setClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    const SIZE frame = frameSizeFor(ui::scaled(width, dpi_), ui::scaled(height, dpi_),
                                    DWORD(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                                    DWORD(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Window::outerRect() const {
    RECT rect = {};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

void Window::show(bool visible) {
    const bool first = visible && keyboard_.orderOnce(dpi_);
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (first) keyboard_.focusStart();
}

bool Window::handleKey(WPARAM key) {
    HWND focus = GetFocus();
    if (focus && !IsChild(hwnd_, focus)) focus = nullptr;
    // An open drop-down list takes Enter and Escape itself, to close.
    if (focus && (key == VK_RETURN || key == VK_ESCAPE) && hasClass(focus, L"ComboBox") &&
        SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0))
        return false;
    auto press = [](HWND button) {
        if (button && IsWindowEnabled(button) && IsWindowVisible(button))
            SendMessageW(button, BM_CLICK, 0, 0);
        return true;
    };
    switch (key) {
    case VK_F1:
        if (helpPage_.empty()) return false;
        toolkit_.showHelp(helpPage_);
        return true;
    case VK_RETURN: {
        const LONG_PTR kind = focus ? GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK : -1;
        if (focus && hasClass(focus, L"Button") &&
            (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON))
            return press(focus);
        return press(keyboard_.enterButton() ? gadget(keyboard_.enterButton()) : nullptr);
    }
    case VK_ESCAPE:
        if (HWND cancel = keyboard_.escapeButton() ? gadget(keyboard_.escapeButton()) : nullptr)
            return press(cancel);
        if (owner_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_SYSMENU))
            PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    default: return false;
    }
}

void Window::moveTo(int x, int y) {
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::centreOnScreen() {
    RECT outer = outerRect();
    moveTo((toolkit_.screenWidth() - (outer.right - outer.left)) / 2,
           (toolkit_.screenHeight() - (outer.bottom - outer.top)) / 2);
}

bool Window::exists() const { return hwnd_ && IsWindow(hwnd_); }

void Window::setEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Window::update() { UpdateWindow(hwnd_); }

void Window::activate() {
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

// ---- moving to another DPI --------------------------------------------------

void Window::changeDpi(int dpi, const RECT& outer) {
    if (dpi <= 0 || !hwnd_) return;
    const int old = dpi_;
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        rescaleControl(child, old);
    // The suggested rectangle may miss the client size by rounding; the
    // frame is taken as the window has it now.
    RECT now = {}, client = {};
    GetWindowRect(hwnd_, &now);
    GetClientRect(hwnd_, &client);
    SetWindowPos(hwnd_, nullptr, 0, 0,
                 ui::scaled(clientWidth_, dpi_) + (now.right - now.left) - client.right,
                 ui::scaled(clientHeight_, dpi_) + (now.bottom - now.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::rescaleControl(HWND control, int oldDpi) {
    if (auto place = layout_.find(control); place != layout_.end()) {
        const LayoutRect shown = ui::scaled(place->second, dpi_);
        SetWindowPos(control, nullptr, shown.x, shown.y, shown.width, shown.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int font =
        toolkit_.fontNumber(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    if (font >= 0)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(toolkit_.font(font, dpi_)),
                     TRUE);
    if (auto rescale = rescales_.find(control); rescale != rescales_.end())
        rescale->second(oldDpi, dpi_);
}

void Window::setRescale(HWND control, Rescale rescale) {
    if (control) rescales_[control] = std::move(rescale);
}

void Window::rescalePicture(HWND control, int dpi) const {
    auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETIMAGE, IMAGE_ICON, 0));
    if (auto [picture, size] = toolkit_.iconPicture(icon); picture >= 0)
        SendMessageW(control, STM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(toolkit_.icon(picture, size, dpi)));
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (const int picture = toolkit_.bitmapPicture(bitmap); picture >= 0)
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(toolkit_.bitmap(picture, dpi)));
}

}  // namespace seamster::ui
