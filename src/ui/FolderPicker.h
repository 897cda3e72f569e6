#pragma once
// The folder-browse requester over a secondary window.

#include <windows.h>

#include <string>

#include "ui/Owner.h"

namespace seamster::ui {

// Asks for a folder, opening at `start` (when it exists). The chosen folder
// ends with a backslash; "" when the user cancelled. `owner` is disabled
// while the requester shows; no other window is touched.
std::string pickFolder(Owner owner, const std::string& title, const std::string& start);

}  // namespace seamster::ui
