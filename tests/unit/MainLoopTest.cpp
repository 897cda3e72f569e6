#include <gtest/gtest.h>

#include "app/MainLoop.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

constexpr MainInput kRunStateCommands[] = {MainInput::setUp,           MainInput::cleanUpProjects,
                                           MainInput::hideGameFolders, MainInput::extras,
                                           MainInput::options,         MainInput::renamePackages};
using C = MainControl;

class MainLoopTest : public ::testing::Test, protected FakeApp {
protected:
    MainLoopTest() { makeUserFolder(); }

    bool pass(MainInput input = MainInput::none) {
        events.inputs.push_back(input);
        return mainLoopPass(app, view, events);
    }
    void running(ProcessState state) { services.processes.running = state; }
    // Downloads hidden by an earlier launch, ready to come back.
    void hideDownloads() {
        fs().addFile(at("Downloads_off\\mod.package"), "mod");
        app.run.downloadsHidden = true;
    }
};

TEST_F(MainLoopTest, RunningBodyShopDisablesTheControlsAndPostponesRestoration) {
    hideDownloads();
    app.run.autoQuitPending = true;
    running(ProcessState::running);
    EXPECT_TRUE(pass());

    EXPECT_EQ(services.processes.lastName, "TS2BodyShop.exe");
    EXPECT_EQ(app.run.bodyShop, ProcessState::running);
    for (C control :
         {C::refreshThumbnails, C::cleanUpProjects, C::poseList, C::runBodyShop, C::lightingList})
        EXPECT_FALSE(view.enabled(control)) << int(control);
    for (MainInput command : kRunStateCommands) EXPECT_FALSE(view.toolEnabled(command));
    EXPECT_EQ(view.bodyShopShownRunning, true);
    // The screen-size options keep what the launch made of them.
    EXPECT_EQ(view.controlEnabled.count(C::size800) + view.controlEnabled.count(C::size1024), 0u);
    EXPECT_TRUE(app.run.downloadsHidden);
    EXPECT_TRUE(dialogs().boxes.empty());
    EXPECT_FALSE(app.run.quitRequested);
}

TEST_F(MainLoopTest, IdlePassEnablesTheControlsThatHaveSomethingToWorkOn) {
    for (C control : {C::refreshThumbnails, C::cleanUpProjects, C::size800, C::size1024,
                      C::poseList, C::runBodyShop, C::lightingList})
        view.enableControl(control, false);
    for (MainInput command : kRunStateCommands) view.enableCommand(command, false);
    EXPECT_TRUE(pass());

    for (C control : {C::cleanUpProjects, C::size800, C::size1024, C::runBodyShop})
        EXPECT_TRUE(view.enabled(control)) << int(control);
    for (MainInput command : kRunStateCommands) EXPECT_TRUE(view.toolEnabled(command));
    EXPECT_EQ(view.bodyShopShownRunning, false);
    // No pose or lighting packages, no thumbnail cache: those stay off.
    EXPECT_FALSE(view.enabled(C::poseList));
    EXPECT_FALSE(view.enabled(C::lightingList));
    EXPECT_FALSE(view.enabled(C::refreshThumbnails));

    app.switches.pose.count = 1;
    app.switches.lighting.count = 2;
    fs().addFile(app.paths.bodyshopThumbnails, "cache");
    pass();
    EXPECT_TRUE(view.enabled(C::poseList));
    EXPECT_TRUE(view.enabled(C::lightingList));
    EXPECT_TRUE(view.enabled(C::refreshThumbnails));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MainLoopTest, WithoutUserFolderTheHousekeepingButtonsAreLeftAlone) {
    app.paths = {};
    fs().removeFolder(at("Neighborhoods"));
    ASSERT_TRUE(startUp(app, view, view));
    pass();
    EXPECT_FALSE(view.enabled(C::refreshThumbnails));
    EXPECT_FALSE(view.enabled(C::cleanUpProjects));
    EXPECT_FALSE(view.toolEnabled(MainInput::cleanUpProjects));
    EXPECT_TRUE(view.enabled(C::runBodyShop, false));
    // Nor does a click that gets through open the window on no folder.
    pass(MainInput::cleanUpProjects);
    pass(MainInput::cleanUpProjectsButton);
    EXPECT_TRUE(view.opened.empty());
}

TEST_F(MainLoopTest, EndOfRunRestoresOnceAndThenAutoQuits) {
    hideDownloads();
    app.run.undiesRestorePending = true;
    EXPECT_TRUE(pass());
    EXPECT_EQ(dialogs().texts(), (std::vector<std::string>{"The default undies were replaced \n"
                                                           "The Downloads folder is unhidden \n"}));
    EXPECT_EQ(fs().contents(at("Downloads\\mod.package")), "mod");
    EXPECT_FALSE(app.run.downloadsHidden || app.run.undiesRestorePending);

    // Nothing pending any more: later passes stay quiet.
    pass();
    EXPECT_EQ(dialogs().boxes.size(), 1u);

    // With Auto Quit armed the pass still restores before it ends the loop.
    app.run.autoQuitPending = true;
    app.run.undiesRestorePending = true;
    EXPECT_FALSE(pass());
    EXPECT_EQ(dialogs().texts().back(), "The default undies were replaced \n");
    EXPECT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_TRUE(app.run.quitRequested);

    // A folder that stays hidden keeps Seamster open with its summary.
    app.run.quitRequested = false;
    app.run.autoQuitPending = true;
    hideDownloads();
    services.failure = [this](FsOp, const std::string& path) {
        return path == at("Downloads_off");
    };
    EXPECT_TRUE(pass());
    EXPECT_FALSE(app.run.quitRequested || !app.run.downloadsHidden);
}

TEST_F(MainLoopTest, FailedProcessCheckIsReportedAndSkipsTheStateSteps) {
    hideDownloads();
    app.run.autoQuitPending = true;
    running(ProcessState::unknown);
    EXPECT_TRUE(pass());
    EXPECT_EQ(dialogs().boxes,
              (std::vector<FakeDialogs::Box>{{"Process Check Failed!", 16, false}}));
    EXPECT_TRUE(view.controlEnabled.empty());
    EXPECT_TRUE(view.commandEnabled.empty());
    EXPECT_FALSE(view.bodyShopShownRunning.has_value());
    EXPECT_TRUE(app.run.downloadsHidden);
    EXPECT_FALSE(app.run.quitRequested);
}

TEST_F(MainLoopTest, QuitWarningNamesEveryPendingRestorationInOrder) {
    struct Case {
        bool undies, savedSims, downloads;
        const char* lines;
    };
    const Case cases[] = {
        {true, false, false, "The default undies will not be replaced\n"},
        {false, true, false, "The SavedSims folder will not be unhidden\n"},
        {false, false, true, "The Downloads folder will not be unhidden\n"},
        {true, true, true,
         "The default undies will not be replaced\n"
         "The SavedSims folder will not be unhidden\n"
         "The Downloads folder will not be unhidden\n"},
        {false, true, true,
         "The SavedSims folder will not be unhidden\n"
         "The Downloads folder will not be unhidden\n"},
    };
    for (const Case& c : cases) {
        for (int answer : {answerYes, answerNo}) {
            SCOPED_TRACE(std::string(c.lines) + (answer == answerYes ? "Yes" : "No"));
            FakeApp fake;
            fake.app.settings.options.askBeforeQuit = 1;  // the warning replaces this question
            fake.app.run.undiesRestorePending = c.undies;
            fake.app.run.savedSimsHidden = c.savedSims;
            fake.app.run.downloadsHidden = c.downloads;
            fake.dialogs().answers = {answer};
            confirmQuit(fake.app.run, fake.app.settings.options, fake.dialogs());
            const std::string text = "Warning!\nIf you Quit Seamster now\n" + std::string(c.lines) +
                                     "\nDo you still want to Quit?";
            EXPECT_EQ(fake.dialogs().boxes, (std::vector<FakeDialogs::Box>{{text, 16, true}}));
            EXPECT_EQ(fake.app.run.quitRequested, answer == answerYes);
        }
    }
}

TEST_F(MainLoopTest, AskBeforeQuitDecidesTheOrdinaryQuestion) {
    app.settings.options.askBeforeQuit = 0;
    running(ProcessState::running);  // even while the Body Shop runs
    EXPECT_FALSE(pass(MainInput::close));
    EXPECT_TRUE(dialogs().boxes.empty());

    app.run.quitRequested = false;
    app.settings.options.askBeforeQuit = 1;
    dialogs().answers = {answerNo, answerYes};
    EXPECT_TRUE(pass(MainInput::close));
    EXPECT_FALSE(app.run.quitRequested);
    EXPECT_FALSE(pass(MainInput::close));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[0], (FakeDialogs::Box{"Are you sure you want to Quit? ", 32, true}));
}

TEST_F(MainLoopTest, PositionIsStoredOnToolBarAndGadgetEventsOnly) {
    app.settings.options.askBeforeQuit = 1;
    view.corner = {300, 200};
    for (MainInput input : {MainInput::none, MainInput::other, MainInput::close}) pass(input);
    EXPECT_EQ(app.settings.options.windowX, 0);
    EXPECT_EQ(app.settings.options.windowY, 0);

    pass(MainInput::gadget);  // a gadget without an action still counts
    EXPECT_EQ(app.settings.options.windowX, 300);
    EXPECT_EQ(app.settings.options.windowY, 200);
    view.corner = {-4, 12};
    pass(MainInput::about);
    EXPECT_EQ(app.settings.options.windowX, -4);
    EXPECT_EQ(app.settings.options.windowY, 12);
}

TEST_F(MainLoopTest, IdlePassesWaitUntilTheProcessListIsDueALookButGadgetEventsDoNot) {
    services.clock.steadyStepMs = 100;
    pass();                   // looks at 100 ms; the wait is worked out at 200
    pass(MainInput::gadget);  // no wait at all
    pass(MainInput::about);   // worked out at 500, when the next look is due
    pass(MainInput::other);   // looks at 600; worked out at 700
    EXPECT_EQ(events.pauses, (std::vector<int>{300, 0, 300}));
}

TEST_F(MainLoopTest, ToolBarAndGadgetsOpenTheirWindows) {
    using I = MainInput;
    const std::pair<MainInput, Secondary> cases[] = {
        {I::about, Secondary::about},
        {I::newBackgroundColor, Secondary::backgroundColor},
        {I::newBackgroundImage, Secondary::backgroundImage},
        {I::cleanUpProjects, Secondary::removeProjects},
        {I::hideGameFolders, Secondary::hideGameFolders},
        {I::extras, Secondary::extras},
        {I::options, Secondary::options},
        {I::renamePackages, Secondary::renamePackages},
        {I::backgroundImageButton, Secondary::backgroundImage},
        {I::cleanUpProjectsButton, Secondary::removeProjects},
        {I::backgroundColorButton, Secondary::backgroundColor},
    };
    for (const auto& [input, window] : cases) {
        view.opened.clear();
        pass(input);
        EXPECT_EQ(view.opened, std::vector<Secondary>{window}) << int(input);
    }
    view.opened.clear();
    pass(I::gadget);
    EXPECT_TRUE(view.opened.empty());
    pass(I::sizeChosen);
    EXPECT_EQ(view.thumbnailRefreshes, 1);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MainLoopTest, SetUpButtonAlwaysOffersThePacksAndRetitlesTheWindow) {
    app.settings.game.installDirectory = "D:\\EA GAMES";
    app.settings.game.selectedPack = "The Sims 2";
    fs().addFolder("D:\\EA GAMES\\The Sims 2").addFolder("D:\\EA GAMES\\University");
    app.settings.game.simsFolderCount = 2;  // unchanged since the last run
    view.setUpAnswer = 1;

    pass(MainInput::setUp);
    EXPECT_EQ(view.setUpRuns, 1);
    EXPECT_EQ(app.settings.game.selectedPack, "University");
    EXPECT_EQ(app.settings.game.simsFolderCount, 2);
    EXPECT_EQ(view.title, "Seamster   --    University");
    EXPECT_EQ(mainWindowTitle(""), "Seamster   --    ");
}

TEST_F(MainLoopTest, HelpOpensTheHelpFileOrSaysItIsMissing) {
    pass(MainInput::help);
    showHelpPage(app.paths, app.platform, app.told, "extras.htm");
    EXPECT_EQ(dialogs().boxes, (std::vector<FakeDialogs::Box>{{"Helpfile not found", 0, false},
                                                              {"Helpfile not found", 0, false}}));
    EXPECT_TRUE(services.shell.opened.empty());
    EXPECT_TRUE(services.shell.helpPages.empty());

    app.paths.helpFile = "C:\\Seamster\\Seamster.CHM";
    app.paths.helpFileFound = true;
    pass(MainInput::help);
    EXPECT_EQ(services.shell.opened,
              (std::vector<FakeShell::Opened>{{"C:\\Seamster\\Seamster.CHM", ""}}));
    // F1: the page of the window it was pressed in.
    showHelpPage(app.paths, app.platform, app.told, "extras.htm");
    EXPECT_EQ(services.shell.helpPages,
              (std::vector<FakeShell::Opened>{{"C:\\Seamster\\Seamster.CHM", "extras.htm"}}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

TEST_F(MainLoopTest, RunButtonLaunchesTheBodyShop) {
    app.settings.game.runBodyshop = "D:\\EA GAMES\\The Sims 2\\CSBin\\TS2BodyShop.exe";
    fs().addFile(app.settings.game.runBodyshop);
    pass(MainInput::runBodyShop);
    EXPECT_EQ(services.shell.opened.size(), 1u);
    EXPECT_FALSE(view.enabled(C::runBodyShop));
}

TEST_F(MainLoopTest, LoopRunsUntilQuitIsRequested) {
    app.settings.options.askBeforeQuit = 0;
    events.inputs = {MainInput::none, MainInput::other, MainInput::close, MainInput::none};
    mainLoop(app, view, events);
    EXPECT_EQ(events.polls, 3);
    EXPECT_EQ(services.processes.checks, 3);
}

}  // namespace
}  // namespace seamster
