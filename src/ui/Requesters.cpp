#include "ui/Requesters.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/Win32Platform.h"
#include "ui/Controls.h"
#include "ui/CurrentFolder.h"
#include "ui/DisplayScale.h"
#include "ui/ModalLoop.h"

namespace seamster::ui {
namespace {

constexpr size_t pathCapacity = 260;

// "Name\0patterns\0...\0\0", as the requesters take their file types.
std::wstring filterOf(const FileTypes& types) {
    std::wstring filter;
    for (const auto& [name, patterns] : types) {
        filter += widen(name);
        filter += L'\0';
        filter += widen(patterns);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

// A name cut to fit the requester's name buffer (never inside a
// character's surrogate pair), or left out when `cut` is false and it does
// not fit.
std::wstring nameBuffer(const std::string& name, bool cut) {
    std::wstring wide = widen(name);
    if (wide.size() > pathCapacity - 1) {
        if (!cut) {
            wide.clear();
        } else {
            wide.resize(pathCapacity - 1);
            if (IS_HIGH_SURROGATE(wide.back())) wide.pop_back();
        }
    }
    wide.resize(pathCapacity, L'\0');
    return wide;
}

}  // namespace

std::optional<Colour> chooseColour(Owner owner, std::array<Colour, 16>& custom) {
    std::array<COLORREF, 16> kept;
    std::copy(custom.begin(), custom.end(), kept.begin());
    CHOOSECOLORW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = activeWindow().hwnd();
    request.rgbResult = 1;
    request.lpCustColors = kept.data();
    request.Flags = CC_RGBINIT;
    ModalScope modal(owner);
    const bool chosen = ChooseColorW(&request);
    std::copy(kept.begin(), kept.end(), custom.begin());
    if (!chosen) return std::nullopt;
    return request.rgbResult;
}

std::string askSaveName(const std::string& title, const FileTypes& types,
                        const std::string& proposed) {
    const std::wstring filter = filterOf(types);
    std::wstring name = nameBuffer(proposed, false);
    const std::wstring wideTitle = widen(title);
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = name.data();
    request.nMaxFile = DWORD(pathCapacity);
    request.lpstrTitle = wideTitle.c_str();
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const KeepCurrentFolder keep;
    if (!GetSaveFileNameW(&request)) return {};
    return narrow(name.c_str());
}

// ---- the open requester with its preview panel ------------------------------

namespace {

// Panel controls, numbered inside the requester's frame window. Their IDs
// start well above the requester's own small ones: 1 and 2 are its Open and
// Cancel buttons.
namespace panel {
constexpr int idBase = 900;
constexpr int title = idBase + 0, size = idBase + 1, picture = idBase + 2, frame = idBase + 3;
// The panel's place in the frame; it moves right as a whole when the
// requester's own controls reach further than that.
constexpr int usualLeft = 417, width = 206, margin = 6, minimumHeight = 260;
}  // namespace panel

struct PanelState {
    const OpenRequest& request;
    BitmapHandle shown;    // the panel's current picture
    bool built = false;    // the panel exists
    bool pending = false;  // the selection changed before it existed
    int shift = 0;         // how far right of its usual place the panel sits (pixels)
    int dpi = layoutDpi;   // the requester's; the panel's places are given at 96
};

HWND addPanelControl(HWND frame, const PanelState& state, int id, const wchar_t* className,
                     DWORD style, int x, int y, int width, int height, const char* text) {
    ControlPlace place;
    place.className = className;
    place.style = WS_VISIBLE | style;
    place.id = id;
    place.x = scaled(x, state.dpi) + state.shift, place.y = scaled(y, state.dpi);
    place.width = scaled(width, state.dpi), place.height = scaled(height, state.dpi);
    place.text = text;
    return createControl(frame, place, state.request.font);
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

// Moves the requester where it was asked to open, widens it to the right by
// the panel and builds the panel. Done once the requester has laid out its
// own controls.
void buildPanel(HWND hook, PanelState& state) {
    HWND frame = GetParent(hook);
    state.dpi = windowDpi(frame);
    const int left = previewPanelLeft(rightmostControl(frame, hook), state.dpi);
    state.shift = left - scaled(panel::usualLeft, state.dpi);
    RECT client = {}, outer = {};
    GetClientRect(frame, &client);
    GetWindowRect(frame, &outer);
    const int extraWidth = (outer.right - outer.left) - client.right;
    const int extraHeight = (outer.bottom - outer.top) - client.bottom;
    const int clientWidth = left + scaled(panel::width + panel::margin, state.dpi);
    const int clientHeight = std::max(int(client.bottom), scaled(panel::minimumHeight, state.dpi));
    const auto [x, y] = state.request.position ? state.request.position()
                                               : std::pair<int, int>{outer.left, outer.top};
    SetWindowPos(frame, HWND_NOTOPMOST, x, y, clientWidth + extraWidth, clientHeight + extraHeight,
                 0);

    addPanelControl(frame, state, panel::title, L"STATIC", SS_LEFT | SS_SUNKEN, 417, 6,
                    panel::width, 20, " Image Preview :");
    addPanelControl(frame, state, panel::size, L"STATIC", SS_CENTER | SS_SUNKEN, 417, 234,
                    panel::width, 20, "");
    addPanelControl(frame, state, panel::frame, L"STATIC", SS_SUNKEN | WS_CLIPSIBLINGS, 417, 27,
                    panel::width, 205, "");
    HWND picture =
        addPanelControl(frame, state, panel::picture, L"STATIC", SS_BITMAP, 420, 30, 200, 200, "");
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

// A copy the picture control made of what it was given is ours to free.
void showPanelPicture(HWND picture, const PanelState& state, HBITMAP bitmap) {
    const auto held = reinterpret_cast<HANDLE>(
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (held && held != state.shown.get()) DeleteObject(held);
}

void showSelection(HWND hook, PanelState& state) {
    HWND frame = GetParent(hook);
    PanelContent content = state.request.preview(selectedPath(frame));
    HWND picture = GetDlgItem(frame, panel::picture);
    if (picture && content.picture) {
        showPanelPicture(picture, state, content.picture.get());
        const LayoutRect shown =
            scaled(LayoutRect{content.x, content.y, content.width, content.height}, state.dpi);
        placeControl(picture, shown.x + state.shift, shown.y, shown.width, shown.height, true);
        state.shown = std::move(content.picture);  // the picture shown before is freed now
    }
    SetDlgItemTextW(frame, panel::title, widen(content.title).c_str());
    SetDlgItemTextW(frame, panel::size, widen(content.caption).c_str());
    if (picture) {
        InvalidateRect(picture, nullptr, TRUE);
        UpdateWindow(picture);
    }
}

void onNotification(HWND hook, PanelState& state, UINT code) {
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
        SetWindowLongPtrW(hook, DWLP_USER, request->lCustData);
        return TRUE;
    }
    auto* state = reinterpret_cast<PanelState*>(GetWindowLongPtrW(hook, DWLP_USER));
    if (message == WM_DESTROY) {
        HWND picture = GetDlgItem(GetParent(hook), panel::picture);
        if (state && picture) showPanelPicture(picture, *state, nullptr);
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state && header) onNotification(hook, *state, header->code);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::string openWithPreview(const OpenRequest& request) {
    const std::wstring filter = filterOf(request.types);
    std::wstring name = nameBuffer(request.name, true);
    const std::wstring folder = widen(request.folder);
    const std::wstring title = widen(request.title);
    PanelState state{request, BitmapHandle()};

    OPENFILENAMEW open = {};
    open.lStructSize = sizeof(open);
    open.hwndOwner = nullptr;
    open.hInstance = GetModuleHandleW(nullptr);
    open.lpstrFilter = filter.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = name.data();
    open.nMaxFile = DWORD(pathCapacity);
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.lpstrTitle = title.c_str();
    open.Flags =
        OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    open.lpfnHook = previewHook;
    open.lCustData = reinterpret_cast<LPARAM>(&state);

    bool chosen = false;
    {
        ModalScope modal(request.owner);
        const KeepCurrentFolder keep;
        chosen = GetOpenFileNameW(&open) != FALSE;
    }
    return chosen ? narrow(name.c_str()) : std::string();
}

}  // namespace seamster::ui
