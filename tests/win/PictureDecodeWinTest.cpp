// The decoders and fitting modes in the shipped Windows build: libjpeg and
// libpng report errors by jumping out of their own code, which has to work
// with this compiler's unwinding; and fitted pictures must match the native
// build to the byte.

#include <gtest/gtest.h>

#include "../unit/FittingGolden.h"
#include "../unit/PictureSamples.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

using namespace samples;

TEST(PictureDecodeOnWindows, DamagedJpegAndPngFilesFailAndDecodingGoesOn) {
    const Image picture = blockPicture(24, 16);
    PngRecipe recipe;
    recipe.width = 24, recipe.height = 16, recipe.colourType = 2, recipe.interlaced = true;
    for (uint8_t v : picture.bytes()) recipe.samples.push_back(v);
    const std::string files[] = {makePng(recipe), makeJpeg(picture, JpegKind::progressive),
                                 makeJpeg(picture, JpegKind::adobeCmyk)};
    for (const std::string& file : files) {
        ASSERT_TRUE(decodePicture(file).has_value());
        for (size_t length = 0; length < file.size(); length += 3) {
            std::string damaged = file.substr(0, length);
            decodePicture(damaged);
            if (length > 40) damaged[length / 2] = char(damaged[length / 2] ^ 0x5A);
            decodePicture(damaged);
        }
        std::string garbage = file.substr(0, 20) + std::string(200, '\x3C');
        EXPECT_FALSE(decodePicture(garbage).has_value());
        // Every error above was a jump out of the library; the next
        // picture still decodes.
        EXPECT_EQ(decodePicture(makePng(recipe)), picture);
    }
}

TEST(PictureDecodeOnWindows, FittedPicturesMatchTheNativeBuild) {
    const auto actual = golden::fitAll();
    const auto& expected = golden::expected();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].fingerprint, expected[i].fingerprint) << expected[i].name;
    }
}

}  // namespace
}  // namespace seamster
