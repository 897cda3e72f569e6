#pragma once
// Text gadgets that draw only their letters, leaving the window's face (or
// a picture they overlap) visible around them.

#include <vector>

#include "ui/Window.h"

namespace seamster::ui {

// For texts that never change after the window is shown: a text gadget
// without a background cannot erase its old letters.
void drawTextsTransparent(Window& window, const std::vector<int>& ids);

}  // namespace seamster::ui
