// A whole Body Shop run as a user makes it: the choices of the main window,
// the Body Shop started with them, the main window while it runs, and idle
// again once the Body Shop has been closed. Also a Body Shop started some
// other way, Auto Quit, and rebuilding the thumbnail caches.

#include <algorithm>

#include "GameContent.h"
#include "Scenario.h"

namespace seamster::e2e {
namespace {

// What the stand-in's window shows, by control.
constexpr int standInParameters = 100;
constexpr int standInPoses = 103;
constexpr int standInLighting = 104;

const std::string pack = "The Sims 2";

// The sandbox's pose and lighting packages without their extensions.
const std::vector<std::string> poseBases = {"casieHipsanim", "casieWaveanim", "casieSitanim"};
const std::vector<std::string> lightingBases = {"casielightsreplacementDim",
                                                "casielightsreplacementBright"};

// Main window controls that follow the Body Shop's state.
const int runStateGadgets[] = {10, 12, 17, 18, 24};
const int runStateButtons[] = {0, 5, 6, 7, 8, 9};
const int alwaysEnabledButtons[] = {1, 2, 3, 4};
constexpr int size800 = 15, size1024 = 16, runButton = 18, poseList = 17, lightingList = 24;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

class BodyShopRun : public Scenario {
protected:
    // A Body Shop left running would make the next scenario start mid-run.
    void TearDown() override { terminateProcessesNamed(bodyShopExe); }

    static std::string configFolder() { return gameFolder() + "\\Config\\"; }
    static std::string bodyShopLog() {
        return installDirectory + "\\" + pack + "\\CSBin\\TS2BodyShop.log";
    }

    HWND startWith(const SettingsEntries& settings, Process& seamster) {
        writeSettings(settings);
        seamster = startSeamster();
        HWND main = waitForMainWindow(seamster);
        if (main) settle(main);
        return main;
    }

    static HWND toolBar(HWND main) { return childOfClass(main, "ToolbarWindow32"); }

    // Chooses a list position and gives back the package it stands for
    // ("" for the default item), whatever order the folder was listed in.
    static std::string choosePose(HWND main, int position) {
        HWND list = control(main, poseList);
        EXPECT_TRUE(chooseComboItem(list, position));
        if (position == 0) return {};
        return "casie" + trimmed(comboItems(list).at(size_t(position))) + "anim";
    }
    static std::string chooseLighting(HWND main, int position) {
        HWND list = control(main, lightingList);
        EXPECT_TRUE(chooseComboItem(list, position));
        if (position == 0) return {};
        std::string caption = trimmed(comboItems(list).at(size_t(position)));
        return "casielightsreplacement" + caption.substr(0, caption.rfind(" Lights"));
    }

    // Only `active` ends in ".package"; every other package of the kind ends in ".off".
    static void expectOnlyActive(const std::vector<std::string>& bases, const std::string& active) {
        for (const std::string& base : bases) {
            const bool on = base == active;
            EXPECT_EQ(fileExists(configFolder() + base + ".package"), on) << base;
            EXPECT_EQ(fileExists(configFolder() + base + ".off"), !on) << base;
        }
    }

    static bool showsRunning(HWND main) {
        return !isEnabled(control(main, runButton)) && !toolBarButtonEnabled(toolBar(main), 0) &&
               !isEnabled(control(main, 10));
    }
    static bool showsIdle(HWND main) {
        return isEnabled(control(main, runButton)) && toolBarButtonEnabled(toolBar(main), 0) &&
               isEnabled(control(main, size800)) && isEnabled(control(main, size1024));
    }

    // The running state, with the size option that was not chosen disabled
    // (`chosenSize` is 15 or 16; 0 when Seamster did not start the run).
    void expectRunningState(HWND main, int chosenSize) {
        // On a timeout the checks below say which control is wrong.
        if (!waitUntil([&] { return showsRunning(main); }))
            ADD_FAILURE() << "the running state did not show";
        settle(main);
        for (int id : runStateGadgets)
            EXPECT_FALSE(isEnabled(control(main, id))) << "gadget " << id;
        for (int id : runStateButtons)
            EXPECT_FALSE(toolBarButtonEnabled(toolBar(main), id)) << "button " << id;
        for (int id : alwaysEnabledButtons)
            EXPECT_TRUE(toolBarButtonEnabled(toolBar(main), id)) << "button " << id;
        if (chosenSize != 0) {
            EXPECT_TRUE(isEnabled(control(main, chosenSize)));
            EXPECT_FALSE(isEnabled(control(main, chosenSize == size800 ? size1024 : size800)));
        }
    }

    void expectIdleState(HWND main) {
        if (!waitUntil([&] { return showsIdle(main); }))
            ADD_FAILURE() << "the idle state did not come back";
        settle(main);
        for (int id : runStateGadgets) EXPECT_TRUE(isEnabled(control(main, id))) << "gadget " << id;
        for (int id : {size800, size1024})
            EXPECT_TRUE(isEnabled(control(main, id))) << "gadget " << id;
        for (int id = 0; id <= 9; ++id)
            EXPECT_TRUE(toolBarButtonEnabled(toolBar(main), id)) << "button " << id;
    }

    // Presses "Run Bodyshop" and waits for the stand-in's window.
    HWND runBodyShop(HWND main) {
        click(control(main, runButton));
        HWND standIn = waitForProgramWindow(bodyShopExe, standInTitle);
        EXPECT_NE(standIn, nullptr) << "the Body Shop did not start";
        return standIn;
    }

    // Closes the stand-in as its user would and waits until it has ended.
    void endBodyShop(HWND standIn) {
        closeWindow(standIn);
        ASSERT_TRUE(waitUntilNoProcessNamed(bodyShopExe)) << "the Body Shop did not end";
    }
};

TEST_F(BodyShopRun, ChosenSizePoseAndLightingReachTheBodyShop) {
    Process seamster;
    HWND main = startWith(settingsForPack(pack), seamster);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(comboItems(control(main, poseList)).size(), 4u);
    const std::string pose = choosePose(main, 2);
    const std::string lighting = chooseLighting(main, 1);
    click(control(main, size1024));
    settle(main);
    ASSERT_TRUE(isChecked(control(main, size1024)));

    HWND standIn = runBodyShop(main);
    ASSERT_NE(standIn, nullptr);
    expectRunningState(main, size1024);
    settle(standIn, 500);
    snap(standIn, "body-shop");
    raiseWindow(main);
    settle(main);
    snap(main, "running");

    // Exactly one parameter, and only the chosen packages are on.
    EXPECT_EQ(text(control(standIn, standInParameters)), "-r1024x768");
    EXPECT_EQ(readFileBytes(bodyShopLog()).value_or("(no log)"), "-r1024x768\r\n");
    expectOnlyActive(poseBases, pose);
    expectOnlyActive(lightingBases, lighting);
    EXPECT_EQ(text(control(standIn, standInPoses)),
              pose + ".package\n3 pose packages in Config, 2 switched off");
    EXPECT_EQ(text(control(standIn, standInLighting)),
              lighting + ".package\n2 lighting packages in Config, 1 switched off");

    endBodyShop(standIn);
    expectIdleState(main);
    // Nothing was hidden, so there is nothing to report; the packages keep
    // the names the run gave them.
    EXPECT_EQ(findMessageBox(seamster.id()), nullptr);
    expectOnlyActive(poseBases, pose);
    expectOnlyActive(lightingBases, lighting);
    EXPECT_TRUE(seamster.isRunning());
    quitWithQuestion(seamster, main);
}

TEST_F(BodyShopRun, DefaultPoseAtTheSmallSizeThenASecondRunFollowsTheRenames) {
    Process seamster;
    HWND main = startWith(settingsForPack(pack), seamster);
    ASSERT_NE(main, nullptr);
    choosePose(main, 0);
    chooseLighting(main, 0);
    click(control(main, size800));
    settle(main);
    ASSERT_TRUE(isChecked(control(main, size800)));

    HWND standIn = runBodyShop(main);
    ASSERT_NE(standIn, nullptr);
    expectRunningState(main, size800);
    EXPECT_EQ(text(control(standIn, standInParameters)), "-r800x600");
    expectOnlyActive(poseBases, "");
    expectOnlyActive(lightingBases, "");
    EXPECT_EQ(text(control(standIn, standInPoses)),
              "Hands on Hips (the default pose)\n3 pose packages in Config, 3 switched off");
    endBodyShop(standIn);
    expectIdleState(main);
    ASSERT_FALSE(HasFailure());

    // The lists now name the switched-off files; a second run must still
    // find every package under its new name.
    const std::string pose = choosePose(main, 3);
    const std::string lighting = chooseLighting(main, 2);
    click(control(main, size1024));
    settle(main);
    standIn = runBodyShop(main);
    ASSERT_NE(standIn, nullptr);
    expectRunningState(main, size1024);
    expectOnlyActive(poseBases, pose);
    expectOnlyActive(lightingBases, lighting);
    EXPECT_EQ(readFileBytes(bodyShopLog()).value_or("(no log)"), "-r800x600\r\n-r1024x768\r\n");
    endBodyShop(standIn);
    expectIdleState(main);
    quitWithQuestion(seamster, main);
}

TEST_F(BodyShopRun, BodyShopStartedElsewhereIsWatchedTheSameWay) {
    Process seamster;
    HWND main = startWith(settingsForPack(pack), seamster);
    ASSERT_NE(main, nullptr);
    const std::string exe = bodyShopPath(installDirectory, pack);
    Process bodyShop = Process::start(exe, exe.substr(0, exe.rfind('\\')));
    ASSERT_TRUE(bodyShop.started());
    HWND standIn = waitForWindow(bodyShop.id(), standInTitle);
    ASSERT_NE(standIn, nullptr);
    expectRunningState(main, 0);
    raiseWindow(main);
    settle(main);
    snap(main, "running");
    EXPECT_EQ(text(control(standIn, standInParameters)), "(no parameters)");
    // Seamster armed nothing: the Config folder is as the sandbox laid it.
    expectOnlyActive(poseBases, "casieHipsanim");
    expectOnlyActive(lightingBases, "");

    closeWindow(standIn);
    ASSERT_TRUE(bodyShop.waitForExit()) << "the Body Shop did not end";
    expectIdleState(main);
    EXPECT_EQ(findMessageBox(seamster.id()), nullptr);
    EXPECT_TRUE(seamster.isRunning()) << "no Auto Quit for a run Seamster did not start";
    quitWithQuestion(seamster, main);
}

TEST_F(BodyShopRun, AutoQuitEndsSeamsterWhenTheBodyShopEnds) {
    SettingsEntries before = settingsForPack(pack);
    setValue(before, "Auto Quit", "1");
    Process seamster;
    HWND main = startWith(before, seamster);
    ASSERT_NE(main, nullptr);
    HWND standIn = runBodyShop(main);
    ASSERT_NE(standIn, nullptr);
    expectRunningState(main, size1024);
    EXPECT_TRUE(seamster.isRunning()) << "Seamster ended while the Body Shop ran";

    endBodyShop(standIn);
    // No quit question, although Ask Before Quit is 1.
    if (!seamster.waitForExit()) {
        HWND box = findMessageBox(seamster.id());
        FAIL() << "Seamster did not end by itself"
               << (box ? "; it asked \"" + messageBoxText(box) + "\"" : std::string());
    }
    EXPECT_EQ(seamster.exitCode(), 0u);
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(before)));
}

class ThumbnailRefresh : public Scenario {};

const std::string thumbnailQuestion =
    "This only needs to be done if you have bad thumbnails showing up \n"
    "and should only be done AFTER you have fixed the problem(s) \n"
    "that caused the bad thumbnails.\n\n"
    "Are you sure you want to re-make the Bodyshop and CAS thumbnails now ?  \n";
const std::string bothRemade =
    "Bodyshop will remake the thumbnails \n\n"
    "The Sims2 CAS will remake it's thumbnails \n\n"
    "The Thumbnail pages may change slowly \n"
    "until you have looked at all the pages.\n"
    "This does not indicate a problem.";

TEST_F(ThumbnailRefresh, AsksFirstThenDeletesBothCachesAndReportsIt) {
    writeSettings(settingsForPack(pack));
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    const std::string bodyShopCache = gameFolder() + "\\cigen.package";
    const std::string gameCache = gameFolder() + "\\Thumbnails\\CASThumbnails.package";
    HWND refresh = control(main, 10);
    ASSERT_TRUE(isEnabled(refresh));

    // Asked, and No keeps everything.
    click(refresh);
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no question";
    settle(box);
    snap(box, "question");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box), thumbnailQuestion);
    EXPECT_NE(control(box, IDNO), nullptr);
    ASSERT_TRUE(pressMessageBoxButton(box, IDNO));
    ASSERT_TRUE(waitUntilGone(box));
    settle(main, 500);
    EXPECT_EQ(findMessageBox(seamster.id()), nullptr) << "a box after No";
    EXPECT_TRUE(fileExists(bodyShopCache));
    EXPECT_TRUE(fileExists(gameCache));
    EXPECT_TRUE(isEnabled(refresh));

    // Yes deletes both and says what happens next.
    click(refresh);
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no question";
    ASSERT_TRUE(pressMessageBoxButton(box, IDYES));
    ASSERT_TRUE(waitUntilGone(box));
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no report";
    settle(box);
    snap(box, "report");
    EXPECT_EQ(messageBoxText(box), bothRemade);
    EXPECT_EQ(control(box, IDNO), nullptr) << "the report only informs";
    EXPECT_FALSE(fileExists(bodyShopCache));
    EXPECT_FALSE(fileExists(gameCache));
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));
    settle(main, 500);
    EXPECT_FALSE(isEnabled(refresh)) << "nothing is left to delete";

    // The Body Shop builds its cache again on its next run: the button comes
    // back. Pressed once the cache has gone again, the earlier deletions are
    // reported once more.
    ASSERT_TRUE(writeFileBytes(bodyShopCache, "DBPF"));
    ASSERT_TRUE(waitUntil([&] { return isEnabled(refresh); })) << "the button did not come back";
    ASSERT_TRUE(deleteFile(bodyShopCache));
    click(refresh);
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no question";
    ASSERT_TRUE(pressMessageBoxButton(box, IDYES));
    ASSERT_TRUE(waitUntilGone(box));
    box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no report of the earlier deletion";
    EXPECT_EQ(messageBoxText(box), bothRemade);
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(waitUntilGone(box));

    quitWithQuestion(seamster, main);
}

}  // namespace
}  // namespace seamster::e2e
