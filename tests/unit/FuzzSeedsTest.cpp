// Seed files for the fuzz targets: one small valid file of every picture
// layout the decoders know, and a few settings and project files. Each seed
// is checked to be read as meant, so a fuzzer starts from inputs that reach
// deep into its parser rather than stopping at a signature.
//
// With SEAMSTER_WRITE_FUZZ_SEEDS naming a folder, the seeds are also written
// there, one sub-folder per fuzz target (see tests/fuzz/README.md).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "PictureSamples.h"
#include "config/SettingsFile.h"
#include "fakes/FixedClock.h"
#include "fakes/Latin1Codec.h"
#include "fakes/MemoryFileSystem.h"
#include "images/PictureDecoder.h"
#include "projects/ProjectScan.h"

namespace seamster {
namespace {

using namespace samples;

struct Seed {
    std::string name;
    std::string bytes;
    int width = 0;  // the picture's size, for picture seeds
    int height = 0;
};
using Seeds = std::vector<Seed>;

constexpr Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255},
    black{0, 0, 0};

std::string palette(const std::vector<Rgb>& colours, bool threeBytes = false) {
    Bytes b;
    for (Rgb c : colours) threeBytes ? b.bgr(c) : b.bgra(c);
    return b.data;
}

std::vector<Rgb> greyRamp(int count) {
    std::vector<Rgb> colours;
    for (int i = 0; i < count; ++i) {
        const auto v = uint8_t(i * 255 / std::max(count - 1, 1));
        colours.push_back({v, uint8_t(255 - v), uint8_t(v / 2)});
    }
    return colours;
}

// Bottom-up rows of palette indices, each row padded to four bytes.
std::string indexedRows(int width, int height, int bits) {
    const int colours = 1 << bits;
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(size_t((width * bits + 31) / 32 * 4), '\0');
        for (int x = 0; x < width; ++x) {
            const int index = (x + y * 3) % colours;
            const int bit = x * bits;
            row[size_t(bit / 8)] =
                char(uint8_t(row[size_t(bit / 8)]) | index << (8 - bits - bit % 8));
        }
        rows += row;
    }
    return rows;
}

// Bottom-up (or top-down) rows of 24-bit pixels of `image`.
std::string trueColourRows(const Image& image, bool topDown = false) {
    std::string rows;
    for (int i = 0; i < image.height(); ++i) {
        const int y = topDown ? i : image.height() - 1 - i;
        std::vector<Rgb> row;
        for (int x = 0; x < image.width(); ++x) row.push_back(image.pixel(x, y));
        rows += row24(row);
    }
    return rows;
}

std::string rows16(int width, int height, uint32_t (*pack)(Rgb)) {
    const Image image = blockPicture(width, height);
    Bytes b;
    for (int y = height - 1; y >= 0; --y) {
        const size_t start = b.size();
        for (int x = 0; x < width; ++x) b.u16(pack(image.pixel(x, y)));
        while ((b.size() - start) % 4) b.u8(0);
    }
    return b.data;
}

std::string rows32(int width, int height, bool withAlpha) {
    const Image image = blockPicture(width, height);
    Bytes b;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) b.bgra(image.pixel(x, y), withAlpha ? uint32_t(x * 40) : 0);
    return b.data;
}

Seeds bmpSeeds() {
    Seeds seeds;
    auto add = [&](const std::string& name, std::string bytes, int w, int h) {
        seeds.push_back({name + ".bmp", std::move(bytes), w, h});
    };
    for (int bits : {1, 4, 8}) {
        const int w = 13, h = 5;
        add("indexed_" + std::to_string(bits) + "bit",
            bmpFile(infoHeader(w, h, uint32_t(bits)), palette(greyRamp(1 << bits)),
                    indexedRows(w, h, bits)),
            w, h);
    }
    // A palette shorter than the depth allows.
    add("indexed_8bit_short_palette",
        bmpFile(infoHeader(9, 4, 8, 0, 5), palette(greyRamp(5)), indexedRows(9, 4, 8)), 9, 4);
    add("rgb555_16bit",
        bmpFile(infoHeader(11, 6, 16), "",
                rows16(11, 6,
                       [](Rgb c) { return uint32_t(c.r >> 3 << 10 | c.g >> 3 << 5 | c.b >> 3); })),
        11, 6);
    add("rgb565_16bit_bitfields",
        bmpFile(infoHeader(11, 6, 16, 3), Bytes().u32(0xF800).u32(0x07E0).u32(0x001F).data,
                rows16(11, 6,
                       [](Rgb c) { return uint32_t(c.r >> 3 << 11 | c.g >> 2 << 5 | c.b >> 3); })),
        11, 6);
    const Image blocks = blockPicture(16, 12);
    add("truecolour_24bit", bmpFile(infoHeader(16, 12, 24), "", trueColourRows(blocks)), 16, 12);
    add("truecolour_24bit_top_down",
        bmpFile(infoHeader(7, -5, 24), "", trueColourRows(blockPicture(7, 5), true)), 7, 5);
    add("plain_32bit", bmpFile(infoHeader(10, 6, 32), "", rows32(10, 6, false)), 10, 6);
    add("bitfields_32bit",
        bmpFile(infoHeader(10, 6, 32, 3), Bytes().u32(0xFF0000).u32(0xFF00).u32(0xFF).data,
                rows32(10, 6, false)),
        10, 6);
    add("alpha_bitfields_32bit",
        bmpFile(infoHeader(10, 6, 32, 6),
                Bytes().u32(0xFF0000).u32(0xFF00).u32(0xFF).u32(0xFF000000).data,
                rows32(10, 6, true)),
        10, 6);
    const uint32_t argb[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    add("v4_header_alpha", bmpFile(infoHeader(10, 6, 32, 3, 0, 108, argb), "", rows32(10, 6, true)),
        10, 6);
    add("v5_header_24bit", bmpFile(infoHeader(16, 12, 24, 0, 0, 124), "", trueColourRows(blocks)),
        16, 12);
    add("v5_header_8bit",
        bmpFile(infoHeader(9, 4, 8, 0, 16, 124), palette(greyRamp(16)), indexedRows(9, 4, 4 + 4)),
        9, 4);
    {
        // The old OS/2 header: 16-bit sizes and three-byte palette entries.
        Bytes header;
        header.u32(12).u16(13).u16(5).u16(1).u16(8);
        add("os2_core_8bit",
            bmpFile(header.data, palette(greyRamp(256), true), indexedRows(13, 5, 8)), 13, 5);
        Bytes header24;
        header24.u32(12).u16(7).u16(5).u16(1).u16(24);
        add("os2_core_24bit", bmpFile(header24.data, "", trueColourRows(blockPicture(7, 5))), 7, 5);
    }
    add("os2_v2_header_4bit",
        bmpFile(infoHeader(13, 5, 4, 0, 16, 64), palette(greyRamp(16)), indexedRows(13, 5, 4)), 13,
        5);
    {
        // Runs, a literal, a jump across pixels and rows, the end marker.
        Bytes rle8;
        rle8.u8(5).u8(1).u8(0).u8(3).u8(2).u8(3).u8(0).u8(0);  // run, literal and its pad
        rle8.u8(0).u8(0).u8(0).u8(2).u8(2).u8(1);              // row end, jump 2 right 1 up
        rle8.u8(4).u8(2).u8(0).u8(0).u8(8).u8(3).u8(0).u8(1);  // run, row end, run, end
        add("rle8",
            bmpFile(infoHeader(8, 4, 8, 1, 4), palette({black, red, green, blue}), rle8.data), 8,
            4);
        Bytes rle4;
        rle4.u8(6).u8(0x12).u8(0).u8(0);                    // 1 2 1 2 1 2, row end
        rle4.u8(0).u8(5).u8(0x31).u8(0x23).u8(0x10).u8(0);  // literal 3 1 2 3 1 + pad
        rle4.u8(0).u8(0).u8(0).u8(2).u8(1).u8(1).u8(3).u8(0x33).u8(0).u8(1);
        add("rle4",
            bmpFile(infoHeader(7, 4, 4, 2, 4), palette({black, red, green, blue}), rle4.data), 7,
            4);
    }
    return seeds;
}

// A monochrome icon image: two colours, then the colour rows and the mask rows.
std::string icoMonochrome(int size) {
    std::string colours = indexedRows(size, size, 1);
    std::string mask(colours.size(), '\0');
    for (size_t i = 0; i < mask.size(); i += 4) mask[i] = char(0xF0);
    return infoHeader(size, size * 2, 1) + palette({black, white}) + colours + mask;
}

std::string icoIndexed(int size, int bits) {
    std::string mask(size_t((size + 31) / 32 * 4 * size), '\0');
    mask[0] = char(0x80);
    return infoHeader(size, size * 2, uint32_t(bits)) + palette(greyRamp(1 << bits)) +
           indexedRows(size, size, bits) + mask;
}

std::string smallPng(int width, int height, int colourType = 2) {
    PngRecipe r;
    r.width = width, r.height = height, r.colourType = colourType;
    const int channels = colourType == 6 ? 4 : 3;
    for (int i = 0; i < width * height * channels; ++i) r.samples.push_back(uint16_t(i * 37 % 256));
    return makePng(r);
}

Seeds icoSeeds() {
    const Image colours = blockPicture(16, 16);
    std::vector<bool> transparent(256, false);
    std::vector<uint8_t> alpha(256, 255);
    for (size_t i = 0; i < 256; i += 5) transparent[i] = true, alpha[i] = uint8_t(i);
    const std::string bits24 = icoBitmap(colours, transparent, 24);
    const std::string bits32 = icoBitmap(colours, transparent, 32, alpha);
    const std::string big32 = icoBitmap(blockPicture(32, 32), std::vector<bool>(1024, false), 32);
    return {
        {"bitmap_24bit.ico", icoFile({{16, 16, 24, bits24}}), 16, 16},
        {"bitmap_32bit_alpha.ico", icoFile({{16, 16, 32, bits32}}), 16, 16},
        {"monochrome.ico", icoFile({{16, 16, 1, icoMonochrome(16)}}), 16, 16},
        {"indexed_4bit.ico", icoFile({{16, 16, 4, icoIndexed(16, 4)}}), 16, 16},
        {"indexed_8bit.ico", icoFile({{8, 8, 8, icoIndexed(8, 8)}}), 8, 8},
        {"png_entry.ico", icoFile({{12, 12, 32, smallPng(12, 12, 6)}}), 12, 12},
        // The directory's sizes are often wrong; 0 stands for 256.
        {"png_entry_directory_says_256.ico", icoFile({{0, 0, 32, smallPng(20, 10)}}), 20, 10},
        {"three_sizes.ico",
         icoFile({{16, 16, 24, bits24}, {32, 32, 32, big32}, {16, 16, 32, smallPng(16, 16, 6)}}),
         32, 32},
    };
}

Seeds pngSeeds() {
    Seeds seeds;
    const int w = 9, h = 7;  // odd, so packed rows and interlace passes end part-way
    auto add = [&](const std::string& name, PngRecipe recipe) {
        seeds.push_back({name + ".png", makePng(recipe), recipe.width, recipe.height});
    };
    auto recipe = [&](int colourType, int depth) {
        PngRecipe r;
        r.width = w, r.height = h, r.colourType = colourType, r.bitDepth = depth;
        const int channels = colourType == 0 || colourType == 3 ? 1
                             : colourType == 4                  ? 2
                             : colourType == 2                  ? 3
                                                                : 4;
        const int top = (1 << depth) - 1;
        for (int i = 0; i < w * h * channels; ++i)
            r.samples.push_back(uint16_t(i * 7919 % (top + 1)));
        if (colourType == 3) r.palette = greyRamp(1 << depth);
        return r;
    };
    for (int depth : {1, 2, 4, 8, 16}) add("grey_" + std::to_string(depth), recipe(0, depth));
    for (int depth : {8, 16}) add("rgb_" + std::to_string(depth), recipe(2, depth));
    for (int depth : {1, 2, 4, 8}) add("palette_" + std::to_string(depth), recipe(3, depth));
    for (int depth : {8, 16}) add("grey_alpha_" + std::to_string(depth), recipe(4, depth));
    for (int depth : {8, 16}) add("rgba_" + std::to_string(depth), recipe(6, depth));
    PngRecipe interlaced = recipe(2, 8);
    interlaced.interlaced = true;
    add("rgb_8_interlaced", interlaced);
    PngRecipe paletteAlpha = recipe(3, 4);
    paletteAlpha.paletteAlpha = {0, 128, 255, 64};
    add("palette_4_transparency", paletteAlpha);
    PngRecipe greyKey = recipe(0, 8);
    greyKey.transparentGrey = 0;
    add("grey_8_transparent_colour", greyKey);
    PngRecipe rgbKey = recipe(2, 16);
    rgbKey.hasTransparentRgb = true;
    rgbKey.transparentRgb = {1, 2, 3};
    add("rgb_16_transparent_colour", rgbKey);
    return seeds;
}

Seeds jpegSeeds() {
    const Image blocks = blockPicture(24, 16);
    return {
        {"baseline.jpg", makeJpeg(blocks, JpegKind::rgb), 24, 16},
        {"progressive.jpg", makeJpeg(blocks, JpegKind::progressive), 24, 16},
        {"grey.jpg", makeJpeg(blocks, JpegKind::grey), 24, 16},
        {"adobe_cmyk.jpg", makeJpeg(blocks, JpegKind::adobeCmyk, 40), 24, 16},
        {"subsampled_restarts.jpg", makeJpeg(blocks, JpegKind::cameraLike), 24, 16},
    };
}

Seeds pictureSeeds() {
    Seeds seeds;
    for (const Seeds& part : {bmpSeeds(), icoSeeds(), pngSeeds(), jpegSeeds()})
        seeds.insert(seeds.end(), part.begin(), part.end());
    return seeds;
}

// --- settings and projects ----------------------------------------------------------

const std::string programFolder = "C:\\Seamster\\";

// The file exactly as Seamster writes it for these settings.
std::string savedSettingsFile(Settings settings) {
    MemoryFileSystem fs;
    fs.addFolder(programFolder);
    Latin1Codec codec;
    FixedClock clock;
    clock.todayDate = LocalDate{2009, 3, 5};
    EXPECT_TRUE(saveSettings(settings, fs, codec, clock, programFolder));
    return fs.contents(programFolder + settingsFileName).value_or("");
}

Settings settingsInUse() {
    Settings s;
    s.options.autoQuit = 1;
    s.options.rememberWindowPosition = 1;
    s.game.selectedPack = "The Sims 2 Double Deluxe\\SP4";
    s.game.installDirectory = "C:\\Program Files\\EA GAMES\\";
    s.game.currentFolderCount = 6;
    s.game.runBodyshop =
        "C:\\Program Files\\EA GAMES\\The Sims 2 Double Deluxe\\SP4\\CSBin\\TS2BodyShop.exe";
    s.pictures.imagePath = "C:\\Users\\Jo\\Pictures\\B\xC3\xA4ume\\";  // a code-page character
    s.pictures.lastImage = s.pictures.imagePath + "sky.png";
    s.options.windowX = 212;
    s.options.windowY = -4;
    s.options.orphanProjects = 0;
    s.naming.inFront = "Jo_";
    s.naming.inBack = "_v2";
    s.naming.startNumber = "007";
    s.naming.copyTo = "D:\\Uploads\\";
    s.naming.copyToDisplay = "D:\\Uploads\\";
    s.finder.goBackWeeks = 3;
    s.naming.keepNumber = 0;
    s.naming.customNumber = 1;
    s.finder.packagesFolder = "D:\\\xE6\x9C\x8D\\";  // beyond the code page: stays UTF-8
    s.finder.pathDisplay = s.finder.packagesFolder;
    s.finder.search = "dress";
    s.finder.otherFolder = 1;
    return s;
}

Seeds settingsSeeds() {
    return {
        {"defaults.ini", savedSettingsFile(Settings{})},
        {"in_use.ini", savedSettingsFile(settingsInUse())},
        // Edited by hand: bare line ends, any letter case, comments, a
        // repeated key, numbers out of range and with trailing text.
        {"hand_edited.ini",
         "; my settings\n"
         "applicationname=Seamster\n"
         "AUTO QUIT = 1\n"
         "Auto Quit = 0\n"
         "Window X = -99999999999\n"
         "Window Y = 42px\n"
         "Start Number =   12\n"
         "Image Path = C:\\pics\\\r\n"
         "Last Image = C:\\pics\\sky.jpeg\r\n"
         "Selected Pack = The Sims 2\n"
         "\n"
         "Go Back Weeks = +5\n"},
        {"values_with_equals_and_blanks.ini",
         "Search =  a = b \r\nIn Front = \r\nIn Back\r\nCopy To = \\\\server\\share\\\r\n"},
    };
}

std::string projectFile(const std::string& nameLine, const char* lineEnd = "\r\n") {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + lineEnd + "<PropertySet>" +
           lineEnd + nameLine + lineEnd +
           "    <AnyString key=\"description\" type=\"0x0b8bea18\"></AnyString>" + lineEnd +
           "</PropertySet>" + lineEnd;
}

std::string nameLine(const std::string& name) {
    return "    " + std::string(kProjectNameTag) + name + std::string(kProjectNameEndTag);
}

struct ProjectSeed {
    Seed seed;
    std::optional<std::string> name;  // what the reader finds
};

std::vector<ProjectSeed> projectSeeds() {
    return {
        {{"red_dress.xml", projectFile(nameLine("Red Dress"))}, "    Red Dress"},
        {{"bare_line_ends.xml", projectFile(nameLine("Blue Jeans"), "\n")}, "    Blue Jeans"},
        {{"empty_name.xml", projectFile(nameLine(""))}, "    "},
        {{"code_page_name.xml", projectFile(nameLine("Kleid f\xFCr Anna"))},
         "    Kleid f\xC3\xBCr Anna"},
        {{"utf8_name.xml", projectFile(nameLine("\xE5\xA4\x8F\xE3\x81\xAE\xE6\x9C\x8D"))},
         "    \xE5\xA4\x8F\xE3\x81\xAE\xE6\x9C\x8D"},
        // The name belongs on the third line; anywhere else it is not a project.
        {{"name_on_fourth_line.xml", "\r\n" + projectFile(nameLine("Late"))}, std::nullopt},
    };
}

// --- writing ------------------------------------------------------------------------------

void writeSeeds(const std::string& folder, const Seeds& seeds) {
    namespace fs = std::filesystem;
    const fs::path target(folder);
    fs::create_directories(target);
    // Seeds no longer made would linger as stale inputs. Inputs that once
    // made a target fail (crash-...) stay for good.
    for (const auto& entry : fs::directory_iterator(target))
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with("crash-"))
            fs::remove(entry.path());
    for (const Seed& seed : seeds) {
        std::ofstream out(target / seed.name, std::ios::binary);
        out.write(seed.bytes.data(), std::streamsize(seed.bytes.size()));
        ASSERT_TRUE(out.good()) << (target / seed.name);
    }
}

const char* seedFolder() {
    const char* folder = std::getenv("SEAMSTER_WRITE_FUZZ_SEEDS");
    return folder && *folder ? folder : nullptr;
}

void expectDistinctSmallNames(const Seeds& seeds) {
    std::set<std::string> names;
    for (const Seed& seed : seeds) {
        EXPECT_TRUE(names.insert(seed.name).second) << seed.name << " twice";
        EXPECT_LE(seed.bytes.size(), 8192u) << seed.name << " is too big to be a quick seed";
    }
}

void expectPictures(
    const Seeds& seeds,
    const std::function<std::optional<Image>(std::string_view, std::string*)>& decode) {
    for (const Seed& seed : seeds) {
        SCOPED_TRACE(seed.name);
        std::string why;
        const auto image = decode(seed.bytes, &why);
        ASSERT_TRUE(image.has_value()) << why;
        EXPECT_EQ(image->width(), seed.width);
        EXPECT_EQ(image->height(), seed.height);
    }
    expectDistinctSmallNames(seeds);
}

TEST(FuzzSeeds, EveryBitmapLayoutDecodes) {
    const Seeds seeds = bmpSeeds();
    expectPictures(seeds, [](std::string_view b, std::string* why) { return decodeBmp(b, why); });
    if (seedFolder()) writeSeeds(std::string(seedFolder()) + "/fuzz_bmp", seeds);
}

TEST(FuzzSeeds, EveryIconLayoutDecodes) {
    const Seeds seeds = icoSeeds();
    expectPictures(seeds, [](std::string_view b, std::string* why) { return decodeIco(b, why); });
    if (seedFolder()) writeSeeds(std::string(seedFolder()) + "/fuzz_ico", seeds);
}

TEST(FuzzSeeds, EveryPictureFormatDecodesByContent) {
    const Seeds seeds = pictureSeeds();
    expectPictures(seeds,
                   [](std::string_view b, std::string* why) { return decodePicture(b, why); });
    if (seedFolder()) writeSeeds(std::string(seedFolder()) + "/fuzz_picture", seeds);
}

TEST(FuzzSeeds, SettingsFilesAreRead) {
    const Seeds seeds = settingsSeeds();
    expectDistinctSmallNames(seeds);
    auto load = [](const std::string& bytes) {
        MemoryFileSystem fs;
        fs.addFile(programFolder + settingsFileName, bytes);
        Latin1Codec codec;
        Settings s;
        loadSettings(s, fs, codec, programFolder);
        return s;
    };
    Settings inUse = settingsInUse();
    inUse.game.simsFolderCount = inUse.game.currentFolderCount;
    inUse.game.currentFolderCount = 0;
    inUse.finder.lastUsed = "03/05/2009";
    EXPECT_EQ(load(seeds[1].bytes), inUse);
    const Settings edited = load(seeds[2].bytes);
    EXPECT_EQ(edited.options.autoQuit, 1);
    EXPECT_EQ(edited.pictures.imagePath, "C:\\pics\\");
    EXPECT_EQ(edited.game.selectedPack, "The Sims 2");
    EXPECT_EQ(load(seeds[3].bytes).naming.copyTo, "\\\\server\\share\\");
    if (seedFolder()) writeSeeds(std::string(seedFolder()) + "/fuzz_settings", seeds);
}

TEST(FuzzSeeds, ProjectFilesGiveTheirNames) {
    Seeds seeds;
    Latin1Codec codec;
    for (const ProjectSeed& p : projectSeeds()) {
        SCOPED_TRACE(p.seed.name);
        const auto name = readProjectName(p.seed.bytes, &codec);
        EXPECT_EQ(name, p.name);
        seeds.push_back(p.seed);
    }
    expectDistinctSmallNames(seeds);
    if (seedFolder()) writeSeeds(std::string(seedFolder()) + "/fuzz_project", seeds);
}

}  // namespace
}  // namespace seamster
