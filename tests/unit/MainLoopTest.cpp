#include <gtest/gtest.h>

#include "app/MainLoop.h"
#include "fakes/FakeApp.h"

namespace seamster {
namespace {

constexpr int kRunStateButtons[] = {0, 5, 6, 7, 8, 9};

class MainLoopTest : public ::testing::Test, protected FakeApp {
protected:
    MainLoopTest() { makeUserFolder(); }

    bool pass(Event event = {}) {
        events.events.push_back(event);
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
    for (int gadget : {10, 12, 17, 18, 24}) EXPECT_FALSE(view.enabled(gadget)) << gadget;
    for (int button : kRunStateButtons) EXPECT_FALSE(view.toolEnabled(button)) << button;
    EXPECT_EQ(view.gadgetPictures[23], 6);
    // The screen-size options keep what the launch made of them.
    EXPECT_EQ(view.gadgetEnabled.count(15) + view.gadgetEnabled.count(16), 0u);
    EXPECT_TRUE(app.run.downloadsHidden);
    EXPECT_TRUE(dialogs().boxes.empty());
    EXPECT_FALSE(app.run.quitRequested);
}

TEST_F(MainLoopTest, IdlePassEnablesTheControlsThatHaveSomethingToWorkOn) {
    for (int gadget : {10, 12, 15, 16, 17, 18, 24}) view.enableGadget(gadget, false);
    for (int button : kRunStateButtons) view.enableToolButton(button, false);
    EXPECT_TRUE(pass());

    for (int gadget : {12, 15, 16, 18}) EXPECT_TRUE(view.enabled(gadget)) << gadget;
    for (int button : kRunStateButtons) EXPECT_TRUE(view.toolEnabled(button)) << button;
    EXPECT_EQ(view.gadgetPictures[23], 7);
    // No pose or lighting packages, no thumbnail cache: those stay off.
    EXPECT_FALSE(view.enabled(17));
    EXPECT_FALSE(view.enabled(24));
    EXPECT_FALSE(view.enabled(10));

    app.switches.pose.count = 1;
    app.switches.lighting.count = 2;
    fs().addFile(app.paths.bodyshopThumbnails, "cache");
    pass();
    EXPECT_TRUE(view.enabled(17));
    EXPECT_TRUE(view.enabled(24));
    EXPECT_TRUE(view.enabled(10));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MainLoopTest, WithoutUserFolderTheHousekeepingButtonsAreLeftAlone) {
    app.paths = {};
    view.enableGadget(10, false);
    view.enableGadget(12, false);
    view.enableToolButton(5, false);
    pass();
    EXPECT_FALSE(view.enabled(10));
    EXPECT_FALSE(view.enabled(12));
    EXPECT_FALSE(view.toolEnabled(5));
    EXPECT_TRUE(view.enabled(18, false));
    // Nor does a click that gets through open the window on no folder.
    pass({EventKind::toolBar, 0, 5});
    pass({EventKind::gadget, 0, 12});
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
}

TEST_F(MainLoopTest, FailedProcessCheckIsReportedAndSkipsTheStateSteps) {
    hideDownloads();
    app.run.autoQuitPending = true;
    running(ProcessState::unknown);
    EXPECT_TRUE(pass());
    EXPECT_EQ(dialogs().boxes,
              (std::vector<FakeDialogs::Box>{{"Process Check Failed!", 16, false}}));
    EXPECT_TRUE(view.gadgetEnabled.empty());
    EXPECT_TRUE(view.toolButtonEnabled.empty());
    EXPECT_TRUE(view.gadgetPictures.empty());
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
            fake.app.settings.askBeforeQuit = 1;  // the warning replaces this question
            fake.app.run.undiesRestorePending = c.undies;
            fake.app.run.savedSimsHidden = c.savedSims;
            fake.app.run.downloadsHidden = c.downloads;
            fake.dialogs().answers = {answer};
            confirmQuit(fake.app);
            const std::string text = "Warning!\nIf you Quit Seamster now\n" + std::string(c.lines) +
                                     "\nDo you still want to Quit?";
            EXPECT_EQ(fake.dialogs().boxes, (std::vector<FakeDialogs::Box>{{text, 16, true}}));
            EXPECT_EQ(fake.app.run.quitRequested, answer == answerYes);
        }
    }
}

TEST_F(MainLoopTest, AskBeforeQuitDecidesTheOrdinaryQuestion) {
    app.settings.askBeforeQuit = 0;
    running(ProcessState::running);  // even while the Body Shop runs
    EXPECT_FALSE(pass({EventKind::close, 0, 0}));
    EXPECT_TRUE(dialogs().boxes.empty());

    app.run.quitRequested = false;
    app.settings.askBeforeQuit = 1;
    dialogs().answers = {answerNo, answerYes};
    EXPECT_TRUE(pass({EventKind::close, 0, 0}));
    EXPECT_FALSE(app.run.quitRequested);
    EXPECT_FALSE(pass({EventKind::close, 0, 0}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
    EXPECT_EQ(dialogs().boxes[0], (FakeDialogs::Box{"Are you sure you want to Quit? ", 32, true}));
}

TEST_F(MainLoopTest, PositionIsStoredOnToolBarAndGadgetEventsOnly) {
    app.settings.askBeforeQuit = 1;
    view.corner = {300, 200};
    for (Event event : {Event{}, Event{EventKind::other, 0, 0}, Event{EventKind::close, 0, 0}})
        pass(event);
    EXPECT_EQ(app.settings.windowX, 0);
    EXPECT_EQ(app.settings.windowY, 0);

    pass({EventKind::gadget, 0, 22});  // a gadget without an action still counts
    EXPECT_EQ(app.settings.windowX, 300);
    EXPECT_EQ(app.settings.windowY, 200);
    view.corner = {-4, 12};
    pass({EventKind::toolBar, 0, 2});
    EXPECT_EQ(app.settings.windowX, -4);
    EXPECT_EQ(app.settings.windowY, 12);
}

TEST_F(MainLoopTest, IdlePassesWaitUntilTheProcessListIsDueALookButGadgetEventsDoNot) {
    services.clock.steadyStepMs = 100;
    pass();                            // looks at 100 ms; the wait is worked out at 200
    pass({EventKind::gadget, 0, 19});  // no wait at all
    pass({EventKind::toolBar, 0, 2});  // worked out at 500, when the next look is due
    pass({EventKind::other, 0, 0});    // looks at 600; worked out at 700
    EXPECT_EQ(events.pauses, (std::vector<int>{300, 0, 300}));
}

TEST_F(MainLoopTest, ToolBarAndGadgetsOpenTheirWindows) {
    const std::pair<Event, Secondary> cases[] = {
        {{EventKind::toolBar, 0, 2}, Secondary::about},
        {{EventKind::toolBar, 0, 3}, Secondary::backgroundColor},
        {{EventKind::toolBar, 0, 4}, Secondary::backgroundImage},
        {{EventKind::toolBar, 0, 5}, Secondary::removeProjects},
        {{EventKind::toolBar, 0, 6}, Secondary::hideGameFolders},
        {{EventKind::toolBar, 0, 7}, Secondary::extras},
        {{EventKind::toolBar, 0, 8}, Secondary::options},
        {{EventKind::toolBar, 0, 9}, Secondary::renamePackages},
        {{EventKind::gadget, 0, 11}, Secondary::backgroundImage},
        {{EventKind::gadget, 0, 12}, Secondary::removeProjects},
        {{EventKind::gadget, 0, 14}, Secondary::backgroundColor},
    };
    for (const auto& [event, window] : cases) {
        view.opened.clear();
        pass(event);
        EXPECT_EQ(view.opened, std::vector<Secondary>{window}) << event.id;
    }
    view.opened.clear();
    for (int id : {13, 17, 19, 20, 21, 22, 23, 24}) pass({EventKind::gadget, 0, id});
    EXPECT_TRUE(view.opened.empty());
    pass({EventKind::gadget, 0, 15});
    pass({EventKind::gadget, 0, 16});
    EXPECT_EQ(view.thumbnailRefreshes, 2);
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MainLoopTest, SetUpButtonAlwaysOffersThePacksAndRetitlesTheWindow) {
    app.settings.installDirectory = "D:\\EA GAMES";
    app.settings.selectedPack = "The Sims 2";
    fs().addFolder("D:\\EA GAMES\\The Sims 2").addFolder("D:\\EA GAMES\\University");
    app.settings.simsFolderCount = 2;  // unchanged since the last run
    view.setUpAnswer = 1;

    pass({EventKind::toolBar, 0, 0});
    EXPECT_EQ(view.setUpRuns, 1);
    EXPECT_EQ(app.settings.selectedPack, "University");
    EXPECT_EQ(app.settings.simsFolderCount, 2);
    EXPECT_EQ(view.title, "Seamster   --    University");
    EXPECT_EQ(mainWindowTitle(""), "Seamster   --    ");
}

TEST_F(MainLoopTest, HelpOpensTheHelpFileOrSaysItIsMissing) {
    pass({EventKind::toolBar, 0, 1});
    showHelpPage(app, "extras.htm");
    EXPECT_EQ(dialogs().boxes, (std::vector<FakeDialogs::Box>{{"Helpfile not found", 0, false},
                                                              {"Helpfile not found", 0, false}}));
    EXPECT_TRUE(services.shell.opened.empty());
    EXPECT_TRUE(services.shell.helpPages.empty());

    app.paths.helpFile = "C:\\Seamster\\Seamster.CHM";
    app.paths.helpFileFound = true;
    pass({EventKind::toolBar, 0, 1});
    EXPECT_EQ(services.shell.opened,
              (std::vector<FakeShell::Opened>{{"C:\\Seamster\\Seamster.CHM", ""}}));
    // F1: the page of the window it was pressed in.
    showHelpPage(app, "extras.htm");
    EXPECT_EQ(services.shell.helpPages,
              (std::vector<FakeShell::Opened>{{"C:\\Seamster\\Seamster.CHM", "extras.htm"}}));
    EXPECT_EQ(dialogs().boxes.size(), 2u);
}

TEST_F(MainLoopTest, RunButtonLaunchesTheBodyShop) {
    app.settings.runBodyshop = "D:\\EA GAMES\\The Sims 2\\CSBin\\TS2BodyShop.exe";
    fs().addFile(app.settings.runBodyshop);
    pass({EventKind::gadget, 0, 18});
    EXPECT_EQ(services.shell.opened.size(), 1u);
    EXPECT_FALSE(view.enabled(18));
}

TEST_F(MainLoopTest, LoopRunsUntilQuitIsRequested) {
    app.settings.askBeforeQuit = 0;
    events.events = {{}, {EventKind::other, 0, 0}, {EventKind::close, 0, 0}, {}};
    mainLoop(app, view, events);
    EXPECT_EQ(events.polls, 3);
    EXPECT_EQ(services.processes.checks, 3);
}

}  // namespace
}  // namespace seamster
