#pragma once
// The rename window and the Find Package Options window over the toolkit.

#include <memory>

#include "core/App.h"
#include "rename/RenameFlow.h"
#include "rename/RenameScreen.h"
#include "ui/Owner.h"
#include "ui/Toolkit.h"

namespace seamster {

// Both windows, not yet built; `owner` (which may be none) stays disabled
// while the rename window is open.
std::unique_ptr<RenameScreen> makeRenameWindows(ui::Toolkit& toolkit, ui::Owner owner);

// Package renaming from the main window, modally over it.
void runRenameWindows(App& app, ui::Toolkit& toolkit, ui::Owner owner, RenameSession& session);

}  // namespace seamster
