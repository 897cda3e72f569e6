// Pictures shown in windows: an Image must reach the screen pixel for pixel
// (rows of a 24-bit bitmap are padded, and its colours are stored
// blue-first), and text is written onto a picture without covering what lies
// between the letters.

#include <gtest/gtest.h>

#include "ui/ImageBitmap.h"
#include "ui/Toolkit.h"

namespace seamster {
namespace {

Image pattern(int width, int height) {
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, {uint8_t(x * 37), uint8_t(y * 11), uint8_t(x ^ y)});
    return image;
}

TEST(ImageBitmap, PixelsSurviveTheRoundTripAtEveryRowPadding) {
    for (int width : {1, 2, 3, 4, 5, 218}) {
        const Image image = pattern(width, 7);
        BitmapHandle bitmap = ui::bitmapFromImage(image);
        ASSERT_TRUE(bitmap) << width;
        BITMAP shape = {};
        GetObjectW(bitmap.get(), sizeof(shape), &shape);
        EXPECT_EQ(shape.bmWidth, width);
        EXPECT_EQ(shape.bmHeight, 7);
        EXPECT_EQ(ui::imageFromBitmap(bitmap.get()), image) << width;
    }
    EXPECT_FALSE(ui::bitmapFromImage(Image()));
    EXPECT_FALSE(ui::imageFromBitmap(nullptr));
}

struct Extent {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};

// Where pixels of `colour` are, in a picture that began all `background`.
Extent changedArea(const Image& image, Rgb background) {
    Extent e;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background) continue;
            e.left = std::min(e.left, x), e.right = std::max(e.right, x);
            e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
            ++e.count;
        }
    }
    return e;
}

TEST(ImageBitmap, TextIsWrittenAtItsCornerAndLetsThePictureShowThrough) {
    ui::Toolkit toolkit(GetModuleHandleW(nullptr));
    toolkit.loadFonts();
    const Rgb red{200, 0, 0};
    BitmapHandle bitmap = ui::bitmapFromImage(*Image::create(218, 162, red));
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(ui::drawTextOnBitmap(bitmap.get(), " <F5>  Background", toolkit.font(3), 46, 142,
                                     RGB(255, 255, 255)));
    const Image drawn = *ui::imageFromBitmap(bitmap.get());
    const Extent text = changedArea(drawn, red);
    ASSERT_GT(text.count, 50);
    // Below and right of the corner (the leading blank leaves a gap), on
    // the picture, and about one line of a 10-point font high.
    EXPECT_GE(text.left, 46);
    EXPECT_GE(text.top, 142);
    EXPECT_LE(text.bottom, 161);
    EXPECT_GT(text.right, 120);
    // Transparent: most of the text's box still shows the picture.
    int untouched = 0;
    for (int y = text.top; y <= text.bottom; ++y)
        for (int x = text.left; x <= text.right; ++x) untouched += drawn.pixel(x, y) == red;
    EXPECT_GT(untouched, (text.right - text.left + 1) * (text.bottom - text.top + 1) / 3);
    // White where the letters are.
    bool white = false;
    for (int y = text.top; y <= text.bottom && !white; ++y)
        for (int x = text.left; x <= text.right && !white; ++x)
            white = drawn.pixel(x, y) == Rgb{255, 255, 255};
    EXPECT_TRUE(white);

    EXPECT_FALSE(ui::drawTextOnBitmap(nullptr, "x", toolkit.font(3), 0, 0, 0));
}

}  // namespace
}  // namespace seamster
