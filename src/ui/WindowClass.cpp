#include "ui/Window.h"

#include <commctrl.h>

#include "platform/win32/Win32Platform.h"
#include "res/ResourceIds.h"

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
    case GadgetKind::progressBar: return {PROGRESS_CLASSW, 0};
    case GadgetKind::listView:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | tab};
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

bool isGadgetNotification(WORD code) {
    // Clicks, selection changes, double clicks and edits; focus changes and
    // drop-down openings are not events of the program.
    return code == BN_CLICKED || code == CBN_SELCHANGE || code == LBN_DBLCLK || code == EN_CHANGE;
}
}  // namespace

Window::Window(Toolkit& toolkit, const WindowArgs& args) : toolkit_(toolkit), number_(args.number) {
    registerWindowClass(toolkit.instance());
    DWORD style = WS_CAPTION;
    if (args.closeBox) style |= WS_SYSMENU;
    if (args.minimizeBox) style |= WS_MINIMIZEBOX | WS_SYSMENU;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, args.clientWidth, args.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int x = args.x, y = args.y;
    if (!args.placed) {
        RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (args.centreOver) GetWindowRect(args.centreOver, &area);
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    hwnd_ = CreateWindowExW(exStyle, Toolkit::windowClassName(), widen(args.title).c_str(), style,
                            x, y, width, height, args.owner, nullptr, toolkit.instance(), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                            0, 0, hwnd_, nullptr, toolkit.instance(), nullptr);
}

Window::~Window() {
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
    if (control == toolBar_) {
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
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        auto it = commandTips_.find(int(header->idFrom));
        if (it != commandTips_.end()) info->lpszText = const_cast<wchar_t*>(it->second.c_str());
        return 0;
    }
    if (header->code == LVN_ITEMCHANGED) {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) &&
            ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK))
            toolkit_.post({EventKind::gadget, number_, int(header->idFrom)});
    }
    return 0;
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (controlNotification(wParam, lParam)) return 0;
        break;
    case WM_NOTIFY: return notify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE: toolkit_.post({EventKind::close, number_, 0}); return 0;
    case WM_ACTIVATE:
        // Like a dialog, give the focus back to the gadget that had it, so
        // typing goes on where it stopped after a message box.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) focused_ = focus;
        } else if (focused_ && IsChild(hwnd_, focused_) && IsWindowVisible(focused_) &&
                   IsWindowEnabled(focused_)) {
            SetFocus(focused_);
            return 0;
        }
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
    return hwnd_ ? createControl(hwnd_, place, toolkit_.defaultFont()) : nullptr;
}

Control Window::addGadget(const GadgetSpec& args, GadgetKind previous, unsigned look) {
    const ControlStyle style = styleFor(args.kind, previous);
    ControlPlace place;
    place.className = style.className;
    place.style = WS_VISIBLE | applyLook(style.style, look);
    // Frames are drawn behind the gadgets they surround.
    place.exStyle = args.kind == GadgetKind::frame ? WS_EX_TRANSPARENT : 0;
    place.id = args.id;
    place.x = args.x, place.y = args.y, place.width = args.width, place.height = args.height;
    place.text = args.text;
    HWND made = addControl(place);
    if (!made) return {};
    if (args.kind == GadgetKind::listView)
        ListView_SetExtendedListViewStyle(
            made, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (args.kind == GadgetKind::dropDown && !args.text.empty()) {
        // A drop-down's caption is its first item, selected.
        dropDown(args.id).addItem(args.text);
        dropDown(args.id).select(0);
    }
    if (!args.tip.empty()) setTip(made, args.tip);
    return {this, made};
}

void Window::addGadgets(const std::vector<GadgetSpec>& specs) {
    GadgetKind previous = GadgetKind::frame;
    for (const GadgetSpec& item : specs) {
        addGadget(item, previous);
        previous = item.kind;
    }
}

void Window::setCommandTip(int command, const std::string& tip) {
    commandTips_[command] = widen(tip);
}

void Window::setTip(HWND control, const std::string& tip) {
    if (!tips_) return;
    tipTexts_.push_back(widen(tip));
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = tipTexts_.back().data();
    // A gadget has one tip: a new one replaces the old.
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Window::setTextColour(HWND control, COLORREF colour) {
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
    if (image)
        givenImages_[control] = image;
    else
        givenImages_.erase(control);
    InvalidateRect(control, nullptr, TRUE);
}

void Window::setTitle(const std::string& title) { SetWindowTextW(hwnd_, widen(title).c_str()); }

void Window::setClientSize(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Window::outerRect() const {
    RECT rect = {};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

void Window::moveTo(int x, int y) {
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::centreOnScreen() {
    RECT outer = outerRect();
    moveTo((GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2,
           (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

void Window::show(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

bool Window::exists() const { return hwnd_ && IsWindow(hwnd_); }

void Window::setEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Window::update() { UpdateWindow(hwnd_); }

void Window::activate() {
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

// ---- tool bar --------------------------------------------------------------

ToolBar::ToolBar(Window& window) : window_(window) {
    hwnd_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0, 0,
        0, window.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    window.toolBar_ = hwnd_;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    RECT client = {};
    GetClientRect(hwnd_, &client);
    height_ = client.bottom - client.top;
    images_ = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 10, 0);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
}

ToolBar::~ToolBar() {
    if (hwnd_ && IsWindow(hwnd_)) SendMessageW(hwnd_, TB_SETIMAGELIST, 0, 0);
    if (images_) ImageList_Destroy(images_);
}

void ToolBar::addButton(int command, HICON icon, const std::string& tip) {
    if (!hwnd_) return;
    int image = ImageList_AddIcon(images_, icon);
    TBBUTTON buttons[2] = {};
    buttons[0].fsStyle = BTNS_SEP;
    // The bar finds a button by the first entry with its number, so a
    // separator must not carry a number that a button uses (0 included).
    buttons[0].idCommand = -1;
    buttons[1].iBitmap = image;
    buttons[1].idCommand = command;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[1].fsStyle = BTNS_BUTTON;
    SendMessageW(hwnd_, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    window_.setCommandTip(command, tip);
}

void ToolBar::enableButton(int command, bool enabled) {
    if (!hwnd_) return;
    bool now = SendMessageW(hwnd_, TB_ISBUTTONENABLED, WPARAM(command), 0) != 0;
    if (now != enabled)
        SendMessageW(hwnd_, TB_ENABLEBUTTON, WPARAM(command), MAKELPARAM(enabled, 0));
}

// ---- status bar ------------------------------------------------------------

StatusBar::StatusBar(Window& window, int fieldCount, int fieldWidth)
    : StatusBar(window, std::vector<int>(size_t(fieldCount), fieldWidth), 0) {}

StatusBar::StatusBar(Window& window, const std::vector<int>& fieldWidths, int id) {
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                            window.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    std::vector<int> edges;
    int edge = 0;
    for (int width : fieldWidths) edges.push_back(edge += width);
    SendMessageW(hwnd_, SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::fitToWindow() {
    if (hwnd_) SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

int StatusBar::height() const {
    RECT rect = {};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return rect.bottom - rect.top;
}

void StatusBar::setText(int field, const std::string& text, Align align, bool border) {
    if (!hwnd_) return;
    // Tabs in front centre (one) or right-align (two) a field's text.
    std::wstring shown = align == Align::centre ? L"\t" : align == Align::right ? L"\t\t" : L"";
    shown += widen(text);
    SendMessageW(hwnd_, SB_SETTEXTW, WPARAM(field) | (border ? 0 : SBT_NOBORDERS),
                 reinterpret_cast<LPARAM>(shown.c_str()));
}

void StatusBar::setField(int field, const std::string& text, HICON icon) {
    setText(field, text, Align::centre);
    setIcon(field, icon);
}

void StatusBar::setIcon(int field, HICON icon) {
    if (hwnd_) SendMessageW(hwnd_, SB_SETICON, WPARAM(field), reinterpret_cast<LPARAM>(icon));
}

}  // namespace seamster::ui
