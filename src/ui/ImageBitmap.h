#pragma once
// Showing pictures: a portable Image becomes a bitmap that windows can show,
// and text is written onto such a bitmap with one of the program's fonts.

#include <windows.h>

#include <optional>
#include <string>

#include "core/Image.h"
#include "platform/win32/Handles.h"
#include "ui/Gadgets.h"

namespace seamster::ui {

// A 24-bit device-independent bitmap with the image's pixels; empty when
// the bitmap cannot be created.
BitmapHandle bitmapFromImage(const Image& image);

// The pixels of a bitmap read back as 24-bit colour; nothing when they
// cannot be read. The bitmap must not be selected into a device context.
std::optional<Image> imageFromBitmap(HBITMAP bitmap);

// Writes `text` onto the bitmap with its top-left corner at (x, y) in
// `colour`, in transparent mode so the picture shows between the letters.
// False when the bitmap cannot be drawn on.
bool drawTextOnBitmap(HBITMAP bitmap, const std::string& text, HFONT font, int x, int y,
                      Colour colour);

}  // namespace seamster::ui
