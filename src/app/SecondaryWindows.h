#pragma once
// The windows opened from the main window. Each runs modally: it disables
// the main window, runs its own event loop and gives control back.

#include <windows.h>

#include "app/App.h"
#include "app/MainView.h"
#include "ui/Toolkit.h"

namespace seamster {

struct WindowContext {
    App& app;
    ui::Toolkit& toolkit;
    MainView& main;
    HWND owner;  // the main window
};

void runAboutWindow(WindowContext& context);
void runOptionsWindow(WindowContext& context);
void runHideGameFoldersWindow(WindowContext& context);
void runExtrasWindow(WindowContext& context);
void runRemoveProjectsWindow(WindowContext& context);
void runRenameWindows(WindowContext& context);
void runNewBackgroundColor(WindowContext& context);
void runNewBackgroundImage(WindowContext& context);
// Draws the current background's thumbnail into main window gadget 22.
void refreshBackgroundThumbnail(WindowContext& context);
// Creates the hidden Image Preview window at start-up.
void buildImagePreviewWindow(WindowContext& context);

}  // namespace seamster
