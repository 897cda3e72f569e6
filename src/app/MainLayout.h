#pragma once
// The main window's layout and placement rules.

#include <array>
#include <optional>
#include <vector>

#include "ui/Gadgets.h"
#include "app/MainGadgets.h"
#include "core/Settings.h"
#include "res/Pictures.h"

namespace seamster {

inline constexpr int mainClientWidth = 527;
inline constexpr int mainInitialClientHeight = 180;

// Client height once the tool bar of height t exists.
inline int mainClientHeight(int toolBarHeight) { return toolBarHeight + 222; }

// The tool-bar buttons from the left, with their pictures and tips.
const std::array<ToolButton, 10>& mainToolBar();

// The gadgets in creation (and keyboard) order, for a tool bar of height t.
std::vector<Gadget> mainGadgets(int toolBarHeight);

struct StatusField {
    const char* text;
    int picture;
};
const std::array<StatusField, 4>& mainStatusFields();
inline int statusFieldWidth(int clientWidth) { return clientWidth / 4; }

// The set-up window: its client size and gadgets in creation order.
inline constexpr int setUpClientWidth = 438, setUpClientHeight = 248;
std::vector<Gadget> setUpGadgets();

// The saved outer corner to use, or nothing to centre the window.
std::optional<Point> savedMainPosition(int windowX, int windowY);

// The screen-size option selected at start: 1024 x 768 only on a screen
// wider than 1000 and taller than 700.
int preselectedSizeOption(int screenWidth, int screenHeight);

}  // namespace seamster
