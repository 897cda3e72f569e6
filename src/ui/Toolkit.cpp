#include "ui/Toolkit.h"

#include <commctrl.h>

#include "platform/win32/Win32Platform.h"
#include "res/ResourceIds.h"
#include "ui/Window.h"

namespace seamster::ui {

namespace {
struct FontSpec {
    const wchar_t* face;
    int points;
    bool underline;
};
// Fonts 2 to 7; all bold.
const FontSpec fontSpecs[fontCount] = {
    {nullptr, 0, false},   {nullptr, 0, false},   {L"Tahoma", 8, false},     {L"Arial", 10, false},
    {L"Arial", 14, false}, {L"Arial", 18, false}, {L"Arial Bold", 10, true}, {L"Arial", 12, false},
};
}  // namespace

Toolkit::Toolkit(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                           ICC_PROGRESS_CLASS |
                                                           ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    arrow_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wait_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));   // IDC_WAIT
}

Toolkit::~Toolkit() = default;

void Toolkit::keepWindow(std::unique_ptr<Window> window) {
    if (window) keptWindows_.push_back(std::move(window));
}

Window* Toolkit::keptWindow(int number) const {
    for (const auto& window : keptWindows_)
        if (window->number() == number && IsWindow(window->hwnd())) return window.get();
    return nullptr;
}

void Toolkit::loadFonts() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (int n = 2; n < fontCount; ++n) {
        const FontSpec& item = fontSpecs[n];
        fonts_[size_t(n)].reset(CreateFontW(-MulDiv(item.points, dpi, 72), 0, 0, 0, FW_BOLD, FALSE,
                                            item.underline, FALSE, DEFAULT_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                            CLEARTYPE_QUALITY, DEFAULT_PITCH, item.face));
    }
}

HFONT Toolkit::font(int number) const {
    if (number < 0 || number >= fontCount) return nullptr;
    HFONT font = fonts_[size_t(number)].get();
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Toolkit::loadPictures() {
    for (int picture : {6, 7}) {
        bitmaps_[size_t(picture)].reset(static_cast<HBITMAP>(
            LoadImageW(instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture), IMAGE_BITMAP,
                       0, 0, LR_CREATEDIBSECTION)));
    }
    // Picture 0: the blank background thumbnail, black until the first refresh.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 220;
    info.bmiHeader.biHeight = -165;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmaps_[0].reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HICON Toolkit::icon(int picture, int size) const {
    auto key = std::make_pair(picture, size);
    auto it = icons_.find(key);
    if (it != icons_.end()) return it->second.get();
    HICON icon = static_cast<HICON>(LoadImageW(
        instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture), IMAGE_ICON, size, size, 0));
    icons_[key].reset(icon);
    return icon;
}

IconHandle Toolkit::loadIcon(int picture, int width, int height) const {
    return IconHandle(
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture),
                                      IMAGE_ICON, width, height, 0)));
}

HBITMAP Toolkit::bitmap(int picture) const {
    return picture >= 0 && picture < pictureCount ? bitmaps_[size_t(picture)].get() : nullptr;
}

void Toolkit::setBitmap(int picture, HBITMAP bitmap) {
    if (picture >= 0 && picture < pictureCount) bitmaps_[size_t(picture)].reset(bitmap);
}

bool Toolkit::handleOneMessage() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        // Kept as a state rather than posted again: a quit message left in
        // the queue wakes every wait at once, so loops would spin.
        quitting_ = true;
        return false;
    }
    // Tab and the arrow keys move between gadgets as in a dialog.
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top && IsDialogMessageW(top, &message)) return true;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
}

Event Toolkit::pollEvent() {
    if (queue_.empty()) handleOneMessage();
    if (queue_.empty()) return quitting_ ? Event{EventKind::quit, 0, 0} : Event{};
    Event event = queue_.front();
    queue_.pop_front();
    return event;
}

Event Toolkit::waitEvent(HWND watched) {
    while (queue_.empty()) {
        if (quitting_ || (watched && !IsWindow(watched))) return {EventKind::close, 0, 0};
        if (!handleOneMessage())
            MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    Event event = queue_.front();
    queue_.pop_front();
    return event;
}

void Toolkit::pause(int milliseconds, HANDLE wakeOn) {
    MsgWaitForMultipleObjectsEx(wakeOn ? 1 : 0, wakeOn ? &wakeOn : nullptr, DWORD(milliseconds),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Toolkit::flushEvents() {
    while (handleOneMessage()) {}
    queue_.clear();
}

bool Toolkit::messagesPending() const {
    MSG message;
    return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT;
}

HCURSOR Toolkit::setCursor(HCURSOR cursor) const { return SetCursor(cursor); }

void sleep(int milliseconds) { Sleep(DWORD(milliseconds)); }

WaitCursor::WaitCursor(const Toolkit& toolkit) : previous_(SetCursor(toolkit.waitCursor())) {}

WaitCursor::~WaitCursor() { SetCursor(previous_); }

void Win32Dialogs::showMessage(const std::string& text, int icon) {
    MessageBoxW(GetActiveWindow(), widen(text).c_str(), L"Seamster", UINT(MB_OK | icon));
}

int Win32Dialogs::askYesNo(const std::string& text, int icon) {
    int answer =
        MessageBoxW(GetActiveWindow(), widen(text).c_str(), L"Seamster", UINT(MB_YESNO | icon));
    return answer == IDYES ? answerYes : answerNo;
}

}  // namespace seamster::ui
