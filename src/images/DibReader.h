#pragma once
// Reading device-independent bitmaps: the part shared by .bmp files and by
// the bitmap images inside icons. Internal to the decoders.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Image.h"

namespace seamster::dib {

// Little-endian readers that fail instead of reading past the end.
bool read16(std::string_view bytes, size_t at, uint32_t& value);
bool read32(std::string_view bytes, size_t at, uint32_t& value);

enum Compression : uint32_t { none = 0, rle8 = 1, rle4 = 2, bitFields = 3, alphaBitFields = 6 };

struct Header {
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // rows in the pixel data, always positive
    bool topDown = false;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = none;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    std::vector<Rgb> palette;          // may be shorter than 2^bitsPerPixel
    size_t end = 0;                    // first byte after header, masks and palette
};

// The header at `at`, with its colour masks and palette. The palette stops at
// `paletteLimit` (the start of the pixel data, when known) or at the end of
// the bytes, whichever comes first. `rowsDivisor` is 2 for icon images,
// whose header counts the transparency mask's rows as well.
std::optional<Header> readHeader(std::string_view bytes, size_t at, size_t paletteLimit,
                                 int rowsDivisor, std::string* why);

struct Pixels {
    Image image;
    // Per-pixel alpha (top-down, one byte per pixel) when the format carries
    // one and at least one pixel is not fully transparent; otherwise empty.
    std::vector<uint8_t> alpha;
};

// The pixel data at `at`. With `topByteIsAlpha`, 32-bit pixels without colour
// masks carry alpha in their top byte (as in icons); plain .bmp files ignore it.
// `steps`, when given, grows by the pairs and pixels that run-length data
// took to read.
std::optional<Pixels> readPixels(const Header& header, std::string_view bytes, size_t at,
                                 bool topByteIsAlpha, std::string* why, size_t* steps = nullptr);

// Lays the pixels over black by their alpha.
void compositeOverBlack(Image& image, const std::vector<uint8_t>& alpha);

// Bytes in one stored row of `width` pixels at `bitsPerPixel` (rows are
// padded to four bytes).
int64_t rowStride(int64_t width, uint32_t bitsPerPixel);

}  // namespace seamster::dib
