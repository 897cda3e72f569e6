// The picture requester: the system's open-file requester, widened by a
// preview panel that follows the selection.

#include <windows.h>
#include <commdlg.h>

#include "images/BackgroundWindows.h"
#include "images/ChooserPreview.h"
#include "images/Fitting.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ImageBitmap.h"

namespace seamster {
namespace {

// Panel gadgets, numbered inside the requester's frame window.
namespace panel {
constexpr int title = 0, size = 1, picture = 2, frame = 3;
constexpr int left = 417, width = 206;
constexpr int widening = 210;
}  // namespace panel

constexpr DWORD chooserFlags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST |
                               OFN_HIDEREADONLY;  // 0x81024
constexpr size_t pathCapacity = 260;

struct ChooserState {
    WindowContext& context;
    BitmapHandle shown;  // the panel's current picture
};

HWND addPanelGadget(HWND frame, ChooserState& state, int id, const wchar_t* className,
                    DWORD style, RECT place, const wchar_t* text) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                                   place.top, place.right, place.bottom, frame,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   state.context.toolkit.instance(), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(state.context.toolkit.defaultFont()), FALSE);
    return control;
}

// Widens the requester to the right by the panel, opens it a little left of
// the main window, and builds the panel.
void buildPanel(HWND hook, ChooserState& state) {
    HWND frame = GetParent(hook);
    RECT client = {}, outer = {};
    GetClientRect(frame, &client);
    GetWindowRect(frame, &outer);
    Settings& settings = state.context.app.settings;
    settings.windowX = requesterLeft(settings.windowX);
    // The frame keeps its height, so none of the requester's own controls is cut.
    SetWindowPos(frame, HWND_NOTOPMOST, settings.windowX, settings.windowY,
                 client.right + panel::widening, outer.bottom - outer.top, 0);

    using panel::left, panel::width;
    addPanelGadget(frame, state, panel::title, L"STATIC", SS_LEFT | SS_SUNKEN,
                   {left, 6, width, 20}, L" Image Preview :");
    addPanelGadget(frame, state, panel::size, L"STATIC", SS_CENTER | SS_SUNKEN,
                   {left, 234, width, 20}, L"");
    addPanelGadget(frame, state, panel::frame, L"STATIC", SS_SUNKEN | WS_CLIPSIBLINGS,
                   {left, 27, width, 205}, L"");
    HWND picture = addPanelGadget(frame, state, panel::picture, L"STATIC", SS_BITMAP,
                                  {420, 30, 200, 200}, L"");
    // Above the sunken frame it sits in, so the frame never paints over it.
    if (picture) SetWindowPos(picture, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

std::string selectedPath(HWND frame) {
    wchar_t path[pathCapacity] = {};
    const LRESULT length = SendMessageW(frame, CDM_GETFILEPATH, WPARAM(pathCapacity),
                                        reinterpret_cast<LPARAM>(path));
    if (length <= 0 || size_t(length) > pathCapacity) return {};
    return narrow(path);
}

void showSelection(HWND hook, ChooserState& state) {
    HWND frame = GetParent(hook);
    const ChooserPreview preview = chooserPreviewFor(state.context.app.fs(), selectedPath(frame));
    BitmapHandle bitmap = ui::bitmapFromImage(preview.picture);
    if (bitmap && !preview.loaded)
        ui::drawTextOnBitmap(bitmap.get(), placeholderText, state.context.toolkit.defaultFont(),
                             placeholderTextCorner.x, placeholderTextCorner.y, RGB(255, 255, 255));
    HWND picture = GetDlgItem(frame, panel::picture);
    if (picture && bitmap) {
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
        SetWindowPos(picture, HWND_TOP, preview.placement.x, preview.placement.y,
                     preview.placement.width, preview.placement.height, 0);
        state.shown = std::move(bitmap);  // the picture shown before is freed now
    }
    SetDlgItemTextW(frame, panel::title, widen(preview.title).c_str());
    SetDlgItemTextW(frame, panel::size, widen(preview.caption).c_str());
    if (picture) {
        InvalidateRect(picture, nullptr, TRUE);
        UpdateWindow(picture);
    }
}

UINT_PTR CALLBACK previewHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* state = reinterpret_cast<ChooserState*>(request->lCustData);
        SetWindowLongPtrW(hook, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        buildPanel(hook, *state);
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrW(hook, DWLP_USER));
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state && header && header->code == CDN_SELCHANGE) showSelection(hook, *state);
        return TRUE;
    }
    return FALSE;
}

// The last picture chosen, cut to fit the requester's name buffer (never
// inside a character's surrogate pair).
void fillNameBuffer(std::wstring& buffer, const std::string& lastImage) {
    std::wstring name = widen(lastImage);
    if (name.size() > pathCapacity - 1) {
        name.resize(pathCapacity - 1);
        if (IS_HIGH_SURROGATE(name.back())) name.pop_back();
    }
    buffer.assign(pathCapacity, L'\0');
    buffer.replace(0, name.size(), name);
}

}  // namespace

std::string chooseBackgroundImage(WindowContext& context) {
    App& app = context.app;
    const Point corner = context.main.position();
    app.settings.windowX = corner.x;
    app.settings.windowY = corner.y;

    static const wchar_t filter[] =
        L"Standard Image files (.bmp .jpg .png)\0*.bmp;*jpg;*jpeg;*png\0";
    std::wstring name;
    fillNameBuffer(name, app.settings.lastImage);
    const std::wstring folder = widen(app.settings.imagePath);
    const std::wstring title = L" Select New Background Image";
    ChooserState state{context, BitmapHandle()};

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = nullptr;
    request.hInstance = context.toolkit.instance();
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = name.data();
    request.nMaxFile = DWORD(pathCapacity);
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrTitle = title.c_str();
    request.Flags = chooserFlags;
    request.lpfnHook = previewHook;
    request.lCustData = reinterpret_cast<LPARAM>(&state);

    bool chosen = false;
    {
        ui::ModalScope modal(context.owner);
        chosen = GetOpenFileNameW(&request) != FALSE;
    }
    return chosen ? narrow(name.c_str()) : std::string();
}

}  // namespace seamster
