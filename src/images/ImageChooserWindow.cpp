// The picture requester: the system's open-file requester, widened by a
// preview panel that follows the selection.

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "images/BackgroundWindows.h"
#include "images/ChooserPreview.h"
#include "images/Fitting.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ImageBitmap.h"

namespace seamster {
namespace {

// Panel gadgets, numbered inside the requester's frame window.
namespace panel {
// Gadgets 0 to 3 of the panel. Their control IDs start well above the
// requester's own small ones: 1 and 2 are its Open and Cancel buttons.
constexpr int idBase = 900;
constexpr int title = idBase + 0, size = idBase + 1, picture = idBase + 2, frame = idBase + 3;
// The panel's place in the frame; it moves right as a whole when the
// requester's own controls reach further than that.
constexpr int usualLeft = 417, width = 206, margin = 6, minimumHeight = 260;
}  // namespace panel

constexpr DWORD chooserFlags =
    OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;  // 0x81024
constexpr size_t pathCapacity = 260;

struct ChooserState {
    WindowContext& context;
    BitmapHandle shown;    // the panel's current picture
    bool built = false;    // the panel exists
    bool pending = false;  // the selection changed before it existed
    int shift = 0;         // how far right of its usual place the panel sits
};

HWND addPanelGadget(HWND frame, ChooserState& state, int id, const wchar_t* className, DWORD style,
                    int x, int y, int width, int height, const wchar_t* text) {
    HWND control =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x + state.shift, y,
                        width, height, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        state.context.toolkit.instance(), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(state.context.toolkit.defaultFont()), FALSE);
    return control;
}

// The right edge of the requester's own visible controls, in the frame's
// client coordinates. Requesters differ between systems in width.
int rightmostControl(HWND frame, HWND hook) {
    int right = 0;
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // Not yet shown, so the style says what will be visible.
        if (child == hook || !(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
        right = std::max(right, int(rect.right));
    }
    return right;
}

// Opens the requester a little left of the main window, widens it to the
// right by the panel and builds the panel. Done once the requester has laid
// out its own controls.
void buildPanel(HWND hook, ChooserState& state) {
    HWND frame = GetParent(hook);
    const int left = std::max(panel::usualLeft, rightmostControl(frame, hook) + panel::margin);
    state.shift = left - panel::usualLeft;
    RECT client = {}, outer = {};
    GetClientRect(frame, &client);
    GetWindowRect(frame, &outer);
    const int extraWidth = (outer.right - outer.left) - client.right;
    const int extraHeight = (outer.bottom - outer.top) - client.bottom;
    const int clientWidth = left + panel::width + panel::margin;
    const int clientHeight = std::max(int(client.bottom), panel::minimumHeight);
    Settings& settings = state.context.app.settings;
    settings.windowX = requesterLeft(settings.windowX);
    SetWindowPos(frame, HWND_NOTOPMOST, settings.windowX, settings.windowY,
                 clientWidth + extraWidth, clientHeight + extraHeight, 0);

    addPanelGadget(frame, state, panel::title, L"STATIC", SS_LEFT | SS_SUNKEN, 417, 6, panel::width,
                   20, L" Image Preview :");
    addPanelGadget(frame, state, panel::size, L"STATIC", SS_CENTER | SS_SUNKEN, 417, 234,
                   panel::width, 20, L"");
    addPanelGadget(frame, state, panel::frame, L"STATIC", SS_SUNKEN | WS_CLIPSIBLINGS, 417, 27,
                   panel::width, 205, L"");
    HWND picture =
        addPanelGadget(frame, state, panel::picture, L"STATIC", SS_BITMAP, 420, 30, 200, 200, L"");
    // Above the sunken frame it sits in, so the frame never paints over it.
    if (picture) SetWindowPos(picture, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    state.built = true;
}

std::string selectedPath(HWND frame) {
    wchar_t path[pathCapacity] = {};
    const LRESULT length =
        SendMessageW(frame, CDM_GETFILEPATH, WPARAM(pathCapacity), reinterpret_cast<LPARAM>(path));
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
        SetWindowPos(picture, HWND_TOP, preview.placement.x + state.shift, preview.placement.y,
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

void onNotification(HWND hook, ChooserState& state, UINT code) {
    if (code == CDN_INITDONE && !state.built) {
        buildPanel(hook, state);
        if (state.pending) showSelection(hook, state);
    } else if (code == CDN_SELCHANGE) {
        if (state.built)
            showSelection(hook, state);
        else
            state.pending = true;
    }
}

UINT_PTR CALLBACK previewHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* state = reinterpret_cast<ChooserState*>(request->lCustData);
        SetWindowLongPtrW(hook, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrW(hook, DWLP_USER));
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state && header) onNotification(hook, *state, header->code);
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
    storeWindowPosition(app.settings, context.main);

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
