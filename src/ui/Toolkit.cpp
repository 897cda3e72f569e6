#include "ui/Toolkit.h"

#include <commctrl.h>

#include <cstring>

#include "platform/win32/Win32Platform.h"
#include "res/ResourceIds.h"
#include "ui/DisplayScale.h"
#include "ui/ModalLoop.h"
#include "ui/Window.h"

namespace seamster::ui {

namespace {
// The toolkit whose dialog message filter runs on this thread.
thread_local Toolkit* toolkitOfThread = nullptr;

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
    dpi_ = systemDpi();
    // Requesters and message boxes run their own message loops; F1 reaches
    // us there through the dialog message filter.
    toolkitOfThread = this;
    dialogHook_ =
        SetWindowsHookExW(WH_MSGFILTER, &Toolkit::dialogMessages, nullptr, GetCurrentThreadId());
}

Toolkit::~Toolkit() {
    if (dialogHook_) UnhookWindowsHookEx(dialogHook_);
    if (toolkitOfThread == this) toolkitOfThread = nullptr;
}

void Toolkit::keepWindow(std::unique_ptr<Window> window) {
    if (window) keptWindows_.push_back(std::move(window));
}

Window* Toolkit::keptWindow(int number) const {
    for (const auto& window : keptWindows_)
        if (window->number() == number && IsWindow(window->hwnd())) return window.get();
    return nullptr;
}

void Toolkit::loadFonts() {
    for (int n = 2; n < fontCount; ++n) font(n, dpi_);
}

HFONT Toolkit::font(int number, int dpi) const {
    if (number < 0 || number >= fontCount) return nullptr;
    FontHandle& made = fonts_[{number, dpi}];
    const FontSpec& item = fontSpecs[number];
    if (!made && item.face)
        made.reset(CreateFontW(fontHeight(item.points, dpi), 0, 0, 0, FW_BOLD, FALSE,
                               item.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, item.face));
    HFONT font = made.get();
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int Toolkit::fontNumber(HFONT font) const {
    for (const auto& [key, handle] : fonts_)
        if (handle.get() == font) return key.first;
    return font == GetStockObject(DEFAULT_GUI_FONT) ? 2 : -1;
}

namespace {
// Pictures 6 and 7 at 125, 150 and 200 % follow the 100 % set in steps of 100.
int scaledPictureResource(int picture, int scale) {
    int step = 0;
    for (size_t i = 0; i < pictureScales.size(); ++i)
        if (pictureScales[i] == scale) step = int(i);
    return PICTURE_RESOURCE_BASE + PICTURE_SCALE_STEP * step + picture;
}
}  // namespace

void Toolkit::loadPictures() {
    for (int picture : {6, 7}) {
        bitmaps_[size_t(picture)].reset(static_cast<HBITMAP>(
            LoadImageW(instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture), IMAGE_BITMAP,
                       0, 0, LR_CREATEDIBSECTION)));
    }
    // Picture 0: the blank background thumbnail, black until the first refresh.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = scaled(220, dpi_);
    info.bmiHeader.biHeight = -scaled(165, dpi_);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmaps_[0].reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

int Toolkit::scrollBarWidth() const { return unscaled(GetSystemMetrics(SM_CXVSCROLL), dpi_); }

HICON Toolkit::icon(int picture, int size, int dpi) const {
    const int side = pictureSize(size, dpi);
    auto key = std::make_pair(picture, side);
    auto it = icons_.find(key);
    if (it != icons_.end()) return it->second.get();
    HICON icon = static_cast<HICON>(LoadImageW(
        instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture), IMAGE_ICON, side, side, 0));
    icons_[key].reset(icon);
    if (icon) iconPictures_[icon] = {picture, size};
    return icon;
}

namespace {
#pragma pack(push, 2)
// An icon group's entry as the resource compiler stores it.
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::pair<const BYTE*, DWORD> resourceBytes(HINSTANCE instance, const wchar_t* name,
                                            const wchar_t* type) {
    HRSRC found = FindResourceW(instance, name, type);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    return {bytes, bytes ? SizeofResource(instance, found) : 0};
}
}  // namespace

std::optional<Toolkit::IconPixels> Toolkit::iconPixels(int picture, int side) const {
    const auto [group, groupSize] =
        resourceBytes(instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture), RT_GROUP_ICON);
    if (!group || groupSize < 6 || side <= 0 || side > 255) return std::nullopt;
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    if (groupSize < 6 + count * sizeof(GroupEntry)) return std::nullopt;
    const auto* entries = reinterpret_cast<const GroupEntry*>(group + 6);
    for (WORD n = 0; n < count; ++n) {
        if (entries[n].width != side || entries[n].height != side || entries[n].bitCount != 32)
            continue;
        const auto [image, imageSize] =
            resourceBytes(instance_, MAKEINTRESOURCEW(entries[n].id), RT_ICON);
        if (!image || imageSize < sizeof(BITMAPINFOHEADER)) return std::nullopt;
        BITMAPINFOHEADER header;
        std::memcpy(&header, image, sizeof header);
        const DWORD colourBytes = DWORD(side) * side * 4;
        const DWORD maskBytes = DWORD((side + 31) / 32 * 4) * side;
        if (header.biSize < sizeof header || header.biWidth != side ||
            header.biHeight != 2 * side || header.biBitCount != 32 ||
            header.biCompression != BI_RGB || header.biClrUsed != 0 ||
            imageSize < header.biSize + colourBytes + maskBytes)
            return std::nullopt;
        const BYTE* colour = image + header.biSize;
        return IconPixels{colour, colour + colourBytes, side};
    }
    return std::nullopt;
}

std::pair<int, int> Toolkit::iconPicture(HICON icon) const {
    auto it = iconPictures_.find(icon);
    return it == iconPictures_.end() ? std::make_pair(-1, 0) : it->second;
}

HBITMAP Toolkit::bitmap(int picture, int dpi) const {
    if (picture < 0 || picture >= pictureCount) return nullptr;
    const int scale = pictureScale(dpi);
    if ((picture != 6 && picture != 7) || scale == pictureScale(layoutDpi))
        return bitmaps_[size_t(picture)].get();
    BitmapHandle& made = scaledBitmaps_[{picture, scale}];
    if (!made)
        made.reset(static_cast<HBITMAP>(
            LoadImageW(instance_, MAKEINTRESOURCEW(scaledPictureResource(picture, scale)),
                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return made ? made.get() : bitmaps_[size_t(picture)].get();
}

int Toolkit::bitmapPicture(HBITMAP bitmap) const {
    for (const auto& [key, handle] : scaledBitmaps_)
        if (handle.get() == bitmap) return key.first;
    for (int picture : {6, 7})
        if (bitmaps_[size_t(picture)].get() == bitmap) return picture;
    return -1;
}

IconHandle Toolkit::loadIcon(int picture, int width, int height) const {
    return IconHandle(
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(PICTURE_RESOURCE_BASE + picture),
                                      IMAGE_ICON, width, height, 0)));
}

void Toolkit::setBitmap(int picture, HBITMAP bitmap) {
    if (picture >= 0 && picture < pictureCount) bitmaps_[size_t(picture)].reset(bitmap);
}

namespace {
// Only windows of our own class carry a Window; a requester or a message box
// keeps its keys.
bool isOurWindow(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpW(name, Toolkit::windowClassName()) == 0;
}
}  // namespace

void Toolkit::setHelpHandler(std::function<void(const std::string& page)> handler) {
    help_ = std::move(handler);
}

void Toolkit::showHelp(const std::string& page) const {
    if (help_ && !page.empty()) help_(page);
}

bool Toolkit::dialogHelp(HWND target) const {
    std::string page = requesterPage_;
    for (HWND window = target ? GetAncestor(target, GA_ROOT) : nullptr; window && page.empty();
         window = GetWindow(window, GW_OWNER))
        if (isOurWindow(window))
            if (const Window* ours = Window::fromHandle(window)) page = ours->helpPage();
    if (page.empty()) return false;
    showHelp(page);
    return true;
}

LRESULT CALLBACK Toolkit::dialogMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message && message->message == WM_KEYDOWN &&
        message->wParam == VK_F1 && toolkitOfThread && toolkitOfThread->dialogHelp(message->hwnd))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

RequesterHelp::RequesterHelp(Toolkit& toolkit, const std::string& page)
    : toolkit_(toolkit), previous_(toolkit.requesterPage_) {
    toolkit_.requesterPage_ = page;
}

RequesterHelp::~RequesterHelp() { toolkit_.requesterPage_ = previous_; }

bool Toolkit::handleOneMessage() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        // Kept as a state rather than posted again: a quit message left in
        // the queue wakes every wait at once, so loops would spin.
        quitting_ = true;
        return false;
    }
    // Tab and the arrow keys move between gadgets as in a dialog; Enter,
    // Escape and F1 are the window's own.
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (top && message.message == WM_KEYDOWN && isOurWindow(top))
        if (Window* window = Window::fromHandle(top); window && window->handleKey(message.wParam))
            return true;
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

namespace {
// A message box over the active window, modal as every window of ours is.
int messageBox(const std::string& text, UINT kind) {
    const Owner owner = activeWindow();
    ModalScope modal(owner);
    return MessageBoxW(owner.hwnd(), widen(text).c_str(), L"Seamster", kind);
}
}  // namespace

void Win32Dialogs::showMessage(const std::string& text, int icon) {
    messageBox(text, UINT(MB_OK | icon));
}

int Win32Dialogs::askYesNo(const std::string& text, int icon) {
    return messageBox(text, UINT(MB_YESNO | icon)) == IDYES ? answerYes : answerNo;
}

}  // namespace seamster::ui
