#pragma once
// A text gadget that acts as a web link: coloured, clickable, with the hand
// cursor. A click arrives as an ordinary gadget event.

#include "ui/Window.h"

namespace seamster::ui {

void makeLink(Window& window, int id, COLORREF colour);

}  // namespace seamster::ui
