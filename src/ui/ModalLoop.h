#pragma once
// The pattern of the small modal windows: window 5, centred over the active
// window, waiting for gadget events until its closing button is pressed.

#include <functional>
#include <string>

#include "ui/Window.h"

namespace seamster::ui {

// Window 5 without a close box, centred over the active window (or `owner`).
WindowArgs modalWindowArgs(const std::string& title, int clientWidth, int clientHeight, HWND owner);

// Hands every gadget event of `window` to `onGadget` (when set) and returns
// true once `closeGadget` was pressed; false when the window went away
// first. Events of other windows are dropped.
bool runUntilGadget(Toolkit& toolkit, Window& window, int closeGadget,
                    const std::function<void(int gadget)>& onGadget = {});

// Shows the window over a disabled `owner`, gives the keyboard to its
// closing button and runs it as runUntilGadget does; the owner works again
// once this returns.
bool runModal(Toolkit& toolkit, Window& window, HWND owner, int closeGadget,
              const std::function<void(int gadget)>& onGadget = {});

}  // namespace seamster::ui
