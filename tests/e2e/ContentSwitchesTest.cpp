// The game content switches around one Body Shop run: hiding the Downloads
// and SavedSims folders, the Extras window's replacement packages, and
// putting everything back once the Body Shop has ended.

#include <algorithm>

#include "GameContent.h"

namespace seamster::e2e {
namespace {

class ContentSwitches : public ContentScenario {};

std::vector<std::string> sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
}

TEST_F(ContentSwitches, HiddenFoldersComeBackWithWhatTheRunPutInANewDownloadsFolder) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    const std::string g = game();
    const FolderContents downloads = folderContents(g + "\\Downloads");
    const FolderContents savedSims = folderContents(g + "\\SavedSims");
    ASSERT_TRUE(downloads.count("Clothing\\Evening_Dress.package")) << "unexpected sandbox";
    ASSERT_TRUE(savedSims.count("Summer_Dress.package")) << "unexpected sandbox";
    const HICON visible = statusIcon(0);
    ASSERT_NE(visible, nullptr);
    EXPECT_EQ(statusIcon(1), visible);

    // Choosing marks both folders for the next run and renames nothing yet.
    HWND hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
    ASSERT_NE(hide, nullptr);
    snap(hide, "hide-game-folders");
    EXPECT_EQ(text(control(hide, 210)), " Hide the Downloads Folder");
    EXPECT_EQ(text(control(hide, 211)), " Hide the Saved Sims Folder");
    EXPECT_EQ(text(control(hide, 200)), "OK");
    EXPECT_EQ(clientRect(hide), (Rect{0, 0, 346, 100}));
    EXPECT_FALSE(isChecked(control(hide, 210)));
    EXPECT_FALSE(isChecked(control(hide, 211)));
    EXPECT_FALSE(style(hide) & WS_SYSMENU) << "only OK closes the window";
    pressOk(hide, 200);
    chooseToHideBothFolders();
    const HICON changed = statusIcon(0);
    EXPECT_NE(changed, visible);
    EXPECT_EQ(statusIcon(1), changed);
    EXPECT_TRUE(folderExists(g + "\\Downloads"));
    snap(main_, "folders-chosen");

    // The ticks stay until the run.
    hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(isChecked(control(hide, 210)));
    EXPECT_TRUE(isChecked(control(hide, 211)));
    pressOk(hide, 200);

    // "OK" in Extras with nothing chosen still asks for the default
    // underwear to be put back after the run.
    confirmExtras();

    StandIn standIn;
    runBodyShop(standIn);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_FALSE(folderExists(g + "\\Downloads"));
    EXPECT_FALSE(folderExists(g + "\\SavedSims"));
    EXPECT_EQ(folderContents(g + "\\Downloads_off"), downloads);
    EXPECT_EQ(folderContents(g + "\\SavedSims_off"), savedSims);
    EXPECT_FALSE(fileExists(g + "\\cigen.package")) << "the thumbnail cache outlived the hiding";
    EXPECT_FALSE(isEnabled(control(main_, runBodyshopGadget)));
    EXPECT_FALSE(toolBarButtonEnabled(toolBar(), mainButton::hideGameFolders));
    EXPECT_FALSE(toolBarButtonEnabled(toolBar(), mainButton::extras));
    snap(standIn.window(), "stand-in");

    // The game makes a new Downloads folder while the real one is hidden.
    ASSERT_TRUE(makeFolders(g + "\\Downloads"));
    ASSERT_TRUE(writeFileBytes(g + "\\Downloads\\New_Shoes.package", "DBPF new shoes"));
    ASSERT_TRUE(writeFileBytes(g + "\\Downloads\\readme.txt", "A newer readme."));

    ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    EXPECT_EQ(answerBox(IDOK, "summary"),
              "The default undies were replaced \n"
              "The Downloads folder is unhidden \n"
              "readme.txt made during the run is kept as readme (2).txt \n"
              "The SavedSims folder is unhidden \n");

    // The user's own readme stays; the run's is kept beside it.
    FolderContents merged = downloads;
    merged["New_Shoes.package"] = "DBPF new shoes";
    merged["readme (2).txt"] = "A newer readme.";
    EXPECT_EQ(folderContents(g + "\\Downloads"), merged);
    EXPECT_EQ(folderContents(g + "\\SavedSims"), savedSims);
    EXPECT_FALSE(folderExists(g + "\\Downloads_off"));
    EXPECT_FALSE(folderExists(g + "\\SavedSims_off"));
    settle(main_);
    EXPECT_EQ(statusIcon(0), visible);
    EXPECT_EQ(statusIcon(1), visible);
    EXPECT_TRUE(isEnabled(control(main_, runBodyshopGadget)));
    // The cache is gone until the game rebuilds it, so there is nothing to refresh.
    EXPECT_FALSE(isEnabled(control(main_, 10)));

    // Each run asks afresh which folders to hide.
    hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
    ASSERT_NE(hide, nullptr);
    EXPECT_FALSE(isChecked(control(hide, 210)));
    EXPECT_FALSE(isChecked(control(hide, 211)));
    pressOk(hide, 200);

    quitWithQuestion(seamster_, main_);
}

TEST_F(ContentSwitches, ExtrasSwitchReplacementsOnAndTheUnderwearGoesBackAfterTheRun) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    const std::string config = game() + "\\Config\\";
    const HICON defaultMale = statusIcon(2);
    const HICON defaultFemale = statusIcon(3);
    ASSERT_NE(defaultFemale, nullptr);
    EXPECT_NE(defaultMale, defaultFemale);

    HWND extras = openFromToolBar(mainButton::extras, extrasTitle);
    ASSERT_NE(extras, nullptr);
    snap(extras, "extras-window");
    EXPECT_EQ(clientRect(extras), (Rect{0, 0, 350, 248}));
    HWND backgrounds = control(extras, 58);
    const std::vector<std::string> backgroundItems = comboItems(backgrounds);
    ASSERT_EQ(backgroundItems.size(), 3u);
    EXPECT_EQ(backgroundItems[0], " Standard Background");
    EXPECT_EQ(comboSelection(backgrounds), 0);
    EXPECT_EQ(sorted({backgroundItems[1], backgroundItems[2]}),
              (std::vector<std::string>{" BodyShopscreenreplacementStudio",
                                        " BodyShopscreenreplacementSunset"}));
    const std::vector<std::string> skinItems = comboItems(control(extras, 51));
    ASSERT_EQ(skinItems.size(), 3u);
    EXPECT_EQ(skinItems[0], " Default (Grey)");
    EXPECT_EQ(comboItems(control(extras, 52)),
              (std::vector<std::string>{" Female - Default", " Female - Invisible"}));
    EXPECT_EQ(comboItems(control(extras, 53)),
              (std::vector<std::string>{" Male   -   Default", " Male - Invisible"}));
    HWND restore = control(extras, 57);
    EXPECT_EQ(text(restore), " Restore Default Undies when Bodyshop Ends");
    EXPECT_TRUE(isChecked(restore));
    EXPECT_FALSE(isEnabled(restore)) << "nothing invisible is chosen yet";

    const int studio = indexOf(backgroundItems, " BodyShopscreenreplacementStudio");
    ASSERT_TRUE(chooseComboItem(backgrounds, studio));
    ASSERT_TRUE(chooseComboItem(control(extras, 52), 1));
    settle(extras, 100);
    EXPECT_TRUE(isEnabled(restore)) << "invisible underwear is chosen";
    snap(extras, "extras-chosen");
    pressOk(extras, 50);

    EXPECT_TRUE(fileExists(config + "BodyShopscreenreplacementStudio.package"));
    EXPECT_FALSE(fileExists(config + "BodyShopscreenreplacementStudio.off"));
    EXPECT_TRUE(fileExists(config + "BodyShopscreenreplacementSunset.off"));
    EXPECT_TRUE(fileExists(config + "mannequinreplacementTan.off"));
    EXPECT_TRUE(fileExists(config + "mannequinreplacementDark.off"));
    EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.package"));
    EXPECT_FALSE(fileExists(config + "wind_female_inisibleundies.off"));
    EXPECT_TRUE(fileExists(config + "wind_male_inisibleundies.off"));
    const HICON invisible = statusIcon(3);
    EXPECT_NE(invisible, defaultFemale);
    EXPECT_EQ(statusIcon(2), defaultMale);

    // Opening the window switches everything off and shows what was on.
    extras = openFromToolBar(mainButton::extras, extrasTitle);
    ASSERT_NE(extras, nullptr);
    EXPECT_TRUE(fileExists(config + "BodyShopscreenreplacementStudio.off"));
    EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.off"));
    EXPECT_EQ(comboSelection(control(extras, 58)), studio);
    EXPECT_EQ(comboSelection(control(extras, 52)), 1);
    EXPECT_TRUE(isEnabled(control(extras, 57)));
    pressOk(extras, 50);
    EXPECT_TRUE(fileExists(config + "BodyShopscreenreplacementStudio.package"));
    EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.package"));

    {
        StandIn standIn;
        runBodyShop(standIn);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.package"));
        snap(standIn.window(), "stand-in");
        ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    }
    EXPECT_EQ(answerBox(IDOK, "summary"), "The default undies were replaced \n");
    EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.off"));
    EXPECT_FALSE(fileExists(config + "wind_female_inisibleundies.package"));
    // Only the underwear is put back; the background stays on.
    EXPECT_TRUE(fileExists(config + "BodyShopscreenreplacementStudio.package"));
    settle(main_);
    EXPECT_EQ(statusIcon(3), defaultFemale);

    // Unticked, the invisible underwear stays on after the run, and there is
    // nothing to report.
    extras = openFromToolBar(mainButton::extras, extrasTitle);
    ASSERT_NE(extras, nullptr);
    ASSERT_TRUE(chooseComboItem(control(extras, 52), 1));
    settle(extras, 100);
    click(control(extras, 57));
    settle(extras, 100);
    EXPECT_FALSE(isChecked(control(extras, 57)));
    pressOk(extras, 50);
    {
        StandIn standIn;
        runBodyShop(standIn);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    }
    const ULONGLONG end = GetTickCount64() + 5000;
    while (!isEnabled(control(main_, runBodyshopGadget)) && GetTickCount64() < end) Sleep(50);
    EXPECT_TRUE(isEnabled(control(main_, runBodyshopGadget)))
        << "the end of the run went unnoticed";
    EXPECT_EQ(waitForMessageBox(seamster_.id(), 1000), nullptr) << "a summary with nothing to say";
    EXPECT_TRUE(fileExists(config + "wind_female_inisibleundies.package"));
    EXPECT_EQ(statusIcon(3), invisible);

    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
