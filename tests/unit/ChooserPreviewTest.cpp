#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "fakes/MemoryFileSystem.h"
#include "images/BmpWriter.h"
#include "images/ChooserPreview.h"

namespace seamster {
namespace {

Image plain(int width, int height) { return *Image::create(width, height, {10, 200, 30}); }

TEST(ChooserPreview, PicturesAreFittedCentredAndCaptioned) {
    MemoryFileSystem fs;
    fs.addFile("C:\\pics\\small.bmp", encodeBmp24(plain(150, 100)));
    fs.addFile("C:\\pics\\photo.jpg", samples::makeJpeg(plain(640, 480), samples::JpegKind::rgb));
    fs.addFile("C:\\pics\\tall.bmp", encodeBmp24(plain(300, 900)));

    const ChooserPreview small = chooserPreviewFor(fs, "C:\\pics\\small.bmp");
    ASSERT_TRUE(small.loaded);
    EXPECT_EQ(small.placement, (ThumbnailPlacement{445, 80, 150, 100}));
    EXPECT_EQ(small.picture, plain(150, 100)) << "small pictures are shown unscaled";
    EXPECT_EQ(small.title, "small.bmp");
    EXPECT_EQ(small.caption, "150 X 100");

    // The photo is decoded reduced, but placed and captioned by its real size.
    const ChooserPreview photo = chooserPreviewFor(fs, "C:\\pics\\photo.jpg");
    ASSERT_TRUE(photo.loaded);
    EXPECT_EQ(photo.placement, (ThumbnailPlacement{420, 55, 200, 150}));
    EXPECT_EQ(photo.picture.width(), 200);
    EXPECT_EQ(photo.picture.height(), 150);
    EXPECT_EQ(photo.caption, "640 X 480");

    const ChooserPreview tall = chooserPreviewFor(fs, "C:\\pics\\tall.bmp");
    EXPECT_EQ(tall.placement, (ThumbnailPlacement{487, 30, 67, 200}));
    EXPECT_EQ(tall.caption, "300 X 900");
}

TEST(ChooserPreview, AnythingElseShowsThePlaceholder) {
    MemoryFileSystem fs;
    fs.addFolder("C:\\pics\\folder.png");
    fs.addFile("C:\\pics\\notes.png", "just some text");
    std::string cut = encodeBmp24(plain(40, 40));
    cut.resize(cut.size() / 2);
    fs.addFile("C:\\pics\\cut.bmp", cut);
    fs.addFile("C:\\pics\\locked.bmp", encodeBmp24(plain(40, 40)));
    fs.failWhen = [](FsOp op, const std::string& path) {
        return op == FsOp::readFile && path.find("locked") != std::string::npos;
    };
    for (const char* path : {"C:\\pics\\folder.png", "C:\\pics\\notes.png", "C:\\pics\\cut.bmp",
                             "C:\\pics\\locked.bmp", "C:\\pics\\missing.bmp", ""}) {
        const ChooserPreview preview = chooserPreviewFor(fs, path);
        EXPECT_FALSE(preview.loaded) << path;
        EXPECT_EQ(preview.picture, chooserPlaceholder()) << path;
        EXPECT_EQ(preview.placement, (ThumbnailPlacement{420, 30, 200, 200})) << path;
        EXPECT_EQ(preview.title, "") << path;
        EXPECT_EQ(preview.caption, "") << path;
    }
}

}  // namespace
}  // namespace seamster
