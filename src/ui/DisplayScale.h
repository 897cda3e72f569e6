#pragma once
// The DPI of the screen and of each window, and the system's measures at a
// given DPI. The per-window functions came with later systems; without them
// every window has the screen's DPI.

#include <windows.h>

#include "ui/Dpi.h"

namespace seamster::ui {

// The DPI the whole screen was set up with (96 when unknown).
int systemDpi();
// The DPI a window is shown at; the screen's when the system has no per-window DPI.
int windowDpi(HWND window);
// The outer size of a window whose client area is `width` x `height` at `dpi`.
SIZE frameSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi);
// A system measure (GetSystemMetrics index) at `dpi`.
int systemMetric(int index, int dpi);

}  // namespace seamster::ui
