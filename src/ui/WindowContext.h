#pragma once
// What a window opened from the main window is given: the program's state,
// the toolkit, and the main window it runs modally over.

#include <windows.h>

#include "core/App.h"
#include "core/MainView.h"
#include "ui/Toolkit.h"

namespace seamster {

struct WindowContext {
    App& app;
    ui::Toolkit& toolkit;
    MainView& main;
    HWND owner;  // the main window
};

}  // namespace seamster
