#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/BodyShop.h"
#include "content/FolderHiding.h"
#include "content/FolderMerge.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

using Items = std::vector<std::string>;

const char kUndiesLine[] = "The default undies were replaced \n";
const char kDownloadsLine[] = "The Downloads folder is unhidden \n";
const char kSavedSimsLine[] = "The SavedSims folder is unhidden \n";
const char kDownloadsFailed[] = "Unable to unhide the Downloads folder \n";

// Every file as "name = contents", sorted: where a file sits may change, and
// a package may be switched on or off, but no file may disappear.
std::multiset<std::string> fileContents(const MemoryFileSystem& fs) {
    std::multiset<std::string> files;
    for (const std::string& entry : fs.snapshot()) {
        size_t separator = entry.find(" = ");
        if (separator == std::string::npos) continue;  // a folder
        size_t nameStart = entry.rfind('\\', separator) + 1;
        std::string name = entry.substr(nameStart, separator - nameStart);
        for (const char* ending : {".package", ".off"})
            if (name.ends_with(ending)) name.resize(name.size() - std::strlen(ending));
        files.insert(name + entry.substr(separator));
    }
    return files;
}

// Every file of `before` is still somewhere in `after`, as often as it was.
::testing::AssertionResult noFileLost(const std::multiset<std::string>& before,
                                      const std::multiset<std::string>& after) {
    for (const std::string& file : before)
        if (after.count(file) < before.count(file))
            return ::testing::AssertionFailure() << "lost " << file;
    return ::testing::AssertionSuccess();
}

class FolderHidingTest : public ::testing::Test, protected FakeApp {
protected:
    FolderHidingTest() {
        makeUserFolder();
        fs().addFile(at("Downloads\\hair.package"), "hair")
            .addFile(at("Downloads\\shoes.package"), "shoes")
            .addFile(at("SavedSims\\dress.package"), "dress")
            .addFile(app.paths.bodyshopThumbnails, "cache");
    }

    void hide(bool downloads, bool savedSims) {
        app.run.hideDownloadsOption = downloads;
        app.run.hideSavedSimsOption = savedSims;
        applyFolderHiding(app, view);
    }
    void restore() { restoreGameFiles(app, view); }
    Items boxTexts() { return dialogs().texts(); }
};

TEST(FolderHiding, HidingOneFolderLeavesTheOtherAndDropsTheThumbnailCache) {
    for (bool downloads : {true, false}) {
        FakeApp fresh;
        fresh.makeUserFolder();
        fresh.fs().addFolder(fresh.at("Downloads")).addFolder(fresh.at("SavedSims"));
        fresh.fs().addFile(fresh.app.paths.bodyshopThumbnails);
        fresh.app.run.hideDownloadsOption = downloads;
        fresh.app.run.hideSavedSimsOption = !downloads;
        applyFolderHiding(fresh.app, fresh.view);

        const char* hidden = downloads ? "Downloads" : "SavedSims";
        const char* visible = downloads ? "SavedSims" : "Downloads";
        EXPECT_EQ(fresh.fs().exists(fresh.at(std::string(hidden) + "_off")), PathKind::folder);
        EXPECT_EQ(fresh.fs().exists(fresh.at(hidden)), PathKind::missing);
        EXPECT_EQ(fresh.fs().exists(fresh.at(visible)), PathKind::folder);
        EXPECT_EQ(fresh.app.run.downloadsHidden, downloads);
        EXPECT_EQ(fresh.app.run.savedSimsHidden, !downloads);
        EXPECT_EQ(fresh.fs().exists(fresh.app.paths.bodyshopThumbnails), PathKind::missing);
        EXPECT_TRUE(fresh.app.run.bodyshopThumbnailsDeleted);
        EXPECT_FALSE(fresh.view.enabled(MainControl::refreshThumbnails));
        EXPECT_EQ(fresh.view.flushes, 1);
        EXPECT_TRUE(fresh.dialogs().boxes.empty());
    }
}

TEST_F(FolderHidingTest, HidingBothKeepsTheirFiles) {
    const auto before = fileContents(fs());
    hide(true, true);
    EXPECT_EQ(fs().contents(at("Downloads_off\\hair.package")), "hair");
    EXPECT_EQ(fs().contents(at("SavedSims_off\\dress.package")), "dress");
    EXPECT_TRUE(app.run.downloadsHidden && app.run.savedSimsHidden);
    // Written down before either was hidden.
    EXPECT_NE(
        fs().contents(at(kHiddenFoldersRecord)).value_or("").find("\nDownloads\r\nSavedSims\r\n"),
        std::string::npos);
    fs().deleteFile(at(kHiddenFoldersRecord));
    auto after = fileContents(fs());
    after.insert("cigen = cache");
    EXPECT_EQ(after, before);
}

TEST_F(FolderHidingTest, NothingChosenChangesNothing) {
    const auto before = fs().snapshot();
    hide(false, false);
    EXPECT_EQ(fs().snapshot(), before);
    EXPECT_EQ(services.journal, Items{"flush"});
    EXPECT_FALSE(app.run.bodyshopThumbnailsDeleted);
}

TEST(FolderHiding, AFolderThatCannotBeHiddenIsSaidBeforeTheRunAndShownAsVisibleAgain) {
    // No Downloads, the user's own Downloads_off in the way, or a rename
    // refused for the reason given.
    struct Case {
        bool downloads, usersOwnOff;
        FsError refused;
        const char* reason;
    };
    for (const Case& c : std::vector<Case>{
             {false, false, FsError::other, "There is no such folder."},
             {true, true, FsError::other, "A folder named Downloads_off is already there"},
             {true, false, FsError::inUse, "A program is using the folder or a file in it"},
             {true, false, FsError::accessDenied,
              "Allow an app through Controlled folder access"}}) {
        SCOPED_TRACE(c.reason);
        FakeApp f;
        f.makeUserFolder();
        f.fs().addFile(f.app.paths.bodyshopThumbnails);
        if (c.downloads) f.fs().addFolder(f.at("Downloads"));
        if (c.usersOwnOff) f.fs().addFolder(f.at("Downloads_off"));
        f.fs().failError = c.refused;
        f.services.failure = [](FsOp op, const std::string&) { return op == FsOp::rename; };
        const std::vector<std::string> before = f.fs().snapshot();
        f.view.markFolder(HiddenFolder::downloads, true);  // chosen in the Hide Game Folders window
        f.app.run.hideDownloadsOption = true;
        applyFolderHiding(f.app, f.view);
        EXPECT_FALSE(f.app.run.hideDownloadsOption || f.app.run.downloadsHidden);
        EXPECT_FALSE(f.view.folderMarks[HiddenFolder::downloads]);
        // Nothing was hidden or written down, so the cache stays.
        EXPECT_EQ(f.fs().snapshot(), before);
        ASSERT_EQ(f.dialogs().boxes.size(), 1u);
        const std::string& text = f.dialogs().boxes[0].text;
        EXPECT_NE(text.find("could not hide the Downloads folder:\n" + f.at("Downloads")),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

TEST_F(FolderHidingTest, ALockedThumbnailCacheIsReportedAndHidingStands) {
    fs().setReadOnly(app.paths.bodyshopThumbnails, true);
    app.run.bodyshopThumbnailsDeleted = true;
    hide(false, true);
    EXPECT_TRUE(app.run.savedSimsHidden);
    EXPECT_FALSE(app.run.bodyshopThumbnailsDeleted);
    EXPECT_TRUE(view.enabled(MainControl::refreshThumbnails));
    EXPECT_EQ(
        dialogs().boxes,
        (std::vector<FakeDialogs::Box>{{"Unable to re-create Bodyshop thumbnails", 64, false}}));
}

TEST_F(FolderHidingTest, RestorationPutsEverythingBackWithOneSummary) {
    fs().addFile(std::string(config) + "wind_female_inisibleundies.package", "f")
        .addFile(std::string(config) + "wind_male_inisibleundies.package", "m");
    hide(true, true);
    app.run.undiesRestorePending = true;
    app.run.hideDownloadsOption = app.run.hideSavedSimsOption = true;
    for (HiddenFolder folder : {HiddenFolder::downloads, HiddenFolder::savedSims})
        view.markFolder(folder, true);
    for (Underwear underwear : {Underwear::male, Underwear::female})
        view.markUnderwear(underwear, true);
    restore();

    EXPECT_EQ(boxTexts(), Items{std::string(kUndiesLine) + kDownloadsLine + kSavedSimsLine});
    EXPECT_EQ(dialogs().boxes[0].icon, 64);
    EXPECT_EQ(fs().contents(at("Downloads\\hair.package")), "hair");
    EXPECT_EQ(fs().contents(at("SavedSims\\dress.package")), "dress");
    EXPECT_EQ(fs().contents(std::string(config) + "wind_female_inisibleundies.off"), "f");
    EXPECT_EQ(fs().contents(std::string(config) + "wind_male_inisibleundies.off"), "m");
    EXPECT_FALSE(app.run.undiesRestorePending || app.run.downloadsHidden ||
                 app.run.savedSimsHidden || app.run.hideDownloadsOption ||
                 app.run.hideSavedSimsOption);
    EXPECT_EQ(view.folderMarks, (std::map<HiddenFolder, bool>{{HiddenFolder::downloads, false},
                                                              {HiddenFolder::savedSims, false}}));
    EXPECT_EQ(view.underwearMarks,
              (std::map<Underwear, bool>{{Underwear::male, false}, {Underwear::female, false}}));
}

TEST_F(FolderHidingTest, UnderwearLineAppearsEvenWhenNothingWasOn) {
    app.run.undiesRestorePending = true;
    restore();
    EXPECT_EQ(boxTexts(), Items{kUndiesLine});
    // And with nothing at all to do the box still comes, empty.
    restore();
    EXPECT_EQ(boxTexts(), (Items{kUndiesLine, ""}));
}

TEST_F(FolderHidingTest, UnderwearThatStaysOnIsReportedAndTriedAgain) {
    const std::string female = std::string(config) + "wind_female_inisibleundies";
    const std::string male = std::string(config) + "wind_male_inisibleundies";
    struct Case {
        const char* why;
        bool locked;        // the package cannot be renamed
        bool offNameTaken;  // an ".off" file of that name is already there
    };
    for (const Case& c : {Case{"locked", true, false}, Case{"off name taken", false, true}}) {
        SCOPED_TRACE(c.why);
        dialogs().boxes.clear();
        fs().addFile(female + ".package", "f").addFile(male + ".package", "m");
        if (c.offNameTaken) fs().addFile(male + ".off", "old m");
        bool locked = c.locked;
        services.failure = [&](FsOp op, const std::string& path) {
            return locked && op == FsOp::rename && path == male + ".package";
        };
        app.run.undiesRestorePending = true;
        for (int pass = 0; pass < 3; ++pass) restore();
        EXPECT_EQ(boxTexts(), Items{"Unable to replace the default undies \n"});
        EXPECT_TRUE(app.run.undiesRestorePending);
        EXPECT_TRUE(view.underwearMarks[Underwear::male]);  // still shown as on
        EXPECT_FALSE(view.underwearMarks[Underwear::female]);
        EXPECT_EQ(fs().contents(female + ".off"), "f");
        EXPECT_EQ(fs().contents(male + ".package"), "m");

        // Once the obstacle is gone the next pass finishes and says so.
        locked = false;
        if (c.offNameTaken) fs().deleteFile(male + ".off");
        restore();
        EXPECT_EQ(boxTexts().back(), kUndiesLine);
        EXPECT_FALSE(app.run.undiesRestorePending);
        EXPECT_FALSE(view.underwearMarks[Underwear::male]);
        EXPECT_EQ(fs().contents(male + ".off"), "m");
        fs().deleteFile(female + ".off");
        fs().deleteFile(male + ".off");
    }
}

TEST_F(FolderHidingTest, AFolderThatCannotBeUnhiddenStaysFlagged) {
    hide(true, true);
    services.failure = [this](FsOp op, const std::string& path) {
        return op == FsOp::rename && path == at("Downloads_off");
    };
    restore();
    EXPECT_EQ(boxTexts(), Items{std::string(kDownloadsFailed) + kSavedSimsLine});
    EXPECT_TRUE(app.run.downloadsHidden);
    EXPECT_FALSE(app.run.savedSimsHidden);
    EXPECT_TRUE(view.folderMarks[HiddenFolder::downloads]);
    EXPECT_FALSE(view.folderMarks[HiddenFolder::savedSims]);
}

TEST_F(FolderHidingTest, ARecreatedFolderIsMovedIntoTheRealOneWithItsSubFolders) {
    hide(true, false);
    fs().addFile(at("Downloads_off\\same.package"), "old")
        .addFile(at("Downloads_off\\Shared\\mine.package"), "mine")
        .addFile(at("Downloads_off\\Shared\\twin.package"), "twin");
    fs().addFile(at("Downloads\\new.package"), "new")
        .addFile(at("Downloads\\same.package"), "newer")
        .addFile(at("Downloads\\locked.package"), "locked")
        .addFile(at("Downloads\\Sub\\deep\\x.package"), "x")
        .addFile(at("Downloads\\Shared\\theirs.package"), "theirs")
        .addFile(at("Downloads\\Shared\\twin.package"), "twin");
    fs().setReadOnly(at("Downloads\\locked.package"), true);
    // The first try finds a file in use and says so; the second moves it all.
    bool held = true;
    fs().failError = FsError::inUse;
    services.failure = [&](FsOp op, const std::string& path) {
        const bool inDownloads = path.find("\\Downloads") != std::string::npos;
        if (inDownloads && (op == FsOp::copy ||
                            (op == FsOp::deleteFile && path.find("twin") == std::string::npos)))
            ADD_FAILURE() << "not a move: " << path;
        return held && op == FsOp::rename && path == at("Downloads\\Shared\\theirs.package");
    };
    restore();
    EXPECT_TRUE(app.run.downloadsHidden);
    held = false;
    restore();

    EXPECT_EQ(boxTexts(),
              (Items{"Unable to unhide the Downloads folder: Downloads\\Shared\\theirs.package (in "
                     "the Downloads folder the game made during the run) is in use by another "
                     "program \nsame.package made during the run is kept as same (2).package \n",
                     kDownloadsLine}));
    EXPECT_EQ(fs().exists(at("Downloads_off")), PathKind::missing);
    EXPECT_EQ(fs().exists(at(kHiddenFoldersRecord)), PathKind::missing);
    for (const auto& [name, data] :
         std::vector<std::pair<std::string, std::string>>{{"hair.package", "hair"},
                                                          {"new.package", "new"},
                                                          {"same.package", "old"},
                                                          {"same (2).package", "newer"},
                                                          {"locked.package", "locked"},
                                                          {"Sub\\deep\\x.package", "x"},
                                                          {"Shared\\mine.package", "mine"},
                                                          {"Shared\\theirs.package", "theirs"},
                                                          {"Shared\\twin.package", "twin"}})
        EXPECT_EQ(fs().contents(at("Downloads\\" + name)), data) << name;
    EXPECT_EQ(fs().exists(at("Downloads\\Shared\\twin (2).package")), PathKind::missing);
}

TEST_F(FolderHidingTest, AnEmptyRecreatedFolderIsSimplyReplaced) {
    hide(false, true);
    fs().addFolder(at("SavedSims"));
    restore();
    EXPECT_EQ(boxTexts(), Items{kSavedSimsLine});
    EXPECT_EQ(fs().contents(at("SavedSims\\dress.package")), "dress");
}

TEST_F(FolderHidingTest, AMergeThatKeepsFailingIsReportedOnce) {
    hide(true, true);
    fs().addFile(at("Downloads\\new.package"), "new");
    services.failure = [&](FsOp op, const std::string& path) {
        return op == FsOp::rename && path == at("Downloads\\new.package");
    };
    for (int pass = 0; pass < 3; ++pass) restore();
    const std::string stuck =
        "Unable to unhide the Downloads folder: Downloads\\new.package (in the Downloads folder "
        "the game made during the run) could not be moved \n";
    EXPECT_EQ(boxTexts(), (Items{stuck + kSavedSimsLine, stuck}));
    EXPECT_TRUE(app.run.downloadsHidden);
}

// Runs `step` once per change it makes, failing a different one each time,
// and checks that no file of the set-up ever goes missing.
template <typename SetUp, typename Step>
void failEachChange(SetUp setUp, Step step, const char* except = nullptr) {
    int changes = 0;
    {
        FakeApp clean;
        setUp(clean);
        step(clean);
        changes = clean.fs().changeCount;
    }
    ASSERT_GT(changes, 0);
    for (int failing = 0; failing < changes; ++failing) {
        SCOPED_TRACE("change " + std::to_string(failing) + " fails");
        FakeApp fake;
        setUp(fake);
        auto before = fileContents(fake.fs());
        if (except) before.erase(except);
        fake.fs().changeCount = 0;
        fake.fs().failChangeNumber = failing;
        step(fake);
        EXPECT_TRUE(noFileLost(before, fileContents(fake.fs())));
        // Once the fault is gone, the next try finishes the job.
        fake.fs().failChangeNumber = -1;
        step(fake);
        EXPECT_TRUE(noFileLost(before, fileContents(fake.fs())));
    }
}

void gameFolders(FakeApp& fake) {
    fake.makeUserFolder();
    fake.fs()
        .addFile(fake.at("Downloads\\a.package"), "a")
        .addFile(fake.at("Downloads\\b.package"), "b")
        .addFile(fake.at("SavedSims\\c.package"), "c")
        .addFile(fake.app.paths.bodyshopThumbnails, "cache")
        .addFile(std::string(FakeApp::config) + "wind_female_inisibleundies.package", "f");
}

void hiddenWithRecreatedDownloads(FakeApp& fake) {
    fake.makeUserFolder();
    fake.fs()
        .addFile(fake.at("Downloads_off\\a.package"), "a")
        .addFile(fake.at("SavedSims_off\\c.package"), "c")
        .addFile(fake.at("Downloads\\new.package"), "new")
        .addFile(fake.at("Downloads\\locked.package"), "locked")
        .addFile(std::string(FakeApp::config) + "wind_male_inisibleundies.package", "m");
    fake.fs().setReadOnly(fake.at("Downloads\\locked.package"), true);
    fake.app.run.downloadsHidden = fake.app.run.savedSimsHidden = true;
    fake.app.run.undiesRestorePending = true;
}

TEST(FolderHidingFaults, HidingLosesNoFileWhateverFails) {
    failEachChange(
        gameFolders,
        [](FakeApp& fake) {
            fake.app.run.hideDownloadsOption = fake.app.run.hideSavedSimsOption = true;
            applyFolderHiding(fake.app, fake.view);
        },
        "cigen = cache");
}

TEST(FolderHidingFaults, RestorationLosesNoFileAndRecovers) {
    failEachChange(hiddenWithRecreatedDownloads,
                   [](FakeApp& fake) { restoreGameFiles(fake.app, fake.view); });

    FakeApp fake;
    hiddenWithRecreatedDownloads(fake);
    fake.fs().failChangeNumber = 3;  // somewhere inside the merge
    restoreGameFiles(fake.app, fake.view);
    fake.fs().failChangeNumber = -1;
    restoreGameFiles(fake.app, fake.view);
    EXPECT_FALSE(fake.app.run.downloadsHidden || fake.app.run.savedSimsHidden);
    EXPECT_EQ(fake.fs().contents(fake.at("Downloads\\new.package")), "new");
    EXPECT_EQ(fake.fs().contents(fake.at("Downloads\\a.package")), "a");
    EXPECT_EQ(fake.fs().exists(fake.at("Downloads_off")), PathKind::missing);
}

TEST(FolderHidingFaults, MergeReportsEveryFailureAndLosesNothing) {
    const std::string recreated = "C:\\U\\Downloads", hidden = "C:\\U\\Downloads_off";
    auto setUp = [&](FakeApp& fake) {
        fake.fs().addFile(recreated + "\\x", "x").addFile(recreated + "\\y", "y");
        fake.fs().setReadOnly(recreated + "\\y", true);
    };
    failEachChange(setUp, [&](FakeApp& fake) {
        bool merged = mergeRecreatedFolder(fake.fs(), recreated, hidden);
        EXPECT_EQ(merged, fake.fs().exists(recreated) == PathKind::missing);
    });

    MemoryFileSystem fs;
    EXPECT_FALSE(mergeRecreatedFolder(fs, recreated, hidden));  // nothing to list
    fs.addFile(recreated);                                      // a file, not a folder
    EXPECT_FALSE(mergeRecreatedFolder(fs, recreated, hidden));
    EXPECT_EQ(fs.exists(recreated), PathKind::file);

    // Across volumes a file is copied, on the disk before it takes its name.
    fs.addFile("D:\\Downloads\\x", "x").addFolder("E:\\Downloads_off");
    EXPECT_TRUE(mergeRecreatedFolder(fs, "D:\\Downloads", "E:\\Downloads_off"));
    EXPECT_EQ(fs.flushedContents("E:\\Downloads_off\\x"), "x");
    EXPECT_EQ(fs.exists("D:\\Downloads"), PathKind::missing);
}

TEST_F(FolderHidingTest, AFailingRestorationReportsOnlyWhenItsSummaryChanges) {
    hide(true, false);
    bool locked = true;
    services.failure = [&](FsOp op, const std::string& path) {
        return locked && op == FsOp::rename && path == at("Downloads_off");
    };
    for (int pass = 0; pass < 5; ++pass) restore();
    EXPECT_EQ(boxTexts(), Items{kDownloadsFailed});

    // SavedSims comes back meanwhile: that summary reads differently.
    fs().addFolder(at("SavedSims_off"));
    app.run.savedSimsHidden = true;
    restore();
    restore();
    restore();
    EXPECT_EQ(boxTexts(), (Items{kDownloadsFailed, std::string(kDownloadsFailed) + kSavedSimsLine,
                                 kDownloadsFailed}));

    locked = false;
    restore();
    EXPECT_EQ(boxTexts().back(), kDownloadsLine);
    EXPECT_FALSE(app.run.downloadsHidden);
    restore();  // nothing pending: the main loop would not call it, but it says so
    EXPECT_EQ(boxTexts().size(), 5u);
}

TEST_F(FolderHidingTest, EveryRunEndsWithItsSummaryEvenWhenTheFailureRepeats) {
    app.settings.game.runBodyshop = "D:\\TS2BodyShop.exe";
    fs().addFile(app.settings.game.runBodyshop);
    hide(true, false);
    services.failure = [this](FsOp op, const std::string& path) {
        return op == FsOp::rename && path == at("Downloads_off");
    };
    restore();
    restore();
    EXPECT_EQ(boxTexts().size(), 1u);

    launchBodyShop(app, view);  // the next run
    restore();
    EXPECT_EQ(boxTexts(), (Items{kDownloadsFailed, kDownloadsFailed}));
}

}  // namespace
}  // namespace seamster
