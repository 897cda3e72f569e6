#include "ui/DisplayScale.h"

#include "platform/win32/Handles.h"

namespace seamster::ui {

namespace {
// Looked up by name: older systems lack them, and the program still runs there.
template <typename Function>
Function user32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricsForDpiFunction = int(WINAPI*)(int, UINT);
}  // namespace

int systemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : layoutDpi;
    return dpi > 0 ? dpi : layoutDpi;
}

int windowDpi(HWND window) {
    static const auto forWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = forWindow && window ? int(forWindow(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

SIZE frameSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjust = user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, width, height};
    // At the screen's own DPI the long-standing measure, so nothing moves there.
    if (dpi == systemDpi() || !adjust || !adjust(&frame, style, FALSE, exStyle, UINT(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int systemMetric(int index, int dpi) {
    static const auto forDpi = user32Function<MetricsForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi && dpi != systemDpi() ? forDpi(index, UINT(dpi)) : GetSystemMetrics(index);
}

}  // namespace seamster::ui
