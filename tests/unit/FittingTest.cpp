#include <gtest/gtest.h>

#include <climits>

#include "FittingGolden.h"
#include "images/Fitting.h"

namespace seamster {
namespace {

// Every pixel different, so any misplacement shows.
Image numbered(int width, int height) {
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, {uint8_t(x * 7 + 1), uint8_t(y * 11 + 1), uint8_t(x ^ y)});
        }
    }
    return image;
}

TEST(Fitting, RoundsHalvesToEven) {
    const std::pair<float, int> cases[] = {
        {0.5f, 0},         {1.5f, 2},       {2.5f, 2},          {-0.5f, 0},
        {-1.5f, -2},       {-366.5f, -366}, {1066.6667f, 1067}, {-133.33333f, -133},
        {149.99999f, 150}, {1e10f, INT_MAX}};
    for (auto [value, expected] : cases) EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(Fitting, SmartSizePlacementKeepsProportionsAndCentres) {
    const auto wide = smartSizePlacement(1600, 900, smallBodyShopSize);
    EXPECT_FALSE(wide.stretch);
    EXPECT_EQ(wide.width, 1067);
    EXPECT_EQ(wide.height, 600);
    EXPECT_EQ(wide.left, -133);
    EXPECT_EQ(wide.top, 0);
    const auto tall = smartSizePlacement(600, 1000, smallBodyShopSize);
    EXPECT_EQ(tall.width, 800);
    EXPECT_EQ(tall.height, 1333);
    EXPECT_EQ(tall.left, 0);
    EXPECT_EQ(tall.top, -367);
    // The band's edges belong to the band.
    EXPECT_TRUE(smartSizePlacement(600, 500, smallBodyShopSize).stretch);
    EXPECT_TRUE(smartSizePlacement(700, 500, largeBodyShopSize).stretch);
    EXPECT_TRUE(smartSizePlacement(1024, 768, smallBodyShopSize).stretch);
    EXPECT_FALSE(smartSizePlacement(701, 500, smallBodyShopSize).stretch);
    EXPECT_FALSE(smartSizePlacement(599, 500, smallBodyShopSize).stretch);
}

TEST(Fitting, OriginalSizeCopiesTheTopLeftCorner) {
    const Image small = numbered(3, 2);
    const auto padded = composeBackground(small, FitMode::originalSize, {4, 3});
    ASSERT_TRUE(padded.has_value());
    EXPECT_EQ(padded->pixel(2, 1), small.pixel(2, 1));
    EXPECT_EQ(padded->pixel(3, 0), (Rgb{}));
    EXPECT_EQ(padded->pixel(0, 2), (Rgb{}));

    Image big = *Image::create(2000, 2000, {9, 9, 9});
    big.setPixel(799, 599, {1, 2, 3});
    big.setPixel(800, 599, {4, 5, 6});
    const auto cut = composeBackground(big, FitMode::originalSize, smallBodyShopSize);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->width(), 800);
    EXPECT_EQ(cut->height(), 600);
    EXPECT_EQ(cut->pixel(799, 599), (Rgb{1, 2, 3}));
    EXPECT_EQ(cut->pixel(0, 0), (Rgb{9, 9, 9}));
}

TEST(Fitting, TilesRepeatFromTheTopLeft) {
    const Image source = numbered(3, 2);
    const auto tiled = composeBackground(source, FitMode::tileImage, {8, 5});
    ASSERT_TRUE(tiled.has_value());
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(tiled->pixel(x, y), source.pixel(x % 3, y % 2)) << x << "," << y;
        }
    }
    const Image photo = numbered(300, 200);
    const auto screen = composeBackground(photo, FitMode::tileImage, smallBodyShopSize);
    ASSERT_TRUE(screen.has_value());
    EXPECT_EQ(screen->pixel(600, 400), photo.pixel(0, 0));
    EXPECT_EQ(screen->pixel(799, 599), photo.pixel(199, 199));
}

TEST(Fitting, StretchAndSmartSize) {
    const Image source = numbered(16, 4);
    EXPECT_EQ(composeBackground(source, FitMode::stretchImage, {8, 6}), scaleImage(source, 8, 6));
    // Four times wider than high at 8 x 6: scaled to 24 x 6, the middle shown.
    EXPECT_EQ(composeBackground(source, FitMode::smartSize, {8, 6}),
              scaleImage(source, 24, 6)->region(8, 0, 8, 6));
    const Image tall = numbered(3, 10);
    const auto p = smartSizePlacement(3, 10, {8, 6});
    EXPECT_EQ(composeBackground(tall, FitMode::smartSize, {8, 6}),
              scaleImage(tall, p.width, p.height)->region(-p.left, -p.top, 8, 6));
    // Inside the band Smart Size stretches.
    const Image fourByThree = numbered(12, 9);
    EXPECT_EQ(composeBackground(fourByThree, FitMode::smartSize, {8, 6}),
              scaleImage(fourByThree, 8, 6));
    // A sliver far outside the band still fills the screen.
    const auto sliver =
        composeBackground(numbered(1, 30000), FitMode::smartSize, smallBodyShopSize);
    ASSERT_TRUE(sliver.has_value());
    EXPECT_EQ(sliver->width(), 800);
    EXPECT_FALSE(composeBackground(Image(), FitMode::stretchImage, smallBodyShopSize).has_value());
}

TEST(Fitting, PreviewOptionRules) {
    struct Case {
        int w, h;
        OutputSize out;
        FitMode before;
        PreviewOptions after;
    };
    const Case cases[] = {
        {1024,
         768,
         largeBodyShopSize,
         FitMode::stretchImage,
         {FitMode::originalSize, false, false, false}},
        {1024,
         768,
         smallBodyShopSize,
         FitMode::tileImage,
         {FitMode::originalSize, false, true, true}},
        {300, 200, smallBodyShopSize, FitMode::tileImage, {FitMode::tileImage, true, true, true}},
        {800, 400, smallBodyShopSize, FitMode::smartSize, {FitMode::smartSize, true, true, true}},
        {800,
         600,
         smallBodyShopSize,
         FitMode::smartSize,
         {FitMode::originalSize, false, false, false}},
    };
    for (const Case& c : cases) {
        PreviewOptions options{c.before, false, false, false};
        applyPreviewRules(c.w, c.h, c.out, options);
        EXPECT_EQ(options, c.after) << c.w << "x" << c.h << " at " << c.out.width;
    }
    EXPECT_FALSE(smartSizeEnabledAtOpen(1024, 768));
    EXPECT_FALSE(smartSizeEnabledAtOpen(600, 500));
    EXPECT_FALSE(smartSizeEnabledAtOpen(700, 500));
    EXPECT_TRUE(smartSizeEnabledAtOpen(1600, 900));
    EXPECT_TRUE(smartSizeEnabledAtOpen(600, 1000));
}

TEST(Fitting, WindowPlacement) {
    EXPECT_EQ(requesterLeft(100), 45);
    EXPECT_EQ(requesterLeft(60), 10);
    EXPECT_EQ(requesterLeft(-300), 10);
    EXPECT_EQ(previewWindowPosition(100, 200, 1920, 1080), (ScreenPoint{150, 120}));
    EXPECT_EQ(previewWindowPosition(-100, 50, 1920, 1080), (ScreenPoint{20, 20}));
    EXPECT_EQ(previewWindowPosition(1900, 1000, 1920, 1080), (ScreenPoint{1360, 500}));
    EXPECT_EQ(previewWindowPosition(100, 200, 500, 400),
              (ScreenPoint{-60, -180}));  // upper bound wins
}

TEST(Fitting, ChooserThumbnails) {
    EXPECT_EQ(chooserThumbnailPlacement(150, 100), (ThumbnailPlacement{445, 80, 150, 100}));
    EXPECT_EQ(chooserThumbnailPlacement(640, 480), (ThumbnailPlacement{420, 55, 200, 150}));
    EXPECT_EQ(chooserThumbnailPlacement(300, 900), (ThumbnailPlacement{487, 30, 67, 200}));
    EXPECT_EQ(chooserThumbnailPlacement(150, 400), (ThumbnailPlacement{483, 30, 75, 200}));
    EXPECT_EQ(chooserThumbnailPlacement(200, 200), (ThumbnailPlacement{420, 30, 200, 200}));
    EXPECT_EQ(chooserThumbnailPlacement(10000, 1).height, 1);
    EXPECT_EQ(chooserSizeCaption(150, 100), "150 X 100");

    const Image placeholder = chooserPlaceholder();
    ASSERT_EQ(placeholder.width(), 200);
    ASSERT_EQ(placeholder.height(), 200);
    const Rgb red{255, 0, 0};
    for (auto [x, y] : {std::pair{0, 0}, {199, 199}, {100, 100}, {1, 199}, {199, 1}}) {
        EXPECT_EQ(placeholder.pixel(x, y), red) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{0, 199}, {199, 0}, {50, 60}}) {
        EXPECT_EQ(placeholder.pixel(x, y), Rgb{}) << x << "," << y;
    }
}

TEST(Fitting, BackgroundThumbnail) {
    const Rgb colour{10, 200, 30};
    const auto none = backgroundThumbnail(nullptr, smallBodyShopSize, colour);
    EXPECT_EQ(none, Image::create(218, 162, colour));
    // A colour background is 1024 x 768 whatever the size; the thumbnail
    // shows its top-left part, all one colour.
    const Image filled = *Image::create(1024, 768, colour);
    EXPECT_EQ(backgroundThumbnail(&filled, smallBodyShopSize, {}), Image::create(218, 162, colour));
    // A smaller background sits in the top-left, the rest black.
    const Image white = *Image::create(640, 480, {255, 255, 255});
    const auto padded = backgroundThumbnail(&white, largeBodyShopSize, colour);
    ASSERT_TRUE(padded.has_value());
    EXPECT_EQ(padded->pixel(135, 100), (Rgb{255, 255, 255}));
    EXPECT_EQ(padded->pixel(137, 0), Rgb{});
    EXPECT_EQ(padded->pixel(0, 102), Rgb{});
    EXPECT_EQ(padded->pixel(217, 161), Rgb{});
}

TEST(Fitting, ResultsAreTheSameOnEveryPlatform) {
    const auto actual = golden::fitAll();
    const auto& expected = golden::expected();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].fingerprint, expected[i].fingerprint)
            << expected[i].name << ": now " << std::hex << actual[i].fingerprint;
    }
}

}  // namespace
}  // namespace seamster
