#pragma once
// Window layouts as data: what each gadget is, where it goes and what it says.

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

struct ToolButtonSpec {
    int button;
    int picture;
    const char* tip;
};

}  // namespace seamster
