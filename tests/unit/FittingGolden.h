#pragma once
// Fingerprints of fitted backgrounds, checked both natively and in the
// Windows build: the pictures the user sees must not depend on the compiler.

#include <cstdint>
#include <string>
#include <vector>

#include "images/Fitting.h"

namespace seamster::golden {

inline uint64_t fingerprint(const Image& image) {
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t b : image.bytes()) hash = (hash ^ b) * 1099511628211ull;
    return hash ^ uint64_t(image.width()) << 32 ^ uint64_t(image.height());
}

// A picture with smooth gradients and sharp edges, the same everywhere.
inline Image testPicture(int width, int height) {
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool edge = (x / 13 + y / 7) % 2 == 0;
            image.setPixel(
                x, y,
                {uint8_t(x * 255 / width), uint8_t(y * 255 / height), uint8_t(edge ? 230 : 20)});
        }
    }
    return image;
}

struct Fitted {
    const char* name;
    uint64_t fingerprint;
};

// The fingerprint of every fitting of the test pictures, in a fixed order.
inline std::vector<Fitted> fitAll() {
    const Image wide = testPicture(333, 157), tall = testPicture(157, 333),
                band = testPicture(300, 231);
    std::vector<Fitted> out;
    const auto add = [&](const char* name, const std::optional<Image>& image) {
        out.push_back({name, image ? fingerprint(*image) : 0});
    };
    add("smart wide", composeBackground(wide, FitMode::smartSize, smallBodyShopSize));
    add("smart tall", composeBackground(tall, FitMode::smartSize, largeBodyShopSize));
    add("smart band", composeBackground(band, FitMode::smartSize, smallBodyShopSize));
    add("stretch", composeBackground(tall, FitMode::stretchImage, smallBodyShopSize));
    add("tile", composeBackground(wide, FitMode::tileImage, largeBodyShopSize));
    add("original", composeBackground(band, FitMode::originalSize, smallBodyShopSize));
    const auto fitted = composeBackground(wide, FitMode::smartSize, largeBodyShopSize);
    add("preview", makePreviewCopy(*fitted));
    add("thumbnail", backgroundThumbnail(&*fitted, smallBodyShopSize, {}));
    return out;
}

// Recorded from the native build; the Windows build must give the same.
inline const std::vector<Fitted>& expected() {
    static const std::vector<Fitted> values = {
        {"smart wide", 0xee7da817c322732cull}, {"smart tall", 0x5099024473d483fdull},
        {"smart band", 0x937903df87a30611ull}, {"stretch", 0xb0e5de9a33b3a142ull},
        {"tile", 0x5f44a74ce5b9efe1ull},       {"original", 0x72ab5ed04aa65acfull},
        {"preview", 0x0811f999e5b6795bull},    {"thumbnail", 0xad9e231ad3ec4c80ull},
    };
    return values;
}

}  // namespace seamster::golden
