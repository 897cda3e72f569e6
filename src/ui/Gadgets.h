#pragma once
// Window layouts as data: what each gadget is, where it goes and what it says.
// Plain data, so the layout rules can be tested without windows.

#include <cstdint>
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

// The button Enter presses in its window when the keyboard is not on a
// button, and the one Escape presses.
enum class KeyRole { none, enter, escape };

// What a gadget has beyond, or goes without, the usual look of its kind.
enum Look : unsigned {
    lookNormal = 0,
    lookReadOnly = 1u << 0,     // an edit box that shows but takes no typing
    lookPlain = 1u << 1,        // no border and no tab stop
    lookCentred = 1u << 2,      // text centred in an edit box
    lookNumbersOnly = 1u << 3,  // an edit box that takes digits only
    lookIconOnly = 1u << 4,     // a button that shows an icon instead of text
    lookNaturalSize = 1u << 5,  // a picture at its own size, at the top left
};

struct Gadget {
    int id = 0;
    GadgetKind kind = GadgetKind::button;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;
    std::string tip;
    KeyRole key = KeyRole::none;
    unsigned look = lookNormal;
};

// List views show rows of this height under a header of this height.
inline constexpr int listRowHeight = 17;
inline constexpr int listHeaderHeight = 24;

// A colour as the toolkit takes it: red in bits 0-7, green in 8-15, blue in
// 16-23.
using Colour = uint32_t;
constexpr Colour rgbColour(uint8_t red, uint8_t green, uint8_t blue) {
    return Colour(red) | Colour(green) << 8 | Colour(blue) << 16;
}

// List text colours.
inline constexpr uint32_t kTextBlack = 0x000000;
inline constexpr uint32_t kTextRed = 0x3300CC;  // (204, 0, 51)

// A list row's state bits.
inline constexpr int kRowSelected = 1;
inline constexpr int kRowTicked = 2;

struct ToolButton {
    int button;
    int picture;
    const char* tip;
};

}  // namespace seamster
