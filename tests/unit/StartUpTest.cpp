#include <gtest/gtest.h>

#include "app/BodyShop.h"
#include "app/MainLoop.h"
#include "app/StartUp.h"
#include "content/FolderHiding.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

const std::string kDocs = "C:\\Users\\Ann\\Documents\\";
const std::string kEa = kDocs + "EA Games\\";

TEST(FindUserFolder, FirstListedFolderWithNeighborhoodsWinsAndDerivesEveryPath) {
    MemoryFileSystem fs;
    fs.addFile(kEa + "Sims.txt")
        .addFolder(kEa + "Other")
        .addFolder(kEa + "The Sims 2\\Neighborhoods")
        .addFolder(kEa + "The Sims 2 Copy\\Neighborhoods");
    GamePaths paths;
    findUserFolder(paths, fs, kDocs);

    const std::string user = kEa + "The Sims 2\\";
    EXPECT_TRUE(paths.userFolderFound);
    EXPECT_EQ(paths.eaGamesFolder, kEa);
    EXPECT_EQ(paths.userFolderName, "The Sims 2\\");
    EXPECT_EQ(paths.bodyshopThumbnails, user + "cigen.package");
    EXPECT_EQ(paths.backgroundBitmap, user + "userbkg.bmp");
    EXPECT_EQ(paths.backgroundsFolder, user + "BodyshopBackgrounds\\");
    EXPECT_EQ(paths.projectsFolder, user + "Projects");
    EXPECT_EQ(paths.casThumbnails, user + "Thumbnails\\CASThumbnails.package");
    EXPECT_EQ(paths.configFolder, user + "Config\\");
}

TEST(FindUserFolder, NothingQualifyingLeavesNoFolderAndTheRunTouchesNoOtherGamesFolder) {
    FakeApp f;
    const std::string other = kEa + "Second\\";
    f.fs()
        .addFolder(kEa + "First")
        .addFile(other + "Neighborhoods", "a file, not a folder")
        .addFile(kEa + "Neighborhoods.txt")
        .addFolder(other + "Downloads")
        .addFolder(kEa + "Downloads_off");
    EXPECT_TRUE(startUp(f.app, f.view, f.view));
    const GamePaths& paths = f.app.paths;

    EXPECT_FALSE(paths.userFolderFound);
    EXPECT_EQ(paths.eaGamesFolder, kEa);
    EXPECT_EQ(paths.userFolderName, "");
    for (const std::string* derived :
         {&paths.bodyshopThumbnails, &paths.backgroundBitmap, &paths.backgroundsFolder,
          &paths.projectsFolder, &paths.casThumbnails, &paths.configFolder})
        EXPECT_EQ(*derived, "");
    EXPECT_FALSE(f.app.run.downloadsHidden || f.app.run.savedSimsHidden);

    // The tool-bar buttons that work in the game folder do nothing, and a run
    // hides and switches nothing.
    for (MainInput command :
         {MainInput::hideGameFolders, MainInput::extras, MainInput::cleanUpProjects})
        dispatchCommand(f.app, f.view, command);
    EXPECT_TRUE(f.view.opened.empty());
    f.fs().addFile("C:\\Game\\CSBin\\TS2BodyShop.exe");
    f.app.settings.game.runBodyshop = "C:\\Game\\CSBin\\TS2BodyShop.exe";
    f.app.run.hideDownloadsOption = f.app.run.hideSavedSimsOption = true;
    const std::vector<std::string> before = f.fs().snapshot();
    launchBodyShop(f.app, f.view);
    EXPECT_EQ(f.fs().snapshot(), before);
    EXPECT_EQ(f.services.shell.opened.size(), 1u);
}

TEST(FindUserFolder, MissingEaGamesFolderStillSetsItsPath) {
    MemoryFileSystem fs;
    GamePaths paths;
    findUserFolder(paths, fs, kDocs);
    EXPECT_FALSE(paths.userFolderFound);
    EXPECT_EQ(paths.eaGamesFolder, kEa);
    EXPECT_EQ(paths.userFolderName, "");
    EXPECT_EQ(paths.configFolder, "");
}

TEST(StartUp, DesktopSizeCheck) {
    struct Case {
        int width, height;
        const char* text;  // nullptr: large enough
    };
    const Case cases[] = {
        {800, 600, nullptr},
        {1920, 1080, nullptr},
        {799, 600,
         "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to 799 x 600\n"
         "Seamster Ending"},
        {800, 599,
         "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to 800 x 599\n"
         "Seamster Ending"},
        {640, 480,
         "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to 640 x 480\n"
         "Seamster Ending"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        auto text = desktopTooSmallText(c.width, c.height);
        if (c.text)
            EXPECT_EQ(text, std::string(c.text));
        else
            EXPECT_FALSE(text);
    }
}

TEST(StartUp, HelpFileLivesInTheCurrentFolder) {
    EXPECT_EQ(helpFilePath("C:\\Games\\Seamster"), "C:\\Games\\Seamster\\Seamster.CHM");
    EXPECT_EQ(helpFilePath("C:\\"), "C:\\Seamster.CHM");
}

TEST(StartUp, HelpFileOfTheCurrentFolderComesFirstThenTheOneBesideTheProgram) {
    const std::string here = "C:\\Work\\", program = "C:\\Tools\\Seamster\\";
    struct Case {
        bool inCurrent, besideProgram;
        const char* expected;  // nullptr: not found
    } cases[] = {
        {true, true, "C:\\Work\\Seamster.CHM"},
        {false, true, "C:\\Tools\\Seamster\\Seamster.CHM"},
        {false, false, nullptr},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs;
        if (c.inCurrent) fs.addFile(here + "Seamster.CHM");
        if (c.besideProgram) fs.addFile(program + "Seamster.CHM");
        GamePaths paths;
        findHelpFile(paths, fs, here, program);
        EXPECT_EQ(paths.helpFileFound, c.expected != nullptr);
        EXPECT_EQ(paths.helpFile, c.expected ? c.expected : here + "Seamster.CHM");
    }
}

TEST(StartUp, HiddenFormsSeamsterWroteDownAreFlaggedAndOthersOnlyWhenTheUserSaysSo) {
    FakeApp app;
    app.makeUserFolder();
    auto find = [&] {
        app.app.run = {};
        return findLeftOverHiddenFolders(app.app.paths, app.fs(), app.dialogs(), app.app.run);
    };
    EXPECT_FALSE(find());
    EXPECT_TRUE(app.dialogs().boxes.empty());

    // One of Seamster's, written down before it was hidden: back without a word.
    app.fs().addFile(app.at("SavedSims_off"), "a file counts too");
    app.fs().addFile(app.at(kHiddenFoldersRecord), "heading\r\nSavedSims\r\n");
    EXPECT_TRUE(find());
    EXPECT_TRUE(app.app.run.savedSimsHidden && !app.app.run.downloadsHidden);
    EXPECT_TRUE(app.dialogs().boxes.empty());

    // One the user made: asked about by name; "No" leaves it alone.
    app.fs().addFolder(app.at("Downloads_off")).addFolder(app.at("Downloads"));
    const std::vector<std::string> before = app.fs().snapshot();
    app.dialogs().answers = {answerNo, answerYes};
    EXPECT_TRUE(find());
    EXPECT_FALSE(app.app.run.downloadsHidden);
    EXPECT_EQ(app.fs().snapshot(), before);
    ASSERT_EQ(app.dialogs().boxes.size(), 1u);
    EXPECT_TRUE(app.dialogs().boxes[0].question);
    EXPECT_NE(app.dialogs().boxes[0].text.find(app.at("Downloads_off")), std::string::npos);
    EXPECT_TRUE(find());  // "Yes": flagged, and written down
    EXPECT_TRUE(app.app.run.downloadsHidden);
    EXPECT_NE(
        app.fs().contents(app.at(kHiddenFoldersRecord)).value_or("").find("\r\nDownloads\r\n"),
        std::string::npos);

    // A record of a folder that is back meanwhile is dropped.
    app.fs().removeFolder(app.at("Downloads_off"));
    app.fs().deleteFile(app.at("SavedSims_off"));
    EXPECT_FALSE(find());
    EXPECT_EQ(app.fs().exists(app.at(kHiddenFoldersRecord)), PathKind::missing);
}

}  // namespace
}  // namespace seamster
