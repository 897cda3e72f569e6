#include "ui/StatusBar.h"

#include <commctrl.h>

#include "platform/win32/Win32Platform.h"
#include "ui/Window.h"

namespace seamster::ui {

StatusBar::StatusBar(Window& window, int fieldCount, int fieldWidth)
    : StatusBar(window, std::vector<int>(size_t(fieldCount), fieldWidth), 0) {}

StatusBar::StatusBar(Window& window, int fieldCount) : StatusBar(window, {}, 0) {
    // Fields share the client width as the window has it at its DPI.
    RECT client = {};
    GetClientRect(window.hwnd(), &client);
    const int width = equalFieldWidth(client.right, fieldCount);
    std::vector<int> edges;
    for (int field = 1; field <= fieldCount; ++field) edges.push_back(field * width);
    setEdges(edges);
}

StatusBar::StatusBar(Window& window, const std::vector<int>& fieldWidths, int id)
    : dpi_(window.dpi()) {
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                            window.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    window.setRescale(hwnd_, [bar = hwnd_, &toolkit = window.toolkit()](int oldDpi, int dpi) {
        int edges[16] = {};
        const int parts = int(SendMessageW(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
        for (int i = 0; i < parts; ++i)
            if (edges[i] >= 0) edges[i] = mulDiv(edges[i], dpi, oldDpi);
        SendMessageW(bar, SB_SETPARTS, WPARAM(parts), reinterpret_cast<LPARAM>(edges));
        for (int i = 0; i < parts; ++i) {
            auto icon = reinterpret_cast<HICON>(SendMessageW(bar, SB_GETICON, WPARAM(i), 0));
            if (auto [picture, size] = toolkit.iconPicture(icon); picture >= 0)
                SendMessageW(bar, SB_SETICON, WPARAM(i),
                             reinterpret_cast<LPARAM>(toolkit.icon(picture, size, dpi)));
        }
        SendMessageW(bar, WM_SIZE, 0, 0);  // back along the bottom edge
    });
    if (fieldWidths.empty()) return;
    // The edges scale, not each width, so the last field ends where it should.
    std::vector<int> edges;
    int edge = 0;
    for (int width : fieldWidths) edges.push_back(scaled(edge += width, dpi_));
    setEdges(edges);
}

void StatusBar::setEdges(const std::vector<int>& edges) {
    if (hwnd_)
        SendMessageW(hwnd_, SB_SETPARTS, WPARAM(edges.size()),
                     reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::fitToWindow() {
    if (hwnd_) SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

int StatusBar::height() const {
    RECT rect = {};
    if (hwnd_) GetWindowRect(hwnd_, &rect);
    return unscaled(rect.bottom - rect.top, dpi_);
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
