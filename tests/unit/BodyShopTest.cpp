#include <gtest/gtest.h>

#include "app/BodyShop.h"
#include "content/FolderHiding.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

using Items = std::vector<std::string>;

TEST(BodyShopCaptions, PoseAndLightingNamesBecomeListCaptions) {
    const std::pair<const char*, const char*> poses[] = {
        {"casieHipsanim.package", " Hips"},
        {"casieWaveANIM.off", " Wave"},
        {"CASIEArmsUpAnim.Package", " ArmsUp"},
        {"my.casie.pose.anim.package", " my..pose."},
        {"casielightsreplacementanim.package", " lightsreplacement"},
        {"casieHips.package", ""},  // no "anim"
        {"Hipsanim.package", ""},   // no "casie"
    };
    for (const auto& [name, caption] : poses) EXPECT_EQ(poseCaption(name), caption) << name;

    const std::pair<const char*, const char*> lights[] = {
        {"casielightsreplacementDim.package", "  Dim Lights"},
        // The extension is removed with exact letter case only.
        {"CasieLightsReplacementDim.PACKAGE", "  Dim.PACKAGE Lights"},
        {"casielightsreplacementBright.off", "  Bright Lights"},
        {"casielightsreplacementanim.package", "  anim Lights"},
        {"casielightsDim.package", ""},
    };
    for (const auto& [name, caption] : lights) EXPECT_EQ(lightingCaption(name), caption) << name;
}

class BodyShopTest : public ::testing::Test, protected FakeApp {
protected:
    BodyShopTest() { makeUserFolder(); }

    void addConfig(std::initializer_list<const char*> names) {
        for (const char* name : names) fs().addFile(std::string(config) + name, name);
    }
    std::string slot(const PackageSwitchList& list, int i) const {
        return list.slots[size_t(i)].substr(std::string(config).size());
    }
    Items slots(const PackageSwitchList& list) const {
        Items out;
        for (int i = 1; i <= list.count; ++i) out.push_back(slot(list, i));
        return out;
    }
    // Names in the Config folder, in listing order.
    Items configNames() {
        std::vector<DirEntry> entries;
        fs().list(config, "*.*", entries);
        Items out;
        for (const DirEntry& entry : entries) out.push_back(entry.name);
        return out;
    }
};

TEST_F(BodyShopTest, ScanFillsBothListsAndSelectsTheActivePackages) {
    addConfig({"casieHipsanim.package", "casieWaveANIM.off", "readme.txt",
               "CasieLightsReplacementDim.PACKAGE", "casielightsreplacementBright.off"});
    scanConfigPackages(app, view);

    EXPECT_EQ(view.listItems[SwitchList::pose], (Items{" Hands on Hips", " Hips", " Wave"}));
    EXPECT_EQ(view.listSelection[SwitchList::pose], 1);
    EXPECT_EQ(slots(app.switches.pose), (Items{"casieHipsanim.package", "casieWaveANIM.off"}));
    EXPECT_EQ(view.listItems[SwitchList::lighting],
              (Items{"  Default Lighting", "  Dim.PACKAGE Lights", "  Bright Lights"}));
    EXPECT_EQ(view.listSelection[SwitchList::lighting], 1);
    EXPECT_EQ(app.switches.lighting.slots[2],
              std::string(config) + "casielightsreplacementBright.off");
    EXPECT_TRUE(view.controlEnabled.empty());
}

TEST_F(BodyShopTest, AnEntryCanBeInBothListsAndTheLastActiveOneIsSelected) {
    addConfig({"casieAanim.package", "casielightsreplacementanim.package", "casieBanim.off"});
    scanConfigPackages(app, view);
    EXPECT_EQ(view.listItems[SwitchList::pose],
              (Items{" Hands on Hips", " A", " lightsreplacement", " B"}));
    EXPECT_EQ(view.listSelection[SwitchList::pose], 2);
    EXPECT_EQ(view.listItems[SwitchList::lighting], (Items{"  Default Lighting", "  anim Lights"}));
    EXPECT_EQ(view.listSelection[SwitchList::lighting], 1);
}

TEST_F(BodyShopTest, EmptyOrMissingConfigDisablesBothLists) {
    scanConfigPackages(app, view);
    EXPECT_FALSE(view.enabled(MainControl::poseList));
    EXPECT_FALSE(view.enabled(MainControl::lightingList));
    EXPECT_EQ(app.switches.pose.count + app.switches.lighting.count, 0);

    addConfig({"casielightsreplacementDim.off"});
    view = FakeMainView();
    scanConfigPackages(app, view);
    EXPECT_FALSE(view.enabled(MainControl::poseList));
    EXPECT_TRUE(view.enabled(MainControl::lightingList));
}

TEST_F(BodyShopTest, The101stPackageTakesTheLastSlot) {
    for (int i = 1; i <= 101; ++i)
        fs().addFile(std::string(config) + "casieP" + std::to_string(i) + "anim.off");
    scanConfigPackages(app, view);

    EXPECT_EQ(app.switches.pose.count, 100);
    EXPECT_EQ(slot(app.switches.pose, 99), "casieP99anim.off");
    EXPECT_EQ(slot(app.switches.pose, 100), "casieP101anim.off");
    const Items& items = view.listItems[SwitchList::pose];
    ASSERT_EQ(items.size(), 102u);
    EXPECT_EQ(items[100], " P101");
    EXPECT_EQ(items[101], " P100");
}

class SwitchPackagesTest : public BodyShopTest {
protected:
    SwitchPackagesTest() {
        addConfig({"casieAanim.package", "casieBanim.off", "casieCanim.OFF"});
        scanConfigPackages(app, view);
    }
};

TEST_F(SwitchPackagesTest, OnlyTheSelectedPackageEndsInPackage) {
    switchPackages(fs(), app.switches.pose, 0);
    EXPECT_EQ(configNames(), (Items{"casieAanim.off", "casieBanim.off", "casieCanim.off"}));
    EXPECT_EQ(slots(app.switches.pose), configNames());

    switchPackages(fs(), app.switches.pose, 2);
    EXPECT_EQ(configNames(), (Items{"casieAanim.off", "casieBanim.package", "casieCanim.off"}));
    EXPECT_EQ(slots(app.switches.pose), configNames());
    EXPECT_EQ(fs().contents(std::string(config) + "casieBanim.package"), "casieBanim.off");
}

TEST_F(SwitchPackagesTest, AFailedRenameKeepsTheSlotOnTheFileSoLaterSwitchesWork) {
    services.failure = [](FsOp op, const std::string& path) {
        return op == FsOp::rename && path.find("casieAanim") != std::string::npos;
    };
    switchPackages(fs(), app.switches.pose, 2);
    EXPECT_EQ(configNames(), (Items{"casieAanim.package", "casieBanim.package", "casieCanim.off"}));
    EXPECT_EQ(slots(app.switches.pose), configNames());

    services.failure = nullptr;  // the lock is gone
    switchPackages(fs(), app.switches.pose, 3);
    EXPECT_EQ(configNames(), (Items{"casieAanim.off", "casieBanim.off", "casieCanim.package"}));
    EXPECT_EQ(slots(app.switches.pose), configNames());
}

TEST(SwitchPackages, ANameWithoutExtensionStaysInItsFolder) {
    // A dot in the user's folder must not be taken for the package's extension.
    const std::string folder = "C:\\Users\\ann.lee\\Documents\\EA Games\\The Sims 2\\Config\\";
    MemoryFileSystem fs;
    fs.addFile(folder + "casieSitanim", "pose");
    PackageSwitchList list;
    list.count = 1;
    list.slots[1] = folder + "casieSitanim";
    switchPackages(fs, list, 0);
    EXPECT_EQ(list.slots[1], folder + "casieSitanim.off");
    EXPECT_EQ(fs.contents(folder + "casieSitanim.off"), "pose");
    switchPackages(fs, list, 1);
    EXPECT_EQ(fs.contents(folder + "casieSitanim.package"), "pose");
}

class LaunchTest : public BodyShopTest {
protected:
    LaunchTest() {
        app.settings.game.runBodyshop = "D:\\EA GAMES\\The Sims 2\\CSBin\\TS2BodyShop.exe";
        fs().addFile(app.settings.game.runBodyshop);
        addConfig({"casieAanim.package", "casieBanim.off", "casielightsreplacementDim.off"});
        fs().addFile(app.paths.bodyshopThumbnails, "cache");
        fs().addFolder(at("Downloads"));
        scanConfigPackages(app, view);
        services.journal.clear();
    }
};

TEST_F(LaunchTest, HidesThenSwitchesLightingThenPosesThenStartsTheBodyShop) {
    app.run.hideDownloadsOption = true;
    view.chooseSwitch(SwitchList::pose, 2);
    view.chooseSwitch(SwitchList::lighting, 1);
    launchBodyShop(app, view);

    const std::string c = config, record = at(kHiddenFoldersRecord);
    EXPECT_EQ(
        services.journal,
        (Items{"createFile " + record + ".~seamster-1.tmp", "write " + record + ".~seamster-1.tmp",
               "replace " + record + ".~seamster-1.tmp", "rename " + at("Downloads"),
               "delete " + app.paths.bodyshopThumbnails, "flush",
               "rename " + c + "casielightsreplacementDim.off",
               "rename " + c + "casieAanim.package", "rename " + c + "casieBanim.off",
               "open D:\\EA GAMES\\The Sims 2\\CSBin\\TS2BodyShop.exe -r800x600"}));
    EXPECT_EQ(configNames(),
              (Items{"casieAanim.off", "casieBanim.package", "casielightsreplacementDim.package"}));
    EXPECT_FALSE(view.enabled(MainControl::runBodyShop));
    EXPECT_FALSE(view.enabled(MainControl::size1024));
    EXPECT_TRUE(view.enabled(MainControl::size800));
    EXPECT_TRUE(app.run.downloadsHidden);
}

TEST_F(LaunchTest, LargeScreenSizeGoesOnTheCommandLine) {
    view.smallChosen = false;
    launchBodyShop(app, view);
    ASSERT_EQ(services.shell.opened.size(), 1u);
    EXPECT_EQ(services.shell.opened[0].parameters, "-r1024x768");
    EXPECT_FALSE(view.enabled(MainControl::size800));
    EXPECT_TRUE(view.enabled(MainControl::size1024));
    // Nothing hidden: the thumbnail cache stays.
    EXPECT_EQ(fs().exists(app.paths.bodyshopThumbnails), PathKind::file);
}

TEST_F(LaunchTest, ArmsAutoQuitAndUnderwearRestorationFromTheSettings) {
    struct Case {
        int autoQuit;
        bool restoreUndies;
    };
    for (Case c : {Case{0, false}, Case{1, false}, Case{0, true}, Case{2, true}}) {
        app.run = {};
        app.settings.options.autoQuit = c.autoQuit;
        app.run.restoreUndiesOption = c.restoreUndies;
        launchBodyShop(app, view);
        EXPECT_EQ(app.run.autoQuitPending, c.autoQuit != 0);
        EXPECT_EQ(app.run.undiesRestorePending, c.restoreUndies);
        EXPECT_FALSE(app.run.quitRequested);
    }
}

TEST_F(BodyShopTest, LaunchWithoutPackagesRenamesNothing) {
    app.settings.game.runBodyshop = "E:\\Sims\\TS2BodyShop.exe";
    fs().addFile(app.settings.game.runBodyshop);
    services.journal.clear();
    launchBodyShop(app, view);
    EXPECT_EQ(services.journal, (Items{"flush", "open E:\\Sims\\TS2BodyShop.exe -r800x600"}));
}

TEST_F(LaunchTest, OnlyAnExistingBodyShopAtAFullPathIsStartedAndNothingIsHiddenOtherwise) {
    fs().addFile("C:\\Seamster\\TS2BodyShop.exe").addFile("D:\\Setup.exe");
    const std::string rest =
        "Nothing was started and no folder was hidden.\nPress \"Seamster "
        "Setup\" to choose the game or pack whose Body Shop you use.";
    app.run.hideDownloadsOption = true;
    // A bare or relative name would be looked for in the current folder and the PATH.
    for (std::string path : {"Openkey-Error", "TS2BodyShop.exe", "Seamster\\TS2BodyShop.exe",
                             "D:\\Setup.exe", "D:\\CSBin\\TS2BodyShop.exe"}) {
        app.settings.game.runBodyshop = path;
        launchBodyShop(app, view);
        const std::string shown = path[1] == ':' ? path + "\n\n" : "";
        EXPECT_EQ(dialogs().texts().back(), "Can't Find BodyShop.exe!\n\n" + shown + rest);
    }
    EXPECT_EQ(services.journal.size(), 5u) << "nothing but the boxes";
    EXPECT_TRUE(view.enabled(MainControl::runBodyShop));
}

class RefreshThumbnailsTest : public BodyShopTest {
protected:
    std::string note() const { return thumbnailNote; }
    FakeDialogs::Box question() const { return {thumbnailQuestion, 32, true}; }
};

TEST_F(RefreshThumbnailsTest, AnsweringNoChangesNothing) {
    fs().addFile(app.paths.bodyshopThumbnails).addFile(app.paths.casThumbnails);
    dialogs().defaultAnswer = answerNo;
    refreshThumbnails(app, view);
    EXPECT_EQ(dialogs().boxes, std::vector<FakeDialogs::Box>{question()});
    EXPECT_EQ(fs().exists(app.paths.bodyshopThumbnails), PathKind::file);
    EXPECT_EQ(fs().exists(app.paths.casThumbnails), PathKind::file);
}

TEST_F(RefreshThumbnailsTest, DeletesBothCachesAndReportsThem) {
    fs().addFile(app.paths.bodyshopThumbnails).addFile(app.paths.casThumbnails);
    dialogs().defaultAnswer = answerYes;
    refreshThumbnails(app, view);
    EXPECT_EQ(fs().exists(app.paths.bodyshopThumbnails), PathKind::missing);
    EXPECT_EQ(fs().exists(app.paths.casThumbnails), PathKind::missing);
    EXPECT_FALSE(view.enabled(MainControl::refreshThumbnails));
    EXPECT_EQ(dialogs().boxes,
              (std::vector<FakeDialogs::Box>{question(),
                                             {"Bodyshop will remake the thumbnails \n\n"
                                              "The Sims2 CAS will remake it's thumbnails \n\n" +
                                                  note(),
                                              64, false}}));
}

TEST_F(RefreshThumbnailsTest, NothingToDeleteReportsOnlyEarlierDeletions) {
    dialogs().defaultAnswer = answerYes;
    refreshThumbnails(app, view);
    EXPECT_EQ(dialogs().boxes, std::vector<FakeDialogs::Box>{question()});
    EXPECT_TRUE(view.controlEnabled.empty());

    // The Body Shop cache went earlier in this run: it is reported again.
    app.run.bodyshopThumbnailsDeleted = true;
    refreshThumbnails(app, view);
    EXPECT_EQ(dialogs().texts().back(), "Bodyshop will remake the thumbnails \n\n" + note());
}

TEST_F(RefreshThumbnailsTest, ALockedCacheIsReportedAndTheOtherStillGoes) {
    fs().addFile(app.paths.bodyshopThumbnails).addFile(app.paths.casThumbnails);
    fs().setReadOnly(app.paths.bodyshopThumbnails, true);
    app.run.bodyshopThumbnailsDeleted = true;  // an earlier success no longer holds
    dialogs().defaultAnswer = answerYes;
    refreshThumbnails(app, view);
    EXPECT_FALSE(app.run.bodyshopThumbnailsDeleted);
    EXPECT_EQ(fs().exists(app.paths.bodyshopThumbnails), PathKind::file);
    EXPECT_EQ(fs().exists(app.paths.casThumbnails), PathKind::missing);
    EXPECT_EQ(dialogs().texts(),
              (Items{thumbnailQuestion, "Unable to re-create Bodyshop thumbnails",
                     "The Sims2 CAS will remake it's thumbnails \n\n" + note()}));
    EXPECT_EQ(dialogs().boxes[1].icon, 16);

    fs().setReadOnly(app.paths.bodyshopThumbnails, false);
    fs().addFile(app.paths.casThumbnails);
    fs().setReadOnly(app.paths.casThumbnails, true);
    refreshThumbnails(app, view);
    EXPECT_EQ(dialogs().boxes[4],
              (FakeDialogs::Box{"Unable to re-create the in-game thumbnails ", 16, false}));
}

}  // namespace
}  // namespace seamster
