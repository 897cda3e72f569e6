// The quick 1/8 JPEG reader against the library's own 1/8 decode of the same
// files: the same pixels where the library, too, takes only the block
// averages (greyscale, colour without subsampling), close where it works the
// subsampled colour out in more detail; and nothing at all for files it
// leaves to the library.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "PictureSamples.h"
#include "images/JpegBlockAverages.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

using samples::JpegOptions;
using samples::libraryEighth;
using samples::makeJpeg;

// A picture with broad gradients and fine noise, so that every kind of
// coefficient, long codes and full blocks included, turns up.
Image photoLike(int width, int height, int noise) {
    Image image = *Image::create(width, height);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int n = noise ? int(state >> 24) % (2 * noise + 1) - noise : 0;
            image.setPixel(x, y,
                           {uint8_t(std::clamp(x * 255 / width + n, 0, 255)),
                            uint8_t(std::clamp(y * 255 / height - n, 0, 255)),
                            uint8_t(std::clamp(128 + ((x / 5 + y / 3) % 60) + n, 0, 255))});
        }
    }
    return image;
}

std::optional<DecodedPicture> quick(const std::string& bytes,
                                    Threading threading = Threading::single) {
    return decodeJpegBlockAverages(bytes, 1, 1, threading);
}

TEST(JpegBlockAverages, SameAsTheLibraryWhereItTooTakesTheAverages) {
    // Sizes that are no multiple of a block, and a picture of a single block.
    for (const auto& [width, height] : {std::pair{203, 157}, std::pair{8, 8}, std::pair{9, 17}}) {
        for (int noise : {0, 60}) {
            const Image picture = photoLike(width, height, noise);
            for (const JpegOptions& how :
                 {JpegOptions{.grey = true, .quality = 100},
                  JpegOptions{.grey = true, .quality = 50}, JpegOptions{.quality = 100},
                  JpegOptions{.quality = 75, .adobe = true}}) {
                const std::string jpeg = makeJpeg(picture, how);
                const auto decoded = quick(jpeg);
                ASSERT_TRUE(decoded.has_value()) << width << " " << noise << " " << how.quality;
                EXPECT_EQ(decoded->originalWidth, width);
                EXPECT_EQ(decoded->originalHeight, height);
                EXPECT_EQ(decoded->image, *libraryEighth(jpeg))
                    << width << "x" << height << " noise " << noise << " grey " << how.grey
                    << " quality " << how.quality;
            }
        }
    }
}

TEST(JpegBlockAverages, SubsampledColourLandsWhereTheLibraryPutsIt) {
    // Where every block is even, it holds only its average, and the
    // library's picture is exactly the averages too: colours even over each
    // MCU, and greys (which carry no colour at all) even over each block.
    uint32_t state = 99;
    for (const auto& [tile, grey] : {std::pair{16, false}, std::pair{8, true}}) {
        Image tiles = *Image::create(203, 117);
        for (int y = 0; y < tiles.height(); y += tile) {
            for (int x = 0; x < tiles.width(); x += tile) {
                state = state * 1664525u + 1013904223u;
                const Rgb colour =
                    grey ? Rgb{uint8_t(state >> 8), uint8_t(state >> 8), uint8_t(state >> 8)}
                         : Rgb{uint8_t(state >> 8), uint8_t(state >> 16), uint8_t(state >> 24)};
                tiles.draw(*Image::create(tile, tile, colour), x, y);
            }
        }
        const std::string flat = makeJpeg(tiles, {.subsampled = true, .quality = 95});
        const auto decoded = quick(flat);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->image, *libraryEighth(flat)) << tile;
    }

    // On a photo the library works out subsampled colour from more than the
    // averages, so the two differ a little along colour edges.
    const std::string photo = makeJpeg(photoLike(331, 245, 8), {.subsampled = true});
    const auto fromPhoto = quick(photo);
    ASSERT_TRUE(fromPhoto.has_value());
    const Image library = *libraryEighth(photo);
    ASSERT_EQ(fromPhoto->image.width(), library.width());
    ASSERT_EQ(fromPhoto->image.height(), library.height());
    double total = 0;
    for (size_t i = 0; i < library.bytes().size(); ++i) {
        total += std::abs(int(fromPhoto->image.bytes()[i]) - int(library.bytes()[i]));
    }
    EXPECT_LE(total / double(library.bytes().size()), 3.0);
}

TEST(JpegBlockAverages, RestartMarkersChangeNothing) {
    const Image picture = photoLike(250, 130, 30);
    for (bool subsampled : {false, true}) {
        const auto plain = quick(makeJpeg(picture, {.subsampled = subsampled}));
        ASSERT_TRUE(plain.has_value());
        for (int interval : {1, 5, 32, 1000}) {
            const auto restarted =
                quick(makeJpeg(picture, {.subsampled = subsampled, .restartInterval = interval}));
            ASSERT_TRUE(restarted.has_value()) << interval;
            EXPECT_EQ(restarted->image, plain->image) << interval;
        }
    }
}

void expectSame(const std::optional<DecodedPicture>& a, const std::optional<DecodedPicture>& b,
                const std::string& what) {
    ASSERT_EQ(a.has_value(), b.has_value()) << what;
    if (a) {
        EXPECT_EQ(a->image, b->image) << what;
    }
}

TEST(JpegBlockAverages, TwoReadersGiveWhatOneGives) {
    // The second reader starts in the middle of the data, wherever that is
    // in the code; the pictures differ in how soon it falls into step.
    for (int noise : {0, 5, 40, 120}) {
        const Image picture = photoLike(280 + noise, 190, noise);
        for (const JpegOptions& how :
             {JpegOptions{}, JpegOptions{.subsampled = true},
              JpegOptions{.grey = true, .quality = 100}, JpegOptions{.quality = 30},
              JpegOptions{.subsampled = true, .restartInterval = 4},
              JpegOptions{.restartInterval = 1000}}) {
            const std::string jpeg = makeJpeg(picture, how);
            const std::string what = "noise " + std::to_string(noise) + " quality " +
                                     std::to_string(how.quality) + " restarts " +
                                     std::to_string(how.restartInterval);
            const auto one = quick(jpeg);
            ASSERT_TRUE(one.has_value()) << what;
            expectSame(quick(jpeg, Threading::always), one, what);
            // Damage in either half: the same picture or nothing, as with one.
            for (size_t at : {jpeg.size() / 3, jpeg.size() / 2 + 5, jpeg.size() * 4 / 5}) {
                std::string damaged = jpeg;
                damaged[at] = char(damaged[at] ^ 0x5A);
                expectSame(quick(damaged, Threading::always), quick(damaged),
                           what + " damaged at " + std::to_string(at));
            }
        }
    }
}

TEST(JpegBlockAverages, LeavesOtherFilesToTheLibrary) {
    const Image picture = photoLike(64, 48, 10);
    for (const JpegOptions& how :
         {JpegOptions{.progressive = true}, JpegOptions{.arithmetic = true},
          JpegOptions{.storedRgb = true}}) {
        const std::string jpeg = makeJpeg(picture, how);
        EXPECT_FALSE(quick(jpeg).has_value());
        // The thumbnail still comes, from the library.
        const auto thumbnail = decodeJpegScaled(jpeg, 8, 6);
        ASSERT_TRUE(thumbnail.has_value());
        EXPECT_EQ(thumbnail->image.width(), 8);
    }
    // Not wanted where 1/8 would be smaller than the size asked for.
    const std::string jpeg = makeJpeg(picture, {});
    EXPECT_FALSE(decodeJpegBlockAverages(jpeg, 9, 1).has_value());
    EXPECT_FALSE(decodeJpegBlockAverages(jpeg, 1, 7).has_value());
    EXPECT_TRUE(decodeJpegBlockAverages(jpeg, 8, 6).has_value());
    // A picture smaller than the size asked for at all is taken at 1/8 only
    // when that is its full size.
    EXPECT_FALSE(decodeJpegBlockAverages(jpeg, 1000, 1000).has_value());
}

TEST(JpegBlockAverages, DamagedFilesGiveNothingOrAPictureNeverACrash) {
    const Image picture = photoLike(96, 64, 40);
    for (int interval : {0, 3}) {
        const std::string jpeg =
            makeJpeg(picture, {.subsampled = true, .restartInterval = interval});
        const Image whole = quick(jpeg)->image;
        // Cut anywhere: the end of the data is missing, so nothing comes (the
        // library then shows what there is). Every length within the headers,
        // then a sample of lengths within the data.
        const size_t dataStart = jpeg.find("\xFF\xDA") + 14;
        for (size_t length = 0; length + 2 < jpeg.size();
             length += length < dataStart ? 1 : 1 + length % 17) {
            EXPECT_FALSE(quick(jpeg.substr(0, length)).has_value()) << length;
        }
        EXPECT_TRUE(decodeJpegScaled(jpeg.substr(0, jpeg.size() * 3 / 4), 12, 8).has_value());
        // Any byte changed: a picture of the right size or nothing.
        for (size_t at = 2; at < jpeg.size(); at += 1 + at % 13) {
            std::string damaged = jpeg;
            damaged[at] = char(damaged[at] ^ (at % 2 ? 0xFF : 0x24));
            const auto decoded = quick(damaged);
            if (decoded) {
                EXPECT_LE(decoded->image.width() * 8, 32768);
            }
        }
        EXPECT_EQ(quick(jpeg)->image, whole);
    }
    // A table whose code lengths cannot be: more codes of one length than there
    // are codes of that length.
    std::string jpeg = makeJpeg(picture, {});
    const size_t table = jpeg.find("\xFF\xC4");
    ASSERT_NE(table, std::string::npos);
    jpeg[table + 5] = 3;  // three codes of length 1
    EXPECT_FALSE(quick(jpeg).has_value());
}

}  // namespace
}  // namespace seamster
