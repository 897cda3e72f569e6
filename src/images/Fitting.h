#pragma once
// Fitting a chosen picture to the Body Shop's screen, and the geometry and
// pixel work of the picture chooser, the Image Preview window and the main
// window's background thumbnail. Ratios are single-precision floats and every
// rounding goes to the nearest integer with halves to even, so that the
// results match the windows pixel for pixel on every platform.

#include <optional>
#include <string>

#include "images/Scaling.h"

namespace seamster {

// The two screen sizes the Body Shop runs at.
struct OutputSize {
    int width = 800;
    int height = 600;
    friend bool operator==(const OutputSize&, const OutputSize&) = default;
};
inline constexpr OutputSize smallBodyShopSize{800, 600};
inline constexpr OutputSize largeBodyShopSize{1024, 768};

enum class FitMode { originalSize, smartSize, tileImage, stretchImage };

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -366.5 -> -366).
int roundHalfEven(float value);

// Width / height in single precision.
float aspectRatioOf(int width, int height);
// Pictures whose ratio lies in [1.2, 1.4] are close enough to 4:3 that Smart
// Size simply stretches them.
bool insideSmartSizeBand(float ratio);

// How Smart Size places a picture: scaled to fill the output in one direction
// keeping its proportions, centred, the overhang cut on both sides.
struct SmartSizePlacement {
    bool stretch = false;  // inside the band: stretched to the output size instead
    float scaledWidth = 0;
    float scaledHeight = 0;
    int width = 0;  // the rounded scaled size
    int height = 0;
    int left = 0;  // where the scaled picture's top-left corner lands (zero or negative)
    int top = 0;
};
SmartSizePlacement smartSizePlacement(int sourceWidth, int sourceHeight, OutputSize output);

// The fitted background at the output size, or nothing when it cannot be
// created (the caller reports "Image Error").
std::optional<Image> composeBackground(const Image& source, FitMode mode, OutputSize output);

// The Image Preview window's picture gadget shows the background at this size.
inline constexpr OutputSize previewCopySize{534, 400};
std::optional<Image> makePreviewCopy(const Image& composed);

// The states of the preview window's fitting options. After every event the
// options that make no sense for the picture and output size are disabled
// (and switched off in favour of "Original Size"); these rules change states
// only and never recompose.
struct PreviewOptions {
    FitMode mode = FitMode::originalSize;
    bool tileEnabled = true;
    bool stretchEnabled = true;
    bool smartEnabled = true;
    friend bool operator==(const PreviewOptions&, const PreviewOptions&) = default;
};
void applyPreviewRules(int sourceWidth, int sourceHeight, OutputSize output,
                       PreviewOptions& options);
// When the dialog opens, Smart Size is offered only for pictures outside the band.
bool smartSizeEnabledAtOpen(int sourceWidth, int sourceHeight);

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
// The picture requester opens a little left of the main window (it is wider),
// but never closer than 10 pixels to the screen's left edge.
int requesterLeft(int windowX);
// The Image Preview window's top-left corner, kept on screen.
ScreenPoint previewWindowPosition(int windowX, int windowY, int screenWidth, int screenHeight);

// The requester's preview panel: a thumbnail that fits 200 x 200 (smaller
// pictures unscaled), centred on (520, 130) in the requester's frame.
struct ThumbnailPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ThumbnailPlacement&, const ThumbnailPlacement&) = default;
};
ThumbnailPlacement chooserThumbnailPlacement(int pictureWidth, int pictureHeight);
// The caption under the thumbnail, such as "640 X 480".
std::string chooserSizeCaption(int pictureWidth, int pictureHeight);
// The panel's picture when the selection is not a readable picture: 200 x 200
// black with red diagonals (the "No Image Selected" text is drawn on it by
// the toolkit).
Image chooserPlaceholder();

// The main window's view of the current background: its top-left
// Body Shop-size part (padded with black where the background is smaller)
// reduced to 218 x 162 as a whole; without a background, a block of the
// background colour. The caption is drawn on it by the toolkit.
inline constexpr OutputSize backgroundThumbnailSize{218, 162};
std::optional<Image> backgroundThumbnail(const Image* background, OutputSize bodyShop,
                                         Rgb backgroundColour);

}  // namespace seamster
