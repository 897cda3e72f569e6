#pragma once
// Window layouts as data: what each gadget is, where it goes and what it says.
// Plain data, so the layout rules can be tested without windows.

#include <string>
#include <vector>

namespace seamster {

enum class GadgetKind {
    button,
    option,
    checkBox,
    dropDown,
    listBox,
    text,
    centredText,
    frame,
    picture,
    progressBar,
    listView,
    edit
};

struct GadgetSpec {
    int id = 0;
    GadgetKind kind = GadgetKind::button;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;
    std::string tip;
};

// List views show rows of this height under a header of this height.
inline constexpr int listRowHeight = 17;
inline constexpr int listHeaderHeight = 24;

struct ToolButtonSpec {
    int button;
    int picture;
    const char* tip;
};

}  // namespace seamster
