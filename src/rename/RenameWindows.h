#pragma once
// The rename window and the Find Package Options window over the toolkit.

#include <windows.h>

#include <memory>

#include "core/App.h"
#include "rename/RenameFlow.h"
#include "rename/RenameScreen.h"
#include "ui/Toolkit.h"

namespace seamster {

// Both windows, not yet built; `owner` (which may be none) stays disabled
// while the rename window is open.
std::unique_ptr<RenameScreen> makeRenameWindows(ui::Toolkit& toolkit, HWND owner);

// Package renaming from the main window, modally over it.
void runRenameWindows(App& app, ui::Toolkit& toolkit, HWND owner, RenameSession& session);

}  // namespace seamster
