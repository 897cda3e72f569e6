#pragma once
// The Remove Projects window, run modally over the main window.

#include "ui/WindowContext.h"

namespace seamster {

void runRemoveProjectsWindow(WindowContext& context);

}  // namespace seamster
