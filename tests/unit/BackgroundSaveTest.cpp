#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "images/BackgroundSave.h"
#include "images/BmpWriter.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

const std::string kUser = "C:\\Docs\\EA Games\\The Sims 2\\";
const std::string kBackground = kUser + "userbkg.bmp";
const std::string kBackups = kUser + "BodyshopBackgrounds\\";

// Scripted windows: each answer is set by the test, each call recorded.
struct ScriptedScreens : BackgroundScreens {
    std::string chosenPicture;
    bool previewSaves = true;
    bool previewBacksUp = false;
    FitMode mode = FitMode::stretchImage;
    std::string copyName;  // "" cancels the copy requester
    std::optional<uint32_t> colour;

    int previews = 0;
    int refreshes = 0;
    std::vector<std::string> proposedCopies;
    std::optional<Image> lastComposed;

    std::string chooseBackgroundImage() override { return chosenPicture; }
    PreviewAnswer runImagePreview(const Image& source) override {
        ++previews;
        PreviewAnswer answer;
        answer.save = previewSaves;
        answer.backup = previewBacksUp;
        answer.composed = composeBackground(source, mode, smallBodyShopSize);
        lastComposed = answer.composed;
        return answer;
    }
    std::string chooseCopyName(const std::string& proposed) override {
        proposedCopies.push_back(proposed);
        return copyName;
    }
    std::optional<uint32_t> chooseColor() override { return colour; }
    void refreshBackgroundThumbnail() override { ++refreshes; }
};

Image gradient(int width, int height) {
    Image image = *Image::create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, {uint8_t(x), uint8_t(y), 7});
    return image;
}

struct BackgroundTest : ::testing::Test {
    FakePlatform services;
    MemoryFileSystem& fs = services.fs;
    FixedClock& clock = services.clock;
    FakeDialogs& dialogs = services.dialogs;
    App app{services.platform};
    ScriptedScreens screens;

    BackgroundTest() {
        fs.addFolder(kUser + "Neighborhoods");
        fs.addFile("C:\\pics\\sky.bmp", encodeBmp24(gradient(160, 120)));
        app.paths.userFolderFound = true;
        app.paths.backgroundBitmap = kBackground;
        app.paths.backgroundsFolder = kBackups;
    }

    std::optional<Image> background() {
        auto bytes = fs.contents(kBackground);
        if (!bytes) return std::nullopt;
        return decodeBmp(*bytes);
    }
};

TEST_F(BackgroundTest, ChosenPictureIsRememberedFittedAndSaved) {
    fs.addFile(kBackground, encodeBmp24(*Image::create(8, 8, {9, 9, 9})));
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    newBackgroundImage(app, screens);

    EXPECT_EQ(app.settings.pictures.imagePath, "C:\\pics\\");
    EXPECT_EQ(app.settings.pictures.lastImage, "C:\\pics\\sky.bmp");
    ASSERT_TRUE(screens.lastComposed);
    EXPECT_EQ(background(), screens.lastComposed);
    EXPECT_EQ(fs.contents(kBackground)->size(), 1440054u);
    EXPECT_EQ(screens.refreshes, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(fs.exists(kBackups), PathKind::missing) << "no copy was asked for";
}

TEST_F(BackgroundTest, NothingHappensWithoutAPictureOrAnAnswer) {
    const auto before = fs.snapshot();
    newBackgroundImage(app, screens);  // requester cancelled
    EXPECT_EQ(app.settings.pictures.imagePath, "");
    EXPECT_EQ(screens.previews, 0);

    // A picture that does not load is still remembered, but nothing is shown or saved.
    fs.addFile("C:\\pics\\notes.png", "not a picture");
    screens.chosenPicture = "C:\\pics\\notes.png";
    newBackgroundImage(app, screens);
    EXPECT_EQ(app.settings.pictures.imagePath, "C:\\pics\\");
    EXPECT_EQ(app.settings.pictures.lastImage, "C:\\pics\\notes.png");
    EXPECT_EQ(screens.previews, 0);

    // Cancel in the preview: no save, no copy.
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    screens.previewSaves = false;
    newBackgroundImage(app, screens);
    EXPECT_EQ(screens.previews, 1);
    EXPECT_EQ(fs.exists(kBackground), PathKind::missing);
    EXPECT_TRUE(screens.proposedCopies.empty());
    EXPECT_EQ(screens.refreshes, 0);
    EXPECT_TRUE(dialogs.boxes.empty());
    fs.deleteFile("C:\\pics\\notes.png");
    EXPECT_EQ(fs.snapshot(), before);
}

TEST_F(BackgroundTest, FailedSaveIsReportedAndKeepsTheOldBackground) {
    const std::string old = encodeBmp24(*Image::create(8, 8, {9, 9, 9}));
    fs.addFile(kBackground, old);
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::writeFile; };
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    newBackgroundImage(app, screens);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Couldn't Save New Background Image!");
    EXPECT_EQ(dialogs.boxes[0].icon, iconStop);
    EXPECT_EQ(fs.contents(kBackground), old);
    EXPECT_EQ(screens.refreshes, 0);

    // Without a composed picture ("Image Error" in the window) OK saves nothing either.
    fs.failWhen = nullptr;
    screens.mode = FitMode::originalSize;
    struct NoPicture : ScriptedScreens {
        PreviewAnswer runImagePreview(const Image&) override { return {true, false, {}}; }
    } broken;
    broken.chosenPicture = screens.chosenPicture;
    newBackgroundImage(app, broken);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(fs.contents(kBackground), old);
}

TEST_F(BackgroundTest, AFullDiskAtAnyStepKeepsTheOldBackgroundAndCopy) {
    const std::string old = encodeBmp24(*Image::create(8, 8, {9, 9, 9}));
    const std::string copy = kBackups + "copy1.bmp";
    // The user keeps a file that only looks like a leftover beside the copy.
    fs.addFile(kBackground, old).addFile(copy, "earlier copy").addFile(copy + ".new", "mine");
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    screens.previewBacksUp = true;
    screens.copyName = kBackups + "copy1";
    dialogs.defaultAnswer = answerYes;  // replace the earlier copy
    const size_t entries = fs.snapshot().size();
    // Each change of the disk fails in turn, first while saving the
    // background, then while saving the copy over the earlier one.
    int step = 0;
    for (;; ++step) {
        SCOPED_TRACE("change " + std::to_string(step) + " fails");
        dialogs.boxes.clear();
        fs.changeCount = 0;
        fs.failChangeNumber = step;
        newBackgroundImage(app, screens);
        fs.failChangeNumber = -1;
        std::erase_if(dialogs.boxes, [](const FakeDialogs::Box& box) { return box.question; });
        const std::string fresh = encodeBmp24(*screens.lastComposed);
        EXPECT_EQ(fs.snapshot().size(), entries) << "a temporary file was left";
        EXPECT_EQ(fs.contents(copy + ".new"), "mine");
        if (dialogs.boxes.empty()) {
            EXPECT_EQ(fs.contents(kBackground), fresh);
            EXPECT_EQ(fs.contents(copy), fresh);
            break;
        }
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const bool backgroundFailed = dialogs.boxes[0].text == backgroundSaveFailedText;
        if (!backgroundFailed) {
            EXPECT_EQ(dialogs.boxes[0].text, backgroundCopyFailedText);
        }
        EXPECT_EQ(fs.contents(kBackground), backgroundFailed ? old : fresh);
        EXPECT_EQ(fs.contents(copy), backgroundFailed ? fresh : "earlier copy");
        fs.addFile(kBackground, old).addFile(copy, "earlier copy");
    }
    EXPECT_EQ(step, 6) << "make, write and place the background, then the copy";
}

TEST_F(BackgroundTest, CopyGoesToTheBackupFolderUnderTheChosenName) {
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    screens.previewBacksUp = true;
    screens.copyName = kBackups + "copy1";
    newBackgroundImage(app, screens);

    EXPECT_EQ(fs.exists(kBackups), PathKind::folder);
    EXPECT_EQ(app.background.backupPrefix, kBackups);
    ASSERT_EQ(screens.proposedCopies.size(), 1u);
    EXPECT_EQ(screens.proposedCopies[0], kBackups + "sky.bmp");
    // The copy is the fitted background, not the chosen file.
    EXPECT_EQ(fs.contents(kBackups + "copy1.bmp"), fs.contents(kBackground));

    // The copy is kept even when the background itself was not saved, and a
    // cancelled copy requester writes nothing.
    screens.previewSaves = false;
    screens.copyName = "D:\\elsewhere.Bmp";
    fs.addFolder("D:\\");
    newBackgroundImage(app, screens);
    EXPECT_TRUE(fs.contents("D:\\elsewhere.Bmp"));
    screens.copyName = "";
    const auto before = fs.snapshot();
    newBackgroundImage(app, screens);
    EXPECT_EQ(fs.snapshot(), before);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(BackgroundTest, BackupFolderThatCannotBeMadeLeavesTheNameWithoutAFolder) {
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::createFolder; };
    screens.chosenPicture = "C:\\pics\\sky.bmp";
    screens.previewBacksUp = true;
    screens.copyName = "C:\\pics\\copy";
    newBackgroundImage(app, screens);
    EXPECT_EQ(screens.proposedCopies.back(), "sky.bmp");
    EXPECT_TRUE(fs.contents("C:\\pics\\copy.bmp"));

    // A folder known from earlier in the run is still proposed.
    dialogs.defaultAnswer = answerYes;  // copy.bmp is there now
    app.background.backupPrefix = "C:\\Earlier\\";
    newBackgroundImage(app, screens);
    EXPECT_EQ(screens.proposedCopies.back(), "C:\\Earlier\\sky.bmp");

    // A copy that cannot be written is reported; the background is saved.
    fs.failWhen = [](FsOp op, const std::string& path) {
        return op == FsOp::writeFile && path.find("copy") != std::string::npos;
    };
    newBackgroundImage(app, screens);
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[2].text, "Couldn't Save Background Image Copy!");
    EXPECT_TRUE(fs.contents(kBackground));
}

TEST(BackgroundNames, CopyNamesAndPathPieces) {
    EXPECT_EQ(backupFileName("C:\\pics\\sky.png"), "sky.bmp");
    EXPECT_EQ(backupFileName("C:\\pics\\sky.jpeg"), "sky.jpeg.bmp");
    EXPECT_EQ(backupFileName("C:\\my.pics\\sky"), "sky.bmp");
    EXPECT_EQ(backupFileName(".png"), ".bmp");
    EXPECT_EQ(backupFileName(""), ".bmp");

    EXPECT_EQ(withBmpExtension("copy1"), "copy1.bmp");
    EXPECT_EQ(withBmpExtension("copy1.Bmp"), "copy1.Bmp");
    EXPECT_EQ(withBmpExtension("copy1.bmpx"), "copy1.bmpx.bmp");
    EXPECT_EQ(withBmpExtension("bmp"), "bmp.bmp");

    EXPECT_EQ(folderPartOf("C:\\pics\\sky.png"), "C:\\pics\\");
    EXPECT_EQ(folderPartOf("sky.png"), "");
    EXPECT_EQ(filePartOf("C:\\pics\\sky.png"), "sky.png");
}

TEST_F(BackgroundTest, ColourBackgroundIsAlways1024By768) {
    screens.colour = 0x00FF8040;  // blue FF, green 80, red 40
    newBackgroundColor(app, screens);
    EXPECT_EQ(app.background.color, (Rgb{0x40, 0x80, 0xFF}));
    EXPECT_EQ(background(), Image::create(1024, 768, {0x40, 0x80, 0xFF}));
    EXPECT_EQ(screens.refreshes, 1);

    // Cancelled: colour and file stay.
    screens.colour.reset();
    newBackgroundColor(app, screens);
    EXPECT_EQ(app.background.color, (Rgb{0x40, 0x80, 0xFF}));
    EXPECT_EQ(screens.refreshes, 1);

    // A write failure is said and leaves the old file and thumbnail.
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::writeFile; };
    screens.colour = 0x000000FF;
    newBackgroundColor(app, screens);
    EXPECT_EQ(app.background.color, (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(background(), Image::create(1024, 768, {0x40, 0x80, 0xFF}));
    EXPECT_EQ(screens.refreshes, 1);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{backgroundSaveFailedText});
}

TEST_F(BackgroundTest, ThumbnailShowsTheBackgroundOrTheColour) {
    // No background file: a block of the background colour.
    app.background.color = {1, 2, 3};
    const auto colourBlock = Image::create(218, 162, {1, 2, 3});
    EXPECT_EQ(currentBackgroundThumbnail(app, smallBodyShopSize), colourBlock);
    EXPECT_EQ(app.settings.pictures.lastImage, "");

    // A background smaller than the Body Shop screen sits top left, black around it.
    fs.addFile(kBackground, encodeBmp24(*Image::create(640, 480, {200, 100, 50})));
    auto thumbnail = currentBackgroundThumbnail(app, largeBodyShopSize);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->pixel(10, 10), (Rgb{200, 100, 50}));
    EXPECT_EQ(thumbnail->pixel(210, 150), (Rgb{0, 0, 0}));
    EXPECT_EQ(app.settings.pictures.lastImage, kBackground) << "remembered when nothing was";

    app.settings.pictures.lastImage = "C:\\pics\\sky.png";
    currentBackgroundThumbnail(app, smallBodyShopSize);
    EXPECT_EQ(app.settings.pictures.lastImage, "C:\\pics\\sky.png");

    // An unreadable background shows the colour.
    fs.addFile(kBackground, "damaged");
    EXPECT_EQ(currentBackgroundThumbnail(app, smallBodyShopSize), colourBlock);
    // No user folder: no path at all.
    app.paths.backgroundBitmap.clear();
    EXPECT_EQ(currentBackgroundThumbnail(app, smallBodyShopSize), colourBlock);
}

}  // namespace
}  // namespace seamster
