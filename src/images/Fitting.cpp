#include "images/Fitting.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace seamster {
namespace {

constexpr float bandLow = 1.2f;
constexpr float bandHigh = 1.4f;
constexpr int thumbnailBox = 200;
constexpr int thumbnailCentreX = 520;
constexpr int thumbnailCentreY = 130;

// The source repeated from (0, 0) in both directions, cut at the edges; the
// same as drawing it at every multiple of its size.
std::optional<Image> tile(const Image& source, OutputSize output) {
    auto result = Image::create(output.width, output.height);
    if (!result || source.empty()) return result;
    const size_t sourceRowBytes = size_t(source.width()) * 3;
    for (int y = 0; y < output.height; ++y) {
        const uint8_t* in = source.row(y % source.height());
        uint8_t* out = result->row(y);
        for (size_t done = 0, total = size_t(output.width) * 3; done < total;) {
            const size_t span = std::min(sourceRowBytes, total - done);
            std::memcpy(out + done, in, span);
            done += span;
        }
    }
    return result;
}

std::optional<Image> smartSize(const Image& source, OutputSize output) {
    const SmartSizePlacement p = smartSizePlacement(source.width(), source.height(), output);
    if (p.stretch) return scaleImage(source, output.width, output.height);
    // Only the part that lands on the output is computed.
    return scaleImageWindow(source, p.width, p.height, -p.left, -p.top, output.width,
                            output.height);
}

int clampTo(int value, int low, int high) {
    // Raised first, then lowered: on a screen too small for the window the
    // upper bound wins.
    if (value < low) value = low;
    if (value > high) value = high;
    return value;
}

}  // namespace

int roundHalfEven(float value) {
    // Outside the int range (or not a number) there is nothing sensible to
    // round to; the callers' sizes never get there.
    if (!(value > -2147483520.0f && value < 2147483520.0f)) return value > 0 ? INT_MAX : INT_MIN;
    const float below = std::floor(value);
    const float fraction = value - below;  // exact for floats
    int result = int(below);
    if (fraction > 0.5f || (fraction == 0.5f && result % 2 != 0)) ++result;
    return result;
}

float aspectRatioOf(int width, int height) { return float(width) / float(height); }

bool insideSmartSizeBand(float ratio) { return !(ratio > bandHigh || ratio < bandLow); }

SmartSizePlacement smartSizePlacement(int sourceWidth, int sourceHeight, OutputSize output) {
    SmartSizePlacement p;
    const float ratio = aspectRatioOf(sourceWidth, sourceHeight);
    if (insideSmartSizeBand(ratio)) {
        p.stretch = true;
        p.scaledWidth = float(output.width);
        p.scaledHeight = float(output.height);
    } else if (ratio < bandLow) {  // taller: fill the width, cut top and bottom
        p.scaledWidth = float(output.width);
        p.scaledHeight = float(sourceHeight) * (float(output.width) / float(sourceWidth));
        p.top = roundHalfEven((float(output.height) - p.scaledHeight) / 2.0f);
    } else {  // wider: fill the height, cut left and right
        p.scaledHeight = float(output.height);
        p.scaledWidth = float(sourceWidth) * (float(output.height) / float(sourceHeight));
        p.left = roundHalfEven((float(output.width) - p.scaledWidth) / 2.0f);
    }
    p.width = roundHalfEven(p.scaledWidth);
    p.height = roundHalfEven(p.scaledHeight);
    return p;
}

std::optional<Image> composeBackground(const Image& source, FitMode mode, OutputSize output) {
    if (source.empty()) return std::nullopt;
    switch (mode) {
    case FitMode::smartSize: return smartSize(source, output);
    case FitMode::originalSize: return source.region(0, 0, output.width, output.height);
    case FitMode::stretchImage: return scaleImage(source, output.width, output.height);
    case FitMode::tileImage: return tile(source, output);
    }
    return std::nullopt;
}

std::optional<Image> makePreviewCopy(const Image& composed) {
    return scaleImage(composed, previewCopySize.width, previewCopySize.height);
}

void applyPreviewRules(int sourceWidth, int sourceHeight, OutputSize output,
                       PreviewOptions& options) {
    if (sourceWidth < output.width || sourceHeight < output.height) {
        options.tileEnabled = true;
    } else {
        // Tiling a picture that already covers the output shows nothing new.
        if (options.mode == FitMode::tileImage) options.mode = FitMode::originalSize;
        options.tileEnabled = false;
    }
    const bool exactSize = sourceWidth == output.width && sourceHeight == output.height;
    options.stretchEnabled = options.smartEnabled = !exactSize;
    if (exactSize) options.mode = FitMode::originalSize;
}

bool smartSizeEnabledAtOpen(int sourceWidth, int sourceHeight) {
    return !insideSmartSizeBand(aspectRatioOf(sourceWidth, sourceHeight));
}

int requesterLeft(int windowX) { return std::max(windowX - 55, 10); }

ScreenPoint previewWindowPosition(int windowX, int windowY, int screenWidth, int screenHeight) {
    return {clampTo(windowX + 50, 20, screenWidth - 560),
            clampTo(windowY - 80, 20, screenHeight - 580)};
}

ThumbnailPlacement chooserThumbnailPlacement(int pictureWidth, int pictureHeight) {
    int width = pictureWidth, height = pictureHeight;
    if (width > thumbnailBox || height > thumbnailBox) {
        const float ratio = aspectRatioOf(pictureWidth, pictureHeight);
        if (width > thumbnailBox) {
            width = thumbnailBox;
            height = roundHalfEven(float(thumbnailBox) / ratio);
        }
        if (height > thumbnailBox) {
            height = thumbnailBox;
            width = roundHalfEven(float(thumbnailBox) * ratio);
        }
    }
    // A sliver of a picture still gets one pixel to show.
    width = std::max(width, 1);
    height = std::max(height, 1);
    return {thumbnailCentreX - width / 2, thumbnailCentreY - height / 2, width, height};
}

std::string chooserSizeCaption(int pictureWidth, int pictureHeight) {
    return std::to_string(pictureWidth) + " X " + std::to_string(pictureHeight);
}

Image chooserPlaceholder() {
    Image image = *Image::create(thumbnailBox, thumbnailBox);
    const Rgb red{255, 0, 0};
    // Lines from (0, 0) to (200, 200) and from (0, 200) to (200, 0), end
    // points included; the parts outside the picture are cut.
    for (int i = 0; i <= thumbnailBox; ++i) {
        if (i < thumbnailBox) image.setPixel(i, i, red);
        const int y = thumbnailBox - i;
        if (i < thumbnailBox && y < thumbnailBox) image.setPixel(i, y, red);
    }
    return image;
}

std::optional<Image> backgroundThumbnail(const Image* background, OutputSize bodyShop,
                                         Rgb backgroundColour) {
    if (!background || background->empty()) {
        return Image::create(backgroundThumbnailSize.width, backgroundThumbnailSize.height,
                             backgroundColour);
    }
    const auto canvas = background->region(0, 0, bodyShop.width, bodyShop.height);
    if (!canvas) return std::nullopt;
    return scaleImage(*canvas, backgroundThumbnailSize.width, backgroundThumbnailSize.height);
}

}  // namespace seamster
