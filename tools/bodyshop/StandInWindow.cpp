// TS2BodyShop.exe for machines without the game: one window that shows the
// command line it was started with and what the Body Shop would find in the
// user's game folder, refreshed every second, so the effect of a run can be
// seen. Closing the window ends the "Body Shop".

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "StandInView.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace seamster::standin {
namespace {

// ---- look ------------------------------------------------------------------

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 584;
constexpr int kHeaderHeight = 64;
constexpr int kMargin = 16;
constexpr int kColumnWidth = (kClientWidth - 3 * kMargin) / 2;
constexpr int kLeft = kMargin;
constexpr int kRight = kMargin * 2 + kColumnWidth;
constexpr int kPad = 14;       // inside a card
constexpr int kHeadingH = 30;  // a card's heading line
constexpr UINT_PTR kRefreshTimer = 1;

constexpr COLORREF kPage = RGB(0xEC, 0xEF, 0xF4);
constexpr COLORREF kCard = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBorder = RGB(0xD3, 0xD9, 0xE2);
constexpr COLORREF kBand = RGB(0x1F, 0x3A, 0x5F);
constexpr COLORREF kBandText = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBandNote = RGB(0xB9, 0xC9, 0xDE);
constexpr COLORREF kHeading = RGB(0x1F, 0x3A, 0x5F);
constexpr COLORREF kText = RGB(0x22, 0x2B, 0x36);
constexpr COLORREF kGood = RGB(0x1B, 0x7A, 0x3A);
constexpr COLORREF kAttention = RGB(0xB3, 0x54, 0x00);
constexpr COLORREF kQuiet = RGB(0x6B, 0x75, 0x82);
constexpr COLORREF kFrame = RGB(0x2B, 0x2F, 0x36);

COLORREF colourOf(Tone tone) {
    switch (tone) {
    case Tone::good: return kGood;
    case Tone::attention: return kAttention;
    case Tone::quiet: return kQuiet;
    case Tone::normal: break;
    }
    return kText;
}

struct Card {
    const wchar_t* heading;
    RECT box;
};

// Left column: command line, pose, lighting, game folders, thumbnail caches.
// Right column: the background picture, replacements, the user folder.
const std::array<Card, 8> kCards = {{
    {L"Command line", {kLeft, 80, kLeft + kColumnWidth, 184}},
    {L"Mannequin pose", {kLeft, 196, kLeft + kColumnWidth, 292}},
    {L"Lighting", {kLeft, 304, kLeft + kColumnWidth, 400}},
    {L"Game folders", {kLeft, 412, kLeft + kColumnWidth, 488}},
    {L"Thumbnail caches", {kLeft, 500, kLeft + kColumnWidth, 568}},
    {L"Background  (userbkg.bmp)", {kRight, 80, kRight + kColumnWidth, 400}},
    {L"Replacements", {kRight, 412, kRight + kColumnWidth, 504}},
    {L"Game folder", {kRight, 516, kRight + kColumnWidth, 568}},
}};

// The picture area inside the background card, 4:3 like the Body Shop's screen.
RECT previewBox() {
    const RECT& card = kCards[5].box;
    const int width = card.right - card.left - 2 * kPad;
    const int top = card.top + kHeadingH;
    return {card.left + kPad, top, card.right - kPad, top + width * 3 / 4};
}

struct Label {
    int id;
    int card;  // index into kCards
    int x, y;  // from the card's body origin
    int w, h;  // w 0: to the card's right padding
    int font;  // 0 body, 1 large, 2 small
    DWORD style;
};

const std::array<Label, 12> kLabels = {{
    {idParameters, 0, 0, 0, 0, 26, 1, SS_ENDELLIPSIS},
    {idScreenSize, 0, 0, 28, 0, 18, 0, SS_ENDELLIPSIS},
    {idCommandLine, 0, 0, 48, 0, 18, 2, SS_PATHELLIPSIS},
    {idPoses, 1, 0, 0, 0, 60, 0, 0},
    {idLighting, 2, 0, 0, 0, 60, 0, 0},
    {idDownloads, 3, 96, 0, 0, 18, 0, SS_ENDELLIPSIS},
    {idSavedSims, 3, 96, 20, 0, 18, 0, SS_ENDELLIPSIS},
    {idCaches, 4, 0, 0, 0, 34, 0, 0},
    {idBackground, 5, 0, 0, 230, 18, 0, SS_ENDELLIPSIS},
    {idReplacements, 6, 0, 0, 0, 54, 0, 0},
    {idUserFolder, 7, 0, 0, 0, 18, 2, SS_PATHELLIPSIS},
    {idUpdated, 5, 230, 0, 0, 18, 2, SS_RIGHT},
}};

RECT labelBox(const Label& label) {
    const RECT& card = kCards[size_t(label.card)].box;
    int top = card.top + kHeadingH + label.y;
    if (label.card == 5) top = previewBox().bottom + 8;  // under the picture
    const int left = card.left + kPad + label.x;
    const int right = label.w ? left + label.w : card.right - kPad;
    return {left, top, right, top + label.h};
}

// ---- the window's state ------------------------------------------------------

struct Picture {
    BitmapHandle bitmap;
    int width = 0, height = 0, bits = 0;
    bool present = false;
    bool readable = false;
    // What the file looked like when it was loaded, to notice a new one.
    FILETIME written{};
    uint64_t size = 0;
};

struct StandIn {
    HWND window = nullptr;
    std::string documents;
    std::string commandLine;
    Win32FileSystem fs;
    View view;
    bool viewShown = false;
    Picture picture;
    std::array<FontHandle, 4> fonts;  // body, large, small, heading
    FontHandle titleFont;
    BrushHandle cardBrush{CreateSolidBrush(kCard)};
    std::map<int, Tone> tones;
};

StandIn* standInOf(HWND window) {
    return reinterpret_cast<StandIn*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HFONT makeFont(int points, bool bold) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void setText(StandIn& app, int id, const Shown& shown) {
    HWND label = GetDlgItem(app.window, id);
    const std::wstring wanted = widen(shown.text);
    std::wstring current(size_t(GetWindowTextLengthW(label)) + 1, L'\0');
    current.resize(size_t(GetWindowTextW(label, current.data(), int(current.size()))));
    const bool toneChanged = app.tones[id] != shown.tone;
    app.tones[id] = shown.tone;
    if (current != wanted) {
        SetWindowTextW(label, wanted.c_str());
    } else if (toneChanged) {
        InvalidateRect(label, nullptr, TRUE);
    }
}

// ---- the background picture --------------------------------------------------

bool sameFile(const Picture& picture, const WIN32_FILE_ATTRIBUTE_DATA& data) {
    const uint64_t size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return picture.present && size == picture.size &&
           CompareFileTime(&picture.written, &data.ftLastWriteTime) == 0;
}

// Loads userbkg.bmp again when it appeared, went away or was rewritten.
// Returns true when what is shown changes.
bool reloadPicture(StandIn& app) {
    Picture& picture = app.picture;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::wstring path = widen(app.view.userFolder + "userbkg.bmp");
    const bool present = !app.view.userFolder.empty() &&
                         GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
                         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!present) {
        if (!picture.present) return false;
        picture = Picture{};
        return true;
    }
    if (sameFile(picture, data)) return false;
    picture = Picture{};
    picture.present = true;
    picture.written = data.ftLastWriteTime;
    picture.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    picture.bitmap.reset(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (picture.bitmap &&
        GetObjectW(picture.bitmap.get(), sizeof(dib), &dib) >= int(sizeof(BITMAP))) {
        picture.readable = true;
        picture.width = dib.dsBm.bmWidth;
        picture.height = dib.dsBm.bmHeight;
        picture.bits = dib.dsBm.bmBitsPixel;
    }
    return true;
}

Shown pictureCaption(const Picture& picture) {
    if (!picture.present) return {"none", Tone::quiet};
    if (!picture.readable) return {"userbkg.bmp is there but cannot be read", Tone::attention};
    return {std::to_string(picture.width) + " x " + std::to_string(picture.height) + ",  " +
                std::to_string(picture.bits) + "-bit,  " + std::to_string(picture.size / 1024) +
                " KB",
            picture.bits == 24 ? Tone::normal : Tone::attention};
}

// ---- refresh -------------------------------------------------------------------

void refresh(StandIn& app) {
    View view = gatherView(app.fs, app.documents);
    if (!app.viewShown || !(view == app.view)) {
        app.view = std::move(view);
        app.viewShown = true;
        setText(app, idPoses, app.view.poses);
        setText(app, idLighting, app.view.lighting);
        setText(app, idDownloads, app.view.downloads);
        setText(app, idSavedSims, app.view.savedSims);
        setText(app, idCaches, app.view.caches);
        setText(app, idReplacements, app.view.replacements);
        setText(app, idUserFolder, app.view.userFolderText);
    }
    if (reloadPicture(app)) {
        setText(app, idBackground, pictureCaption(app.picture));
        const RECT box = previewBox();
        InvalidateRect(app.window, &box, FALSE);
    }
    // The end-to-end run sets the clock (SEAMSTER_STAND_IN_CLOCK), so that a
    // retaken picture of this window shows what the last one showed.
    wchar_t clock[32], fixed[16];
    const DWORD fixedLength = GetEnvironmentVariableW(L"SEAMSTER_STAND_IN_CLOCK", fixed, 16);
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (fixedLength > 0 && fixedLength < 16)
        wsprintfW(clock, L"checked %s", fixed);
    else
        wsprintfW(clock, L"checked %02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    setText(app, idUpdated, {narrow(clock), Tone::quiet});
}

// ---- painting ------------------------------------------------------------------

void drawText(HDC dc, const wchar_t* text, RECT box, HFONT font, COLORREF colour, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &box, format | DT_NOPREFIX);
    SelectObject(dc, old);
}

void paintCard(StandIn& app, HDC dc, const Card& card) {
    UniqueHandle<HPEN, GdiTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, kBorder));
    HGDIOBJ oldBrush = SelectObject(dc, app.cardBrush.get());
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    RoundRect(dc, card.box.left, card.box.top, card.box.right, card.box.bottom, 10, 10);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    RECT accent = {card.box.left + kPad, card.box.top + 12, card.box.left + kPad + 4,
                   card.box.top + 24};
    BrushHandle accentBrush(CreateSolidBrush(kHeading));
    FillRect(dc, &accent, accentBrush.get());
    RECT heading = {card.box.left + kPad + 10, card.box.top + 9, card.box.right - kPad,
                    card.box.top + kHeadingH};
    drawText(dc, card.heading, heading, app.fonts[3].get(), kHeading, DT_LEFT | DT_SINGLELINE);
}

void paintPicture(StandIn& app, HDC dc) {
    const RECT box = previewBox();
    BrushHandle frame(CreateSolidBrush(kFrame));
    FillRect(dc, &box, frame.get());
    const Picture& picture = app.picture;
    if (!picture.readable || picture.width <= 0 || picture.height <= 0) {
        drawText(dc, picture.present ? L"cannot be read" : L"none", box, app.fonts[1].get(),
                 RGB(0x9A, 0xA3, 0xAE), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Fit inside the frame, keeping the picture's shape.
    const int boxW = box.right - box.left, boxH = box.bottom - box.top;
    int w = boxW, h = int(int64_t(boxW) * picture.height / picture.width);
    if (h > boxH) {
        h = boxH;
        w = int(int64_t(boxH) * picture.width / picture.height);
    }
    const int x = box.left + (boxW - w) / 2, y = box.top + (boxH - h) / 2;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture.bitmap.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, x, y, w, h, source, 0, 0, picture.width, picture.height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void paintHeader(StandIn& app, HDC dc) {
    RECT band = {0, 0, kClientWidth, kHeaderHeight};
    BrushHandle brush(CreateSolidBrush(kBand));
    FillRect(dc, &band, brush.get());
    RECT title = {20, 8, kClientWidth - 20, 40};
    drawText(dc, L"Body Shop stand-in", title, app.titleFont.get(), kBandText,
             DT_LEFT | DT_SINGLELINE);
    RECT note = {21, 38, kClientWidth - 20, kHeaderHeight - 4};
    drawText(dc,
             L"Stands in for TS2BodyShop.exe: shows what the Body Shop would find. "
             L"Close this window to end the run.",
             note, app.fonts[0].get(), kBandNote, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void paintFolderNames(StandIn& app, HDC dc) {
    const RECT& card = kCards[3].box;
    const int left = card.left + kPad, top = card.top + kHeadingH;
    RECT downloads = {left, top, left + 90, top + 18};
    RECT savedSims = {left, top + 20, left + 90, top + 38};
    drawText(dc, L"Downloads", downloads, app.fonts[0].get(), kText, DT_LEFT | DT_SINGLELINE);
    drawText(dc, L"SavedSims", savedSims, app.fonts[0].get(), kText, DT_LEFT | DT_SINGLELINE);
}

void paint(StandIn& app) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(app.window, &ps);
    // Drawn off screen first so the once-a-second refresh never flickers.
    HDC dc = CreateCompatibleDC(target);
    BitmapHandle canvas(CreateCompatibleBitmap(target, kClientWidth, kClientHeight));
    HGDIOBJ oldCanvas = SelectObject(dc, canvas.get());
    SetBkMode(dc, TRANSPARENT);
    RECT all = {0, 0, kClientWidth, kClientHeight};
    BrushHandle page(CreateSolidBrush(kPage));
    FillRect(dc, &all, page.get());
    paintHeader(app, dc);
    for (const Card& card : kCards) paintCard(app, dc, card);
    paintFolderNames(app, dc);
    paintPicture(app, dc);
    BitBlt(target, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(dc, oldCanvas);
    DeleteDC(dc);
    EndPaint(app.window, &ps);
}

// ---- creation ------------------------------------------------------------------

void createLabels(StandIn& app) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Label& label : kLabels) {
        const RECT box = labelBox(label);
        HWND control = CreateWindowExW(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFT | label.style,
            box.left, box.top, box.right - box.left, box.bottom - box.top, app.window,
            reinterpret_cast<HMENU>(INT_PTR(label.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, WPARAM(app.fonts[size_t(label.font)].get()), FALSE);
    }
    const std::string parameters = parametersOf(app.commandLine);
    setText(app, idParameters,
            parameters.empty() ? Shown{"(no parameters)", Tone::quiet} : Shown{parameters});
    setText(app, idScreenSize, screenSizeOf(parameters));
    setText(app, idCommandLine, {app.commandLine, Tone::quiet});
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* app = standInOf(window);
    switch (message) {
    case WM_CREATE: {
        app = static_cast<StandIn*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        app->window = window;
        createLabels(*app);
        refresh(*app);
        SetTimer(window, kRefreshTimer, 1000, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (app && wParam == kRefreshTimer) refresh(*app);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (app) {
            paint(*app);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        if (app) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            SetTextColor(dc, colourOf(app->tones[id]));
            SetBkColor(dc, kCard);
            return reinterpret_cast<LRESULT>(app->cardBrush.get());
        }
        break;
    case WM_DESTROY:
        KillTimer(window, kRefreshTimer);
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string documentsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return narrow(path);
}

// Adds this start's parameters to TS2BodyShop.log beside the program, so a
// test can check after the run what the Body Shop was given.
void recordStart(const std::string& parameters) {
    wchar_t self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::wstring log(self);
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"TS2BodyShop.log";
    FileHandle file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string line = parameters + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), line.data(), DWORD(line.size()), &written, nullptr);
}

int run(HINSTANCE instance, int show) {
    StandIn app;
    app.documents = documentsFolder();
    app.commandLine = narrow(GetCommandLineW());
    recordStart(parametersOf(app.commandLine));
    app.fonts[0].reset(makeFont(9, false));
    app.fonts[1].reset(makeFont(13, true));
    app.fonts[2].reset(makeFont(8, false));
    app.fonts[3].reset(makeFont(9, true));
    app.titleFont.reset(makeFont(16, true));

    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = windowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    type.lpszClassName = L"SeamsterBodyShopStandIn";
    if (!RegisterClassExW(&type)) return 1;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    HWND window = CreateWindowExW(0, type.lpszClassName, widen(windowTitle).c_str(), style, x, y,
                                  width, height, nullptr, nullptr, instance, &app);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace
}  // namespace seamster::standin

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    return seamster::standin::run(instance, show);
}
