#include <gtest/gtest.h>

#include "fakes/MemoryFileSystem.h"
#include "images/BmpWriter.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

uint32_t le32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(bytes[at + size_t(i)]);
    return v;
}

uint32_t le16(const std::string& bytes, size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8;
}

TEST(BmpWriter, HeaderFieldsAndPaddedBottomUpRows) {
    Image image = *Image::create(3, 2);
    image.setPixel(0, 0, {1, 2, 3});     // top row
    image.setPixel(2, 1, {40, 50, 60});  // bottom row
    const std::string bytes = encodeBmp24(image);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    const std::pair<size_t, uint32_t> fields32[] = {{2, 78}, {6, 0},  {10, 54}, {14, 40},
                                                    {18, 3}, {22, 2}, {30, 0},  {34, 24},
                                                    {38, 0}, {42, 0}, {46, 0},  {50, 0}};
    for (auto [at, value] : fields32) EXPECT_EQ(le32(bytes, at), value) << "offset " << at;
    EXPECT_EQ(le16(bytes, 26), 1u);
    EXPECT_EQ(le16(bytes, 28), 24u);
    // Bottom row first, blue-green-red, three zero bytes of padding.
    const std::string bottom = bytes.substr(54, 12), top = bytes.substr(66, 12);
    EXPECT_EQ(bottom, std::string("\0\0\0\0\0\0\x3C\x32\x28\0\0\0", 12));
    EXPECT_EQ(top, std::string("\x03\x02\x01\0\0\0\0\0\0\0\0\0", 12));
    // Four pixels need no padding.
    EXPECT_EQ(encodeBmp24(*Image::create(4, 1)).size(), 54u + 12);
    EXPECT_EQ(encodeBmp24(Image()), "");
}

TEST(BmpWriter, BodyShopSizes) {
    const std::string small = encodeBmp24(*Image::create(800, 600));
    EXPECT_EQ(small.size(), 1440054u);
    EXPECT_EQ(le32(small, 2), 1440054u);
    EXPECT_EQ(le32(small, 10), 54u);
    EXPECT_EQ(le32(small, 22), 600u);
    EXPECT_EQ(le32(small, 34), 1440000u);
    EXPECT_EQ(encodeBmp24(*Image::create(1024, 768)).size(), 2359350u);
}

TEST(BmpWriter, ReadsBackThroughTheDecoder) {
    for (int width = 1; width <= 5; ++width) {
        Image image = *Image::create(width, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, {uint8_t(x * 40), uint8_t(y * 90), uint8_t(x + y)});
            }
        }
        EXPECT_EQ(decodeBmp(encodeBmp24(image)), image) << width;
    }
}

TEST(BmpWriter, FailedSaveKeepsThePreviousBackground) {
    const std::string path = "C:\\Users\\me\\Documents\\EA Games\\The Sims 2\\userbkg.bmp";
    MemoryFileSystem fs;
    fs.addFile(path, "previous background");
    const Image image = *Image::create(4, 2, {7, 8, 9});

    const auto before = fs.snapshot();
    for (FsOp failing : {FsOp::createFile, FsOp::writeFile, FsOp::replace}) {
        fs.failWhen = [&](FsOp op, const std::string&) { return op == failing; };
        EXPECT_FALSE(saveImageAsBmp(fs, image, path));
        EXPECT_EQ(fs.snapshot(), before) << "the old file alone, no temporary";
    }
    fs.failWhen = nullptr;
    EXPECT_TRUE(saveImageAsBmp(fs, image, path));
    EXPECT_EQ(fs.contents(path), encodeBmp24(image));
    EXPECT_FALSE(saveImageAsBmp(fs, Image(), path));
    EXPECT_FALSE(saveImageAsBmp(fs, image, ""));
    EXPECT_FALSE(saveImageAsBmp(fs, image, "C:\\No Such Folder\\copy.bmp"));
}

}  // namespace
}  // namespace seamster
