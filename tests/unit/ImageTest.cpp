#include <gtest/gtest.h>

#include <climits>

#include "images/Scaling.h"

namespace seamster {
namespace {

Image greys(int width, int height, const std::vector<uint8_t>& values) {
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t v = values[size_t(y * width + x)];
            image.setPixel(x, y, {v, v, v});
        }
    }
    return image;
}

std::vector<uint8_t> redsOf(const std::optional<Image>& image) {
    std::vector<uint8_t> out;
    if (!image) return out;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) out.push_back(image->pixel(x, y).r);
    }
    return out;
}

TEST(Image, SizeLimitsAndColourValues) {
    EXPECT_TRUE(Image::sizeAllowed(32768, 2048));  // exactly 64 megapixels
    EXPECT_FALSE(Image::sizeAllowed(8193, 8192));
    EXPECT_FALSE(Image::sizeAllowed(32769, 1));
    EXPECT_FALSE(Image::sizeAllowed(0, 10));
    EXPECT_FALSE(Image::create(-5, 5).has_value());
    EXPECT_FALSE(Image::create(100000, 100000).has_value());
    const auto filled = Image::create(2, 1, {1, 2, 3});
    ASSERT_TRUE(filled.has_value());
    EXPECT_EQ(filled->bytes(), (std::vector<uint8_t>{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(rgbFromColorValue(0x00030201), (Rgb{1, 2, 3}));
    EXPECT_EQ(colorValueOf({0x11, 0x22, 0x33}), 0x00332211u);
}

TEST(Image, RegionsAndDrawingAreClipped) {
    const Image source = greys(2, 2, {10, 20, 30, 40});
    EXPECT_EQ(redsOf(source.region(-1, -1, 3, 3)),
              (std::vector<uint8_t>{0, 0, 0, 0, 10, 20, 0, 30, 40}));
    EXPECT_EQ(redsOf(source.region(1, 1, 2, 1)), (std::vector<uint8_t>{40, 0}));
    EXPECT_EQ(redsOf(source.region(INT_MIN, INT_MAX, 1, 1)), (std::vector<uint8_t>{0}));
    Image target = greys(3, 1, {1, 2, 3});
    target.draw(source, 2, -1);
    EXPECT_EQ(redsOf(target), (std::vector<uint8_t>{1, 2, 30}));
    target.draw(source, INT_MAX, INT_MIN);
    target.draw(source, INT_MIN, 0);
    EXPECT_EQ(redsOf(target), (std::vector<uint8_t>{1, 2, 30}));
}

TEST(Scaling, ShrinkingAveragesAreas) {
    EXPECT_EQ(redsOf(scaleImage(greys(4, 1, {0, 100, 200, 40}), 2, 1)),
              (std::vector<uint8_t>{50, 120}));
    // Two thirds: the middle pixel is shared half and half.
    EXPECT_EQ(redsOf(scaleImage(greys(3, 1, {0, 90, 180}), 2, 1)), (std::vector<uint8_t>{30, 150}));
    EXPECT_EQ(redsOf(scaleImage(greys(2, 2, {0, 100, 200, 40}), 1, 1)), (std::vector<uint8_t>{85}));
}

TEST(Scaling, StrongShrinksWeighPartlyCoveredPixels) {
    // Nine to two: each target pixel covers four and a half source pixels,
    // and the middle one is shared, across as well as down.
    const std::vector<uint8_t> values{10, 20, 30, 40, 50, 60, 70, 80, 90};
    EXPECT_EQ(redsOf(scaleImage(greys(9, 1, values), 2, 1)), (std::vector<uint8_t>{28, 72}));
    EXPECT_EQ(redsOf(scaleImage(greys(1, 9, values), 1, 2)), (std::vector<uint8_t>{28, 72}));
    // A window that starts above the scaled picture: its first row is black.
    EXPECT_EQ(redsOf(scaleImageWindow(greys(1, 9, values), 1, 2, 0, -1, 1, 3)),
              (std::vector<uint8_t>{0, 28, 72}));
}

TEST(Scaling, EnlargingInterpolatesBetweenPixelCentres) {
    EXPECT_EQ(redsOf(scaleImage(greys(2, 1, {0, 200}), 4, 1)),
              (std::vector<uint8_t>{0, 50, 150, 200}));
    // Shrinking across and growing down in one go.
    EXPECT_EQ(redsOf(scaleImage(greys(2, 2, {0, 100, 200, 100}), 1, 4)),
              (std::vector<uint8_t>{50, 75, 125, 150}));
}

TEST(Scaling, KeepsFlatColoursAndSameSizePictures) {
    const Image flat = *Image::create(37, 23, {12, 200, 99});
    for (auto [w, h] : {std::pair{5, 71}, {100, 3}, {37, 23}, {1, 1}, {74, 46}}) {
        const auto scaled = scaleImage(flat, w, h);
        ASSERT_TRUE(scaled.has_value());
        EXPECT_EQ(*scaled, *Image::create(w, h, {12, 200, 99})) << w << "x" << h;
    }
    const Image mixed = greys(3, 2, {1, 50, 99, 255, 0, 7});
    EXPECT_EQ(scaleImage(mixed, 3, 2), mixed);
    EXPECT_FALSE(scaleImage(Image(), 3, 3).has_value());
    EXPECT_FALSE(scaleImage(mixed, 0, 3).has_value());
}

TEST(Scaling, WindowsMatchTheWholeScaledPicture) {
    Image source = *Image::create(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            source.setPixel(x, y, {uint8_t(x * 30), uint8_t(y * 50), uint8_t(x * y * 7)});
        }
    }
    for (auto [w, h] : {std::pair{13, 9}, {3, 11}, {4, 2}}) {
        const Image whole = *scaleImage(source, w, h);
        for (auto [left, top] : {std::pair{0, 0}, {2, 1}, {-3, -2}, {w - 1, h - 1}}) {
            EXPECT_EQ(scaleImageWindow(source, w, h, left, top, 4, 3),
                      whole.region(left, top, 4, 3))
                << w << "x" << h << " at " << left << "," << top;
        }
    }
}

TEST(Scaling, TwoThreadsGiveWhatOneGives) {
    // Each half of the target scales the source rows it needs itself; the
    // rows where the halves meet must come out as from one thread.
    Image source = *Image::create(203, 151);
    uint32_t state = 7;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            source.setPixel(x, y, {uint8_t(state >> 24), uint8_t(x + y), uint8_t(state >> 8)});
        }
    }
    struct Case {
        int scaledWidth, scaledHeight, left, top, width, height;
    };
    const Case cases[] = {
        {67, 49, 0, 0, 67, 49},       // shrinking
        {500, 377, 0, 0, 500, 377},   // enlarging
        {90, 300, 0, 0, 90, 300},     // shrinking across, enlarging down
        {400, 300, -20, 35, 150, 7},  // a window, partly outside
        {150, 2, 0, 0, 150, 2},       // two rows, one for each thread
    };
    for (const Case& c : cases) {
        const auto one = scaleImageWindow(source, c.scaledWidth, c.scaledHeight, c.left, c.top,
                                          c.width, c.height, Threading::single);
        const auto two = scaleImageWindow(source, c.scaledWidth, c.scaledHeight, c.left, c.top,
                                          c.width, c.height, Threading::always);
        ASSERT_TRUE(one.has_value());
        EXPECT_EQ(two, one) << c.scaledWidth << "x" << c.scaledHeight;
    }
}

TEST(Scaling, WindowsOfPicturesScaledBeyondTheSizeLimit) {
    Image strip = *Image::create(1, 3);
    strip.setPixel(0, 0, {255, 0, 0});
    strip.setPixel(0, 1, {0, 255, 0});
    strip.setPixel(0, 2, {0, 0, 255});
    const auto middle = scaleImageWindow(strip, 800, 30000000, 0, 15000000, 800, 2);
    ASSERT_TRUE(middle.has_value());
    EXPECT_EQ(middle->pixel(799, 1), (Rgb{0, 255, 0}));
    const auto aboveTop = scaleImageWindow(strip, 1, 30000000, 0, -5, 1, 10);
    ASSERT_TRUE(aboveTop.has_value());
    EXPECT_EQ(aboveTop->pixel(0, 4), (Rgb{}));
    EXPECT_EQ(aboveTop->pixel(0, 5), (Rgb{255, 0, 0}));
}

}  // namespace
}  // namespace seamster
