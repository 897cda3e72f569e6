#pragma once
// A text gadget that acts as a web link: coloured, clickable, with the hand
// cursor. A click arrives as an ordinary gadget event.

#include "ui/Window.h"

namespace seamster::ui {

void makeLink(Window& window, int id, Colour colour);

// Sizes a text gadget to its text in its current font, centred on `centreX`,
// so the link neither wraps nor reacts to clicks beside its text.
void fitToText(Window& window, int id, int centreX);

}  // namespace seamster::ui
