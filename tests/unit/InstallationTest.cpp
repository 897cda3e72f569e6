#include <gtest/gtest.h>

#include "app/BodyShop.h"
#include "config/Installation.h"
#include "config/SettingsFile.h"
#include "fakes/FakeApp.h"
#include "platform/Text.h"

namespace seamster {
namespace {

using Items = std::vector<std::string>;

const std::string kDefaultFolder = "C:\\Program Files\\EA GAMES";

TEST(ReadRegistryText, ErrorsBecomeTheirTexts) {
    FakeRegistry registry;
    registry.value = "C:\\Games\\The Sims 2";
    const std::pair<RegistryRead, std::string> cases[] = {
        {RegistryRead::ok, "C:\\Games\\The Sims 2"},
        {RegistryRead::openFailed, "Openkey-Error"},
        {RegistryRead::readFailed, "Readkey-Error"},
    };
    for (const auto& [result, text] : cases) {
        registry.result = result;
        EXPECT_EQ(readRegistryText(registry, "Software\\EA GAMES\\The Sims 2", "Install Dir").text,
                  text);
    }
    EXPECT_EQ(registry.lastKey, "Software\\EA GAMES\\The Sims 2");
    EXPECT_EQ(registry.lastValueName, "Install Dir");
}

class InstallationTest : public ::testing::Test, protected FakeApp {
protected:
    Settings& settings = app.settings;

    void addPacks(const std::string& folder, std::initializer_list<const char*> names) {
        for (const char* name : names) fs().addFolder(folder + "\\" + name);
    }
    void discover() { discoverInstallation(app, view); }
    std::optional<std::string> savedFile() {
        return fs().contents(app.programFolder + settingsFileName);
    }
};

TEST_F(InstallationTest, RegistryValueGivesTheFolderWithItsTrailingBackslash) {
    services.registry.result = RegistryRead::ok;
    services.registry.value = kDefaultFolder + "\\The Sims 2";
    addPacks(kDefaultFolder, {"The Sims 2", "University"});
    view.setUpAnswer = 1;
    discover();

    EXPECT_EQ(settings.game.installDirectory, kDefaultFolder + "\\");
    EXPECT_EQ(view.setUpPacks, (Items{"The Sims 2", "University"}));
    EXPECT_EQ(settings.game.selectedPack, "University");
    // The doubled backslash is kept; Windows accepts it.
    EXPECT_EQ(settings.game.runBodyshop, kDefaultFolder + "\\\\University\\CSBin\\TS2BodyShop.exe");
    ASSERT_TRUE(savedFile());
    EXPECT_NE(savedFile()->find("Sims Folder Count = 2\r\n"), std::string::npos);
    EXPECT_NE(savedFile()->find("Selected Pack = University\r\n"), std::string::npos);
    EXPECT_EQ(settings.game.simsFolderCount, 2);
}

TEST_F(InstallationTest, UnreadableRegistryFallsBackToTheDefaultFolder) {
    addPacks(kDefaultFolder, {"The Sims 2"});
    for (RegistryRead failure : {RegistryRead::openFailed, RegistryRead::readFailed}) {
        settings = {};
        services.registry.result = failure;
        discover();
        EXPECT_EQ(settings.game.installDirectory, kDefaultFolder);
        EXPECT_EQ(settings.game.runBodyshop,
                  kDefaultFolder + "\\The Sims 2\\CSBin\\TS2BodyShop.exe");
    }
    EXPECT_EQ(view.browseRuns, 0);

    // A known folder is not looked up again.
    settings.game.simsFolderCount = 0;
    const int reads = services.registry.reads;
    discover();
    EXPECT_EQ(services.registry.reads, reads);
}

TEST_F(InstallationTest, NoNetworkPathIsLookedInOrStarted) {
    // A crafted settings file, registry or Steam library list naming a share.
    const std::string share = "\\\\nas\\games";
    addPacks(kDefaultFolder, {"The Sims 2"});
    settings.game.installDirectory = share;
    services.registry.result = RegistryRead::ok;
    services.registry.value = share + "\\EA GAMES\\The Sims 2";
    services.registry.set(RegistryRoot::currentUser, "Software\\Valve\\Steam", "SteamPath",
                          share + "/steam");
    Items reached;
    services.failure = [&](FsOp, const std::string& path) {
        if (isNetworkPath(path)) reached.push_back(path);
        return false;
    };
    discover();
    EXPECT_EQ(reached, Items{});
    EXPECT_EQ(settings.game.installDirectory, kDefaultFolder);

    settings.game.runBodyshop = share + "\\CSBin\\TS2BodyShop.exe";
    launchBodyShop(app, view);
    EXPECT_TRUE(services.shell.opened.empty());
}

TEST_F(InstallationTest, MissingFolderIsChosenByBrowsing) {
    view.browseAnswer = "E:\\Games\\EA GAMES\\";
    addPacks("E:\\Games\\EA GAMES", {"The Sims 2"});
    discover();

    EXPECT_EQ(dialogs().boxes,
              (std::vector<FakeDialogs::Box>{
                  {"Can't find your Sims2 Installation\n\nYou will need to set this manually\n"
                   "by selecting your EA GAMES folder in the next window\n\n"
                   "Example - for a default installation you would go to:\n"
                   "C:\\Program Files\\ and click on the EA GAMES folder",
                   16, false}}));
    EXPECT_EQ(view.browseTitle,
              "Select the EA GAMES folder in the location\nwhere your Sims2 game is installed");
    EXPECT_EQ(view.browseStart, "C:\\");
    EXPECT_EQ(settings.game.installDirectory, "E:\\Games\\EA GAMES");
    EXPECT_EQ(settings.game.runBodyshop, "E:\\Games\\EA GAMES\\The Sims 2\\CSBin\\TS2BodyShop.exe");
}

TEST_F(InstallationTest, CancelledBrowseOffersTheProgramFolder) {
    fs().addFolder(app.programFolder + "Backgrounds");
    discover();
    EXPECT_EQ(view.browseRuns, 1);
    EXPECT_EQ(settings.game.installDirectory, "");
    EXPECT_EQ(view.setUpPacks, Items{"Backgrounds"});
}

TEST_F(InstallationTest, NothingFoundAnywhereShowsNoWindowAndSavesNothing) {
    app.programFolder = "C:\\Gone\\";
    discover();
    EXPECT_EQ(view.browseRuns, 1);
    EXPECT_EQ(view.setUpRuns, 0);
    EXPECT_EQ(settings.game.currentFolderCount, 0);
    EXPECT_EQ(settings.game.runBodyshop, "Openkey-Error");
    EXPECT_FALSE(savedFile());
}

TEST_F(InstallationTest, CountsQualifyingFoldersButListsOnlySomeOfThem) {
    settings.game.installDirectory = "D:\\EA GAMES\\";
    addPacks("D:\\EA GAMES", {"ab", "The Sims 2", "zOld Pack", "Zeta Pack",
                              "The Sims 2 HomeCrafter Plus", "homecrafter pack", "Seasons"});
    fs().addFile("D:\\EA GAMES\\The Sims 2.txt");
    discover();
    EXPECT_EQ(settings.game.currentFolderCount, 6);
    EXPECT_EQ(view.setUpPacks, (Items{"The Sims 2", "Zeta Pack", "homecrafter pack", "Seasons"}));
}

TEST_F(InstallationTest, UnchangedCountShowsNothingAndSavesNothing) {
    settings.game.installDirectory = "D:\\EA GAMES";
    settings.game.selectedPack = "University";
    settings.game.runBodyshop = "kept";
    addPacks("D:\\EA GAMES", {"The Sims 2", "University", "zz"});
    settings.game.simsFolderCount = 2;
    discover();
    EXPECT_EQ(settings.game.currentFolderCount, 2);
    EXPECT_EQ(view.setUpRuns, 0);
    EXPECT_EQ(settings.game.runBodyshop, "kept");
    EXPECT_FALSE(savedFile());

    // A new pack changes the count: the window comes up with the last choice.
    addPacks("D:\\EA GAMES", {"Nightlife"});
    discover();
    EXPECT_EQ(view.setUpRuns, 1);
    EXPECT_EQ(view.setUpOffered, 1);
    EXPECT_EQ(settings.game.simsFolderCount, 3);
    EXPECT_TRUE(savedFile());
}

TEST_F(InstallationTest, DoubleDeluxeRunsThroughSp4AndIsOfferedAgain) {
    settings.game.installDirectory = "D:\\EA GAMES";
    settings.game.selectedPack = "University";
    addPacks("D:\\EA GAMES", {"The Sims 2", "University", "The Sims 2 Double Deluxe"});
    view.setUpAnswer = 2;
    discover();
    EXPECT_EQ(view.setUpOffered, 1);
    EXPECT_EQ(settings.game.selectedPack, "The Sims 2 Double Deluxe\\SP4");
    EXPECT_EQ(settings.game.runBodyshop,
              "D:\\EA GAMES\\The Sims 2 Double Deluxe\\SP4\\CSBin\\TS2BodyShop.exe");

    // The stored name carries "\SP4", yet the window offers Double Deluxe
    // again, so "OK" keeps the pack instead of switching to an older choice.
    settings.game.simsFolderCount = 0;
    view.setUpAnswer.reset();
    discover();
    EXPECT_EQ(view.setUpOffered, 2);
    EXPECT_EQ(settings.game.selectedPack, "The Sims 2 Double Deluxe\\SP4");
}

TEST_F(InstallationTest, SetUpWindowThatCannotOpenChangesNothing) {
    settings.game.installDirectory = "D:\\EA GAMES";
    settings.game.selectedPack = "University";
    settings.game.runBodyshop = "old";
    addPacks("D:\\EA GAMES", {"The Sims 2", "University"});
    view.setUpAnswer = -1;
    discover();
    EXPECT_EQ(settings.game.selectedPack, "University");
    EXPECT_EQ(settings.game.runBodyshop, "old");
    EXPECT_FALSE(savedFile());
}

}  // namespace
}  // namespace seamster
