#pragma once
// The small option windows opened from the main window's tool bar. Each runs
// modally over the main window and gives control back when it closes.

#include "ui/WindowContext.h"

namespace seamster {

void runAboutWindow(WindowContext& context);
void runOptionsWindow(WindowContext& context);
void runHideGameFoldersWindow(WindowContext& context);
void runExtrasWindow(WindowContext& context);

}  // namespace seamster
