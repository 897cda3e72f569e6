#pragma once
// The small option windows opened from the main window's tool bar. Each runs
// modally over the main window and gives control back when it closes.

#include "content/GameFilesView.h"
#include "core/App.h"
#include "ui/Owner.h"
#include "ui/Toolkit.h"

namespace seamster {

// What each of them is given: the program's state, the toolkit, and the main
// window it runs modally over.
struct ContentWindowContext {
    App& app;
    ui::Toolkit& toolkit;
    GameFilesView& mainWindow;
    ui::Owner owner;
};

void runAboutWindow(ContentWindowContext& context);
void runOptionsWindow(ContentWindowContext& context);
void runHideGameFoldersWindow(ContentWindowContext& context);
void runExtrasWindow(ContentWindowContext& context);

}  // namespace seamster
