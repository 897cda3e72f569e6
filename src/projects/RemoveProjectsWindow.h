#pragma once
// The Remove Projects window, run modally over the main window.

#include "core/App.h"
#include "ui/Owner.h"
#include "ui/Toolkit.h"

namespace seamster {

void runRemoveProjectsWindow(App& app, ui::Toolkit& toolkit, ui::Owner owner);

}  // namespace seamster
