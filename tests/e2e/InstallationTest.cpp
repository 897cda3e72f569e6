// Finding the game: no questions while the installed packs are as they were,
// the set-up window when they changed or when asked for, the manual choice
// when neither the registry nor the usual folder knows the game, and the
// warning about a missing Body Shop.

#include <algorithm>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

const std::string setUpTitle = "Seamster Set Up";
constexpr int packList = 9, okButton = 5;

// Deletes the game's registry value in both registry views.
bool removeInstallValue() {
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(KEY_WOW64_64KEY)}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, widen(installKey).c_str(), 0, KEY_SET_VALUE | view,
                          &key) != ERROR_SUCCESS)
            continue;
        const LONG removed = RegDeleteValueW(key, widen(installValueName).c_str());
        RegCloseKey(key);
        if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND) return false;
    }
    return true;
}

class Installation : public Scenario {
protected:
    // Puts the registry value back whatever the scenario did with it.
    void TearDown() override { EXPECT_TRUE(restoreInstallValue()); }

    // The main window, failing when the set-up window or a box comes first.
    HWND waitForMainWindowOnly(const Process& seamster) {
        HWND main = nullptr;
        const bool shown = waitUntil([&] {
            if (findWindow(seamster.id(), setUpTitle) || findMessageBox(seamster.id())) return true;
            main = findWindowStartingWith(seamster.id(), mainTitleStart);
            return main != nullptr;
        });
        EXPECT_TRUE(shown) << "no main window";
        if (!main) {
            EXPECT_EQ(findWindow(seamster.id(), setUpTitle), nullptr) << "the set-up window showed";
            if (HWND box = findMessageBox(seamster.id()))
                ADD_FAILURE() << "unexpected box \"" << messageBoxText(box) << "\"";
        }
        if (main) settle(main);
        return main;
    }

    // Waits for the set-up window and checks what it offers and pre-selects.
    HWND expectSetUpWindow(const Process& seamster, const std::string& preselected) {
        HWND setUp = waitForWindow(seamster.id(), setUpTitle);
        EXPECT_NE(setUp, nullptr) << "no set-up window";
        if (!setUp) return nullptr;
        settle(setUp);
        const std::vector<std::string> offered = listBoxItems(control(setUp, packList));
        EXPECT_EQ(listBoxSelection(control(setUp, packList)), indexOf(offered, preselected))
            << "\"" << preselected << "\" is not the pre-selected pack";
        return setUp;
    }

    // Chooses the pack (when given) and presses "OK".
    void choosePack(HWND setUp, const std::string& pack) {
        HWND list = control(setUp, packList);
        if (!pack.empty()) {
            const int at = indexOf(listBoxItems(list), pack);
            ASSERT_GE(at, 0) << pack << " is not offered";
            ASSERT_TRUE(chooseListBoxItem(list, at));
        }
        click(control(setUp, okButton));
        ASSERT_TRUE(waitUntilGone(setUp)) << "the set-up window did not close on OK";
    }
};

TEST_F(Installation, UnchangedPacksAskNothingAndSetUpAlwaysAsks) {
    const SettingsEntries before = settingsForPack("The Sims 2");
    writeSettings(before);
    Process seamster = startSeamster();
    HWND main = waitForMainWindowOnly(seamster);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text(main), mainTitle("The Sims 2"));
    EXPECT_EQ(readSettings(), settingsFileBytes(before)) << "nothing is saved at start";

    // "Seamster Setup" shows the window although nothing changed, over a
    // disabled main window, and the title follows the choice.
    HWND tools = childOfClass(main, "ToolbarWindow32");
    pressToolBarButton(tools, 0);
    HWND setUp = expectSetUpWindow(seamster, "The Sims 2");
    ASSERT_NE(setUp, nullptr);
    snap(setUp, "setup-window");
    EXPECT_FALSE(isEnabled(main)) << "the set-up window is modal";
    choosePack(setUp, "The Sims 2 University");
    ASSERT_TRUE(waitUntil([&] { return text(main) == mainTitle("The Sims 2 University"); }))
        << "title \"" << text(main) << "\"";
    EXPECT_TRUE(isEnabled(main));
    SettingsEntries saved = before;
    setValue(saved, "Selected Pack", "The Sims 2 University");
    setValue(saved, "RunBodyshop", bodyShopPath(installDirectory, "The Sims 2 University"));
    saved = savedAfterRun(saved);
    EXPECT_EQ(readSettings(), settingsFileBytes(saved));

    // Double Deluxe is stored with its SP4 folder, and is still the pack
    // pre-selected next time, so "OK", the only way out, keeps it.
    pressToolBarButton(tools, 0);
    setUp = expectSetUpWindow(seamster, "The Sims 2 University");
    ASSERT_NE(setUp, nullptr);
    choosePack(setUp, "The Sims 2 Double Deluxe");
    ASSERT_TRUE(waitUntil([&] { return text(main) == mainTitle("The Sims 2 Double Deluxe\\SP4"); }))
        << "title \"" << text(main) << "\"";
    pressToolBarButton(tools, 0);
    setUp = expectSetUpWindow(seamster, "The Sims 2 Double Deluxe");
    ASSERT_NE(setUp, nullptr);
    choosePack(setUp, "");
    settle(main);
    EXPECT_EQ(text(main), mainTitle("The Sims 2 Double Deluxe\\SP4"));

    quitWithQuestion(seamster, main);
}

TEST_F(Installation, NewPackFolderBringsTheSetUpBackWithThePreviousChoice) {
    const SettingsEntries before = settingsForPack("The Sims 2 Nightlife");
    writeSettings(before);
    ASSERT_TRUE(
        CreateDirectoryW(widen(installDirectory + "\\The Sims 2 Bon Voyage").c_str(), nullptr));

    Process seamster = startSeamster();
    HWND setUp = expectSetUpWindow(seamster, "The Sims 2 Nightlife");
    ASSERT_NE(setUp, nullptr);
    snap(setUp, "setup-window");
    const std::vector<std::string> offered = listBoxItems(control(setUp, packList));
    EXPECT_EQ(offered.size(), sandboxPacks.size() + 1);
    EXPECT_GE(indexOf(offered, "The Sims 2 Bon Voyage"), 0);
    choosePack(setUp, "");

    HWND main = waitForMainWindowOnly(seamster);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text(main), mainTitle("The Sims 2 Nightlife"));
    // The new count is remembered at once, so the next start asks nothing.
    SettingsEntries saved = before;
    setValue(saved, "Sims Folder Count", std::to_string(sandboxFolderCount + 1));
    setValue(saved, "Last Used", todayText());
    EXPECT_EQ(readSettings(), settingsFileBytes(saved));
    quitWithQuestion(seamster, main);
    ASSERT_FALSE(HasFailure());

    Process again = startSeamster();
    main = waitForMainWindowOnly(again);
    ASSERT_NE(main, nullptr);
    quitWithQuestion(again, main);
}

TEST_F(Installation, UnknownInstallationIsAskedForAndMayBeLeftUnset) {
    ASSERT_TRUE(deleteFile(settingsPath()));
    ASSERT_TRUE(removeInstallValue()) << "cannot remove the registry value";
    ASSERT_TRUE(removeTree(installDirectory)) << "cannot remove " << installDirectory;

    Process seamster = startSeamster();
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no box about the missing installation";
    settle(box);
    snap(box, "no-installation");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box),
              "Can't find your Sims2 Installation\n\nYou will need to set this manually\n"
              "by selecting your EA GAMES folder in the next window\n\n"
              "Example - for a default installation you would go to:\n"
              "C:\\Program Files\\ and click on the EA GAMES folder");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));

    // The folder-browse dialog, cancelled.
    HWND browse = waitForDialogHolding(seamster.id(), "SysTreeView32");
    ASSERT_NE(browse, nullptr) << "no folder-browse dialog";
    settle(browse, 500);
    snap(browse, "browse");
    // The dialog's own title line (the same control number on Windows and Wine).
    constexpr int browseTitleLine = 0x3742;
    EXPECT_EQ(text(control(browse, browseTitleLine)),
              "Select the EA GAMES folder in the location\nwhere your Sims2 game is installed");
    ASSERT_NE(control(browse, IDCANCEL), nullptr);
    click(control(browse, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(browse)) << "the folder-browse dialog did not close";

    // Nothing chosen: no game folders, no Body Shop, and the bare title.
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no box about the missing Body Shop";
    EXPECT_EQ(messageBoxText(box), "Can't Find BodyShop.exe!");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    HWND main = waitForMainWindowOnly(seamster);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text(main), mainTitleStart);

    quitWithQuestion(seamster, main);
    const std::string saved = readSettings();
    EXPECT_NE(saved.find("\r\nInstall Directory = \r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\nSims Folder Count = 0\r\n"), std::string::npos) << saved;
}

TEST_F(Installation, MissingBodyShopIsReportedAndRunStartsNothing) {
    const std::string pack = "The Sims 2 University";
    writeSettings(settingsForPack(pack));
    ASSERT_TRUE(deleteFile(bodyShopPath(installDirectory, pack)));

    Process seamster = startSeamster();
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no box about the missing Body Shop";
    settle(box);
    snap(box, "missing-body-shop");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box), "Can't Find BodyShop.exe!");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    HWND main = waitForMainWindowOnly(seamster);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text(main), mainTitle(pack));

    // A launch without a Body Shop starts nothing, says so, and leaves
    // Seamster ready for the next try.
    click(control(main, 18));
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no box about the Body Shop that cannot start";
    settle(box);
    snap(box, "cannot-start");
    const std::string cannot =
        "Can't Find BodyShop.exe!\n\n" + bodyShopPath(installDirectory, pack);
    EXPECT_EQ(messageBoxText(box).rfind(cannot + "\n\nNothing was started", 0), 0u);
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    EXPECT_TRUE(processIdsNamed("TS2BodyShop.exe").empty());
    EXPECT_TRUE(waitUntil([&] { return isEnabled(control(main, 18)); }));
    quitWithQuestion(seamster, main);
}

}  // namespace
}  // namespace seamster::e2e
