#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <functional>

#include "PictureSamples.h"
#include "fakes/MemoryFileSystem.h"
#include "images/DibReader.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

using namespace samples;

constexpr Rgb black{0, 0, 0};
constexpr Rgb white{255, 255, 255};
constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 255, 0};
constexpr Rgb blue{0, 0, 255};

using Rows = std::vector<std::vector<Rgb>>;

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

void expectPixels(const std::optional<Image>& image, const Rows& rows) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->height(), int(rows.size()));
    ASSERT_EQ(image->width(), int(rows[0].size()));
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            EXPECT_EQ(describe(image->pixel(x, y)), describe(rows[size_t(y)][size_t(x)]))
                << "at " << x << "," << y;
        }
    }
}

std::string palette(const std::vector<Rgb>& colours) {
    Bytes b;
    for (Rgb c : colours) b.bgra(c);
    return b.data;
}

// Every prefix of a valid file must be handled without a crash; when a prefix
// still decodes, it is a picture of the full size.
void expectTruncationsAreSafe(const std::string& file,
                              const std::function<bool(size_t)>& mustFail) {
    const auto full = decodePicture(file);
    ASSERT_TRUE(full.has_value());
    for (size_t length = 0; length < file.size(); ++length) {
        std::string why;
        const auto part = decodePicture(std::string_view(file).substr(0, length), &why);
        if (part) {
            EXPECT_EQ(part->width(), full->width()) << "length " << length;
            EXPECT_EQ(part->height(), full->height()) << "length " << length;
        } else {
            EXPECT_FALSE(why.empty()) << "length " << length;
        }
        if (mustFail(length)) {
            EXPECT_FALSE(part.has_value()) << "length " << length;
        }
    }
}

// ---- Windows bitmaps ----

std::string threeByTwo24(bool topDown) {
    const std::vector<Rgb> top = {red, green, blue}, bottom = {white, black, {10, 20, 30}};
    const std::string rows = topDown ? row24(top) + row24(bottom) : row24(bottom) + row24(top);
    return bmpFile(infoHeader(3, topDown ? -2 : 2, 24), "", rows);
}

TEST(BmpDecoder, TrueColourRowsInEitherOrder) {
    const Rows expected = {{red, green, blue}, {white, black, {10, 20, 30}}};
    expectPixels(decodePicture(threeByTwo24(false)), expected);
    expectPixels(decodePicture(threeByTwo24(true)), expected);
}

TEST(BmpDecoder, IndexedDepthsAndShortPalettes) {
    const Rgb c0{1, 2, 3}, c1{250, 251, 252}, c2{9, 99, 199};
    // 1 bit: 10 pixels 1010110011.
    auto one =
        bmpFile(infoHeader(10, 1, 1), palette({c0, c1}), Bytes().u8(0xAC).u8(0xC0).u16(0).data);
    expectPixels(decodePicture(one), {{c1, c0, c1, c0, c1, c1, c0, c0, c1, c1}});
    // 4 bits with three palette entries: index 15 lies past the palette.
    auto four = bmpFile(infoHeader(3, 1, 4, 0, 3), palette({c0, c1, c2}),
                        Bytes().u8(0x1F).u8(0x20).u16(0).data);
    expectPixels(decodePicture(four), {{c1, black, c2}});
    // 8 bits, bottom-up, four entries.
    auto eight = bmpFile(infoHeader(2, 2, 8, 0, 4), palette({c0, c1, c2, red}),
                         Bytes().u8(2).u8(200).u16(0).u8(0).u8(3).u16(0).data);
    expectPixels(decodePicture(eight), {{c0, red}, {c2, black}});
}

TEST(BmpDecoder, OldOs2HeaderWithThreeBytePaletteCutByThePixelOffset) {
    Bytes header;
    header.u32(12).u16(2).u16(1).u16(1).u16(8);
    const std::string entries = Bytes().bgr(red).bgr(blue).data;  // two of 256
    auto file = bmpFile(header.data, entries, Bytes().u8(1).u8(0).u16(0).data);
    expectPixels(decodePicture(file), {{blue, red}});
}

TEST(BmpDecoder, SixteenAndThirtyTwoBitMasks) {
    // Without masks 16-bit pixels are 5-5-5.
    auto plain16 =
        bmpFile(infoHeader(3, 1, 16), "", Bytes().u16(0x7C00).u16(0x03E0).u16(0x0010).u16(0).data);
    expectPixels(decodePicture(plain16), {{red, green, {0, 0, 132}}});
    // 5-6-5 through masks that follow a 40-byte header.
    auto masks565 = Bytes().u32(0xF800).u32(0x07E0).u32(0x001F).data;
    auto bits565 = bmpFile(infoHeader(2, 1, 16, 3), masks565, Bytes().u16(0x07E0).u16(0x0400).data);
    expectPixels(decodePicture(bits565), {{green, {0, 130, 0}}});
    // Plain 32-bit: the fourth byte is unused, not alpha.
    auto plain32 = bmpFile(infoHeader(1, 1, 32), "", Bytes().bgra({200, 100, 50}, 0x80).data);
    expectPixels(decodePicture(plain32), {{{200, 100, 50}}});
}

TEST(BmpDecoder, AlphaMasksOfNewerHeadersAreLaidOverBlack) {
    const uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    for (uint32_t headerSize : {108u, 124u}) {
        auto withAlpha = bmpFile(infoHeader(2, 1, 32, 3, 0, headerSize, masks), "",
                                 Bytes().bgra({200, 100, 50}, 128).bgra({200, 100, 50}, 255).data);
        expectPixels(decodePicture(withAlpha), {{{100, 50, 25}, {200, 100, 50}}});
    }
    // An alpha channel that is zero everywhere is unused.
    auto unused =
        bmpFile(infoHeader(1, 1, 32, 3, 0, 124, masks), "", Bytes().bgra({7, 8, 9}, 0).data);
    expectPixels(decodePicture(unused), {{{7, 8, 9}}});
}

TEST(BmpDecoder, RunLengthEncodedPictures) {
    const std::string colours = palette({black, red, green, blue});
    Bytes rle8;
    rle8.u8(3).u8(1).u8(0).u8(0);  // bottom row: 3 x red, end of row
    rle8.u8(0).u8(3).u8(2).u8(1).u8(2).u8(0).u8(0).u8(
        0);  // literal green red green + pad, end of row
    rle8.u8(0).u8(2).u8(1).u8(0).u8(5).u8(3).u8(0).u8(
        1);  // skip one, 5 x blue (cut at the edge), end
    auto eight = bmpFile(infoHeader(4, 3, 8, 1, 4), colours, rle8.data);
    expectPixels(decodePicture(eight),
                 {{black, blue, blue, blue}, {green, red, green, black}, {red, red, red, black}});

    Bytes rle4;
    rle4.u8(5).u8(0x12).u8(0).u8(0);                 // 1 2 1 2 1
    rle4.u8(0).u8(3).u8(0x31).u8(0x20).u8(0).u8(1);  // literal 3 1 2, end
    auto four = bmpFile(infoHeader(5, 2, 4, 2, 4), colours, rle4.data);
    expectPixels(decodePicture(four),
                 {{blue, red, green, black, black}, {red, green, red, green, red}});
}

TEST(BmpDecoder, HostileHeadersFailCleanly) {
    const std::string pixel = row24({red});
    struct Case {
        const char* name;
        std::string file;
    };
    Bytes hugeHeaderSize;
    hugeHeaderSize.u32(0xFFFFFFFF).zeros(36);
    const Case cases[] = {
        {"huge picture", bmpFile(infoHeader(100000, 100000, 24), "", pixel)},
        {"too wide", bmpFile(infoHeader(40000, 1, 24), "", pixel)},
        {"too many pixels", bmpFile(infoHeader(32768, 32768, 24), "", pixel)},
        {"no width", bmpFile(infoHeader(0, 1, 24), "", pixel)},
        {"negative width", bmpFile(infoHeader(-1, 1, 24), "", pixel)},
        {"no height", bmpFile(infoHeader(1, 0, 24), "", pixel)},
        {"lowest height", bmpFile(infoHeader(1, INT32_MIN, 24), "", pixel)},
        {"pixels past the end", bmpFile(infoHeader(1, 1, 24), "", pixel, 5000)},
        {"pixels inside the header", bmpFile(infoHeader(1, 1, 24), "", pixel, 20)},
        {"unknown header size", bmpFile(hugeHeaderSize.data, "", pixel)},
        {"depth 2", bmpFile(infoHeader(1, 1, 2), "", pixel)},
        {"depth 0", bmpFile(infoHeader(1, 1, 0), "", pixel)},
        {"embedded JPEG", bmpFile(infoHeader(1, 1, 24, 4), "", pixel)},
        {"masks on 24 bits", bmpFile(infoHeader(1, 1, 24, 3), Bytes().zeros(12).data, pixel)},
        {"run length on 24 bits", bmpFile(infoHeader(1, 1, 24, 1), "", pixel)},
        {"rows missing", bmpFile(infoHeader(1, 3, 24), "", pixel)},
        {"only the signature", "BM"},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(decodePicture(c.file, &why).has_value()) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
    }
}

TEST(BmpDecoder, OverlongPalettesAndRunsStayInsideTheirBounds) {
    // A colour count of four billion: only the entries before the pixels count.
    auto manyColours =
        bmpFile(infoHeader(1, 1, 8, 0, 0xFFFFFFFF), palette({green}), Bytes().u8(0).zeros(3).data);
    expectPixels(decodePicture(manyColours), {{green}});
    // Runs past the right edge, jumps past the top and data after the end.
    Bytes rle;
    rle.u8(255).u8(1).u8(0).u8(2).u8(200).u8(200).u8(9).u8(1);
    auto runaway = bmpFile(infoHeader(2, 1, 8, 1, 2), palette({black, red}), rle.data);
    expectPixels(decodePicture(runaway), {{red, red}});
    // A literal that claims more bytes than there are.
    auto cutLiteral =
        bmpFile(infoHeader(2, 1, 8, 1, 2), palette({black, red}), Bytes().u8(0).u8(200).u8(1).data);
    EXPECT_FALSE(decodePicture(cutLiteral).has_value());
}

TEST(BmpDecoder, RunLengthWorkFollowsThePictureNotTheFile) {
    // A 2 x 1 row filled at once, then thousands of pairs that draw nothing
    // (runs and literals on the full row, jumps of zero): refused after as
    // many steps whatever the length of the file.
    std::vector<size_t> steps;
    for (size_t idle : {1000, 10000}) {
        Bytes rle;
        rle.u8(2).u8(1);
        for (size_t i = 0; i < idle; ++i)
            rle.u8(255).u8(1).u8(0).u8(255).zeros(256).u8(0).u8(2).u8(0).u8(0);
        const std::string file =
            bmpFile(infoHeader(2, 1, 8, 1, 2), palette({black, red}), rle.data);
        std::string why;
        const auto header = dib::readHeader(file, 14, file.size(), 1, &why);
        EXPECT_FALSE(dib::readPixels(*header, file, file.size() - rle.data.size(), false, &why,
                                     &steps.emplace_back()));
        EXPECT_EQ(why, "run-length data does not fit the picture");
    }
    EXPECT_LT(steps[0], 40u);
    EXPECT_EQ(steps[1], steps[0]);
}

TEST(BmpDecoder, TruncatedFilesNeverCrash) {
    const std::string trueColour = threeByTwo24(false);
    // Only the last row's padding may be missing.
    expectTruncationsAreSafe(trueColour,
                             [&](size_t length) { return length < trueColour.size() - 3; });
    Bytes rle;
    rle.u8(3).u8(1).u8(0).u8(0).u8(0).u8(3).u8(2).u8(1).u8(2).u8(0).u8(0).u8(1);
    const std::string runLength =
        bmpFile(infoHeader(4, 2, 8, 1, 4), palette({black, red, green, blue}), rle.data);
    expectTruncationsAreSafe(runLength, [&](size_t length) { return length < 14 + 40 + 16 + 2; });
}

// ---- Icons ----

Image pictureOf(const Rows& rows) {
    Image image = *Image::create(int(rows[0].size()), int(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) image.setPixel(int(x), int(y), rows[y][x]);
    }
    return image;
}

TEST(IcoDecoder, MaskedPixelsBecomeBlack) {
    const Rgb grey{90, 90, 90};
    // Three wide: both the colour rows and the mask rows carry padding.
    const Image colours = pictureOf({{red, grey, blue}, {grey, green, white}});
    const std::string icon =
        icoFile({{3, 2, 24, icoBitmap(colours, {false, true, false, true, false, false}, 24)}});
    expectPixels(decodePicture(icon), {{red, black, blue}, {black, green, white}});
}

TEST(IcoDecoder, AlphaWinsOverTheMaskUnlessItIsEmpty) {
    const Image colours = pictureOf({{{200, 100, 50}, red}, {green, blue}});
    const std::vector<bool> mask = {false, false, true, false};
    const std::string withAlpha =
        icoFile({{2, 2, 32, icoBitmap(colours, mask, 32, {128, 0, 255, 255})}});
    expectPixels(decodePicture(withAlpha), {{{100, 50, 25}, black}, {green, blue}});
    const std::string zeroAlpha = icoFile({{2, 2, 32, icoBitmap(colours, mask, 32, {0, 0, 0, 0})}});
    expectPixels(decodePicture(zeroAlpha), {{{200, 100, 50}, red}, {black, blue}});
}

TEST(IcoDecoder, TakesTheLargestThenDeepestImage) {
    const Image small = pictureOf({{red, red}, {red, red}});
    const Image large =
        pictureOf({{green, green, green}, {green, green, green}, {green, green, green}});
    const std::vector<bool> opaque4(4, false), opaque9(9, false);
    // The directory claims the wrong sizes; the images' own headers decide.
    const std::string bySize = icoFile(
        {{9, 9, 32, icoBitmap(small, opaque4, 32)}, {1, 1, 24, icoBitmap(large, opaque9, 24)}});
    expectPixels(decodePicture(bySize),
                 {{green, green, green}, {green, green, green}, {green, green, green}});

    Bytes shallow;  // 2 x 2 at 8 bits, all blue
    shallow.raw(infoHeader(2, 4, 8))
        .raw(palette({blue}))
        .zeros(256 * 4 - 4)
        .u8(0)
        .u8(0)
        .u16(0)
        .u8(0)
        .u8(0)
        .u16(0)
        .zeros(8);
    const std::string byDepth =
        icoFile({{2, 2, 8, shallow.data}, {2, 2, 24, icoBitmap(small, opaque4, 24)}});
    expectPixels(decodePicture(byDepth), {{red, red}, {red, red}});
}

TEST(IcoDecoder, PngImagesInsideIcons) {
    PngRecipe png;
    png.width = 4, png.height = 4, png.colourType = 6;
    for (int i = 0; i < 16; ++i) {
        png.samples.insert(png.samples.end(), {200, 100, 50, uint16_t(i == 0 ? 128 : 255)});
    }
    const Image small = pictureOf({{red, red}, {red, red}});
    const std::string icon = icoFile(
        {{2, 2, 24, icoBitmap(small, std::vector<bool>(4, false), 24)}, {0, 0, 32, makePng(png)}});
    const auto image = decodePicture(icon);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width(), 4);
    EXPECT_EQ(image->pixel(0, 0), (Rgb{100, 50, 25}));
    EXPECT_EQ(image->pixel(3, 3), (Rgb{200, 100, 50}));
}

TEST(IcoDecoder, BrokenEntriesAreSkippedAndAllBrokenFails) {
    const Image small = pictureOf({{blue}});
    std::string good = icoBitmap(small, {false}, 24);
    std::string icon = icoFile({{1, 1, 24, good}, {64, 64, 32, std::string(40, '\x7F')}});
    expectPixels(decodePicture(icon), {{blue}});
    // A PNG entry that claims four billion pixels each way.
    std::string giant = "\x89PNG\r\n\x1A\n" + std::string(4, '\0') + "IHDR" +
                        std::string(8, '\xFF') + std::string(9, '\x08');
    EXPECT_FALSE(decodePicture(icoFile({{0, 0, 32, giant}})).has_value());
    // An entry whose offset lies past the end.
    Bytes pastEnd;
    pastEnd.u16(0).u16(1).u16(1).u8(1).u8(1).u8(0).u8(0).u16(1).u16(24).u32(100).u32(0x7FFFFFFF);
    EXPECT_FALSE(decodePicture(pastEnd.data).has_value());
    // A directory claiming thousands of entries that are not there.
    Bytes empty;
    empty.u16(0).u16(1).u16(60000);
    std::string why;
    EXPECT_FALSE(decodePicture(empty.data, &why).has_value());
    EXPECT_FALSE(why.empty());
    expectTruncationsAreSafe(icon, [&](size_t length) { return length < 6 + 16; });
}

// ---- PNG ----

struct PngCase {
    const char* name;
    PngRecipe recipe;
    Rows expected;
};

PngRecipe pngOf(int width, int height, int colourType, int depth, std::vector<uint16_t> samples) {
    PngRecipe s;
    s.width = width, s.height = height, s.colourType = colourType, s.bitDepth = depth;
    s.samples = std::move(samples);
    return s;
}

std::vector<PngCase> pngCases() {
    std::vector<PngCase> cases;
    cases.push_back({"grey 1", pngOf(3, 1, 0, 1, {0, 1, 0}), {{black, white, black}}});
    cases.push_back({"grey 2",
                     pngOf(4, 1, 0, 2, {0, 1, 2, 3}),
                     {{black, {85, 85, 85}, {170, 170, 170}, white}}});
    cases.push_back({"grey 4", pngOf(3, 1, 0, 4, {0, 15, 7}), {{black, white, {119, 119, 119}}}});
    cases.push_back({"grey 8",
                     pngOf(2, 2, 0, 8, {0, 50, 100, 255}),
                     {{black, {50, 50, 50}}, {{100, 100, 100}, white}}});
    cases.push_back({"grey 16", pngOf(2, 1, 0, 16, {0xFFFF, 0x8080}), {{white, {128, 128, 128}}}});
    PngRecipe greyKey = pngOf(2, 1, 0, 8, {200, 100});
    greyKey.transparentGrey = 200;
    cases.push_back({"grey with key", greyKey, {{black, {100, 100, 100}}}});
    cases.push_back({"grey alpha 8",
                     pngOf(2, 1, 4, 8, {200, 128, 200, 255}),
                     {{{100, 100, 100}, {200, 200, 200}}}});
    cases.push_back(
        {"grey alpha 16", pngOf(2, 1, 4, 16, {0xFFFF, 0xFFFF, 51400, 0}), {{white, black}}});
    cases.push_back({"rgb 8", pngOf(2, 1, 2, 8, {10, 20, 30, 255, 0, 0}), {{{10, 20, 30}, red}}});
    cases.push_back({"rgb 16", pngOf(1, 1, 2, 16, {2570, 5140, 7710}), {{{10, 20, 30}}}});
    PngRecipe rgbKey = pngOf(2, 1, 2, 8, {10, 20, 30, 10, 20, 31});
    rgbKey.transparentRgb = {10, 20, 30}, rgbKey.hasTransparentRgb = true;
    cases.push_back({"rgb with key", rgbKey, {{black, {10, 20, 31}}}});
    cases.push_back({"rgba 8",
                     pngOf(2, 1, 6, 8, {200, 100, 50, 128, 1, 2, 3, 255}),
                     {{{100, 50, 25}, {1, 2, 3}}}});
    cases.push_back(
        {"rgba 16", pngOf(1, 1, 6, 16, {0xFFFF, 0, 0x8080, 0xFFFF}), {{{255, 0, 128}}}});
    for (int depth : {1, 2, 4, 8}) {
        PngRecipe p = pngOf(3, 1, 3, depth, {0, 1, 1});
        p.palette = {red, green};
        cases.push_back({"palette", p, {{red, green, green}}});
    }
    PngRecipe paletteAlpha = pngOf(3, 1, 3, 4, {0, 1, 2});
    paletteAlpha.palette = {red, green, {200, 100, 50}};
    paletteAlpha.paletteAlpha = {255, 0, 128};
    cases.push_back({"palette with alpha", paletteAlpha, {{red, black, {100, 50, 25}}}});
    return cases;
}

TEST(PngDecoder, EveryColourTypeAndDepth) {
    for (const PngCase& c : pngCases()) {
        SCOPED_TRACE(c.name + std::string(" depth ") + std::to_string(c.recipe.bitDepth));
        expectPixels(decodePicture(makePng(c.recipe)), c.expected);
        PngRecipe interlaced = c.recipe;
        interlaced.interlaced = true;
        expectPixels(decodePicture(makePng(interlaced)), c.expected);
    }
}

TEST(PngDecoder, InterlacedPicturesMatchPlainOnes) {
    const Image picture = blockPicture(37, 29);
    PngRecipe recipe = pngOf(37, 29, 2, 8, {});
    for (uint8_t v : picture.bytes()) recipe.samples.push_back(v);
    EXPECT_EQ(decodePicture(makePng(recipe)), picture);
    recipe.interlaced = true;
    EXPECT_EQ(decodePicture(makePng(recipe)), picture);
}

// Rewrites the IHDR size of a PNG, with a valid checksum, so only our own
// size check stands in the way.
std::string withPngSize(std::string png, uint32_t width, uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[size_t(16 + i)] = char(width >> (24 - 8 * i));
        png[size_t(20 + i)] = char(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    for (int i = 0; i < 4; ++i) png[size_t(29 + i)] = char(crc >> (24 - 8 * i));
    return png;
}

TEST(PngDecoder, OversizedAndBrokenFilesFail) {
    const std::string png = makePng(pngOf(2, 1, 2, 8, {10, 20, 30, 40, 50, 60}));
    ASSERT_TRUE(decodePicture(withPngSize(png, 2, 1)).has_value());
    std::string why;
    EXPECT_FALSE(decodePicture(withPngSize(png, 20000, 20000), &why).has_value());
    EXPECT_EQ(why, "picture too large");
    EXPECT_FALSE(decodePicture(withPngSize(png, 40000, 1)).has_value());
    std::string damaged = png;
    damaged[damaged.size() - 20] ^= 0x55;  // inside the pixel data: checksum fails
    EXPECT_FALSE(decodePicture(damaged).has_value());
    // The end mark is not needed; the pixel data is.
    expectTruncationsAreSafe(png, [&](size_t length) { return length < png.size() - 12; });
}

// ---- JPEG ----

void expectClose(const std::optional<Image>& image, const Image& expected, int tolerance) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width(), expected.width());
    ASSERT_EQ(image->height(), expected.height());
    int worst = 0;
    for (size_t i = 0; i < expected.bytes().size(); ++i) {
        worst = std::max(worst, std::abs(int(image->bytes()[i]) - int(expected.bytes()[i])));
    }
    EXPECT_LE(worst, tolerance);
}

TEST(JpegDecoder, BaselineProgressiveGreyAndCmyk) {
    const Image picture = blockPicture(32, 24);
    expectClose(decodePicture(makeJpeg(picture, JpegKind::rgb)), picture, 6);
    expectClose(decodePicture(makeJpeg(picture, JpegKind::progressive)), picture, 6);

    Image grey = picture;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const uint8_t v = grey.pixel(x, y).r;
            grey.setPixel(x, y, {v, v, v});
        }
    }
    expectClose(decodePicture(makeJpeg(grey, JpegKind::grey)), grey, 2);

    // Adobe CMYK is stored inverted: full values and no black ink give the
    // stored values back as red, green and blue.
    expectClose(decodePicture(makeJpeg(picture, JpegKind::adobeCmyk, 255)), picture, 3);
    Image halfBlack = *Image::create(16, 16, white);
    expectClose(decodePicture(makeJpeg(halfBlack, JpegKind::adobeCmyk, 128)),
                *Image::create(16, 16, {128, 128, 128}), 3);
}

TEST(JpegDecoder, ScaledDecodingKeepsTheNeededSize) {
    const std::string photo = makeJpeg(blockPicture(640, 480), JpegKind::rgb);
    struct Case {
        int minWidth, minHeight, width, height;
    };
    const Case cases[] = {
        {200, 200, 320, 240}, {50, 50, 80, 60}, {160, 100, 160, 120}, {1000, 1000, 640, 480}};
    for (const Case& c : cases) {
        const auto decoded = decodeJpegScaled(photo, c.minWidth, c.minHeight);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->image.width(), c.width) << c.minWidth;
        EXPECT_EQ(decoded->image.height(), c.height) << c.minWidth;
        EXPECT_EQ(decoded->originalWidth, 640);
        EXPECT_EQ(decoded->originalHeight, 480);
    }
    // Other formats come at full size through the same entry.
    const auto bitmap = decodePictureScaled(threeByTwo24(false), 1, 1);
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->image.width(), 3);
    EXPECT_EQ(bitmap->originalHeight, 2);
    const auto scaled = decodePictureScaled(photo, 200, 200);
    ASSERT_TRUE(scaled.has_value());
    EXPECT_EQ(scaled->image.width(), 320);
}

TEST(JpegDecoder, DamagedAndOversizedFilesFailWithoutNoise) {
    const std::string jpeg = makeJpeg(blockPicture(16, 16), JpegKind::progressive);
    std::string why;
    EXPECT_FALSE(
        decodePicture(std::string("\xFF\xD8\xFF") + std::string(100, 'x'), &why).has_value());
    EXPECT_FALSE(why.empty());
    // A start-of-frame claiming 60000 x 60000 pixels.
    std::string huge = jpeg;
    const size_t sof = huge.find("\xFF\xC2");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = huge[sof + 7] = char(0xEA);
    huge[sof + 6] = huge[sof + 8] = char(0x60);
    EXPECT_FALSE(decodePicture(huge, &why).has_value());
    EXPECT_EQ(why, "picture too large");
    // Cut within the headers it fails; cut in the pixel data the decoded
    // part is kept, as picture viewers do.
    expectTruncationsAreSafe(jpeg, [&](size_t length) { return length < sof + 10; });
}

// ---- Choosing the decoder ----

TEST(PictureDecoder, RecognisesContentNotNames) {
    const Image picture = blockPicture(8, 8);
    PngRecipe recipe = pngOf(8, 8, 2, 8, {});
    for (uint8_t v : picture.bytes()) recipe.samples.push_back(v);
    EXPECT_EQ(decodePicture(makePng(recipe)), picture);
    EXPECT_TRUE(decodePicture(makeJpeg(picture, JpegKind::rgb)).has_value());
    // "BM" decides: such a file is a bitmap or nothing.
    EXPECT_FALSE(decodePicture("BM" + makePng(recipe)).has_value());
    for (std::string junk :
         {std::string(), std::string("GIF89a"), std::string(64, '\0'), std::string("\x89PNG")}) {
        std::string why;
        EXPECT_FALSE(decodePicture(junk, &why).has_value());
        EXPECT_FALSE(why.empty());
    }
}

TEST(PictureDecoder, LoadsFromTheFileSystem) {
    MemoryFileSystem fs;
    fs.addFile("C:\\pics\\sky.jpg", threeByTwo24(false));  // a bitmap, whatever the name
    const auto image = loadPicture(fs, "C:\\pics\\sky.jpg");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixel(2, 1), (Rgb{10, 20, 30}));
    std::string why;
    EXPECT_FALSE(loadPicture(fs, "C:\\pics\\missing.png", &why).has_value());
    EXPECT_EQ(why, "file could not be read");
}

}  // namespace
}  // namespace seamster
