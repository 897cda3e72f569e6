#pragma once
// The Remove Projects window, run modally over the main window.

#include <windows.h>

#include "core/App.h"
#include "ui/Toolkit.h"

namespace seamster {

void runRemoveProjectsWindow(App& app, ui::Toolkit& toolkit, HWND owner);

}  // namespace seamster
