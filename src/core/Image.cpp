#include "core/Image.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace seamster {

Rgb rgbFromColorValue(uint32_t value) {
    return {uint8_t(value & 0xFF), uint8_t((value >> 8) & 0xFF), uint8_t((value >> 16) & 0xFF)};
}

uint32_t colorValueOf(Rgb colour) {
    return uint32_t(colour.r) | (uint32_t(colour.g) << 8) | (uint32_t(colour.b) << 16);
}

bool Image::sizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= maxDimension && height <= maxDimension &&
           width * height <= maxPixels;
}

std::optional<Image> Image::create(int width, int height, Rgb fill) {
    if (!sizeAllowed(width, height)) return std::nullopt;
    Image image;
    try {
        image.pixels_.resize(size_t(width) * size_t(height) * 3);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    image.width_ = width;
    image.height_ = height;
    if (fill != Rgb{}) image.fill(fill);
    return image;
}

Rgb Image::pixel(int x, int y) const {
    const uint8_t* p = row(y) + size_t(x) * 3;
    return {p[0], p[1], p[2]};
}

void Image::setPixel(int x, int y, Rgb colour) {
    uint8_t* p = row(y) + size_t(x) * 3;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void Image::fill(Rgb colour) {
    for (size_t i = 0; i + 2 < pixels_.size(); i += 3) {
        pixels_[i] = colour.r;
        pixels_[i + 1] = colour.g;
        pixels_[i + 2] = colour.b;
    }
}

void Image::draw(const Image& source, int x, int y) { drawAt(source, x, y); }

void Image::drawAt(const Image& source, int64_t x, int64_t y) {
    // Clipped in 64 bits, where x + source width cannot overflow.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + source.width_, width_);
    const int64_t bottom = std::min<int64_t>(y + source.height_, height_);
    if (left >= right || top >= bottom) return;
    const size_t span = size_t(right - left) * 3;
    for (int64_t ty = top; ty < bottom; ++ty) {
        const uint8_t* from = source.row(int(ty - y)) + size_t(left - x) * 3;
        std::memcpy(row(int(ty)) + size_t(left) * 3, from, span);
    }
}

std::optional<Image> Image::region(int x, int y, int width, int height) const {
    auto result = create(width, height);
    if (!result) return std::nullopt;
    result->drawAt(*this, -int64_t(x), -int64_t(y));
    return result;
}

}  // namespace seamster
