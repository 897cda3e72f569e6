// Seamster from the keyboard, with real key strokes: Tab in each window's
// keyboard order, arrows within option groups, Enter as OK, Escape as
// Cancel, F1 as the help page of the window it is pressed in.

#include "GameContent.h"

namespace seamster::e2e {
namespace {

const std::string setUpTitle = "Seamster Set Up";
const std::string requesterTitle = " Select New Background Image";
const std::string previewTitle = "Seamster v 0.36 \xC3\x9F  Image Preview";

class Keyboard : public ContentScenario {
protected:
    int focusedId() { return GetDlgCtrlID(focusedControl(main_)); }

    // The window is still there after a moment, and the main window still waits.
    void expectStillOpen(HWND window, const std::string& after) {
        settle(window, 500);
        EXPECT_TRUE(isVisible(window)) << after << " closed the window";
        EXPECT_FALSE(isEnabled(main_)) << after;
    }

    // A window with no way out but "OK": the keyboard starts in gadget
    // `first`, Escape leaves the window open and Enter closes it.
    void expectOnlyEnterCloses(HWND window, int first, const std::string& what) {
        ASSERT_NE(window, nullptr) << what;
        ASSERT_TRUE(clickCaption(window));
        EXPECT_EQ(GetDlgCtrlID(focusedControl(window)), first) << what;
        ASSERT_TRUE(pressKeys({"Escape"}));
        expectStillOpen(window, "Escape");
        ASSERT_TRUE(pressKeys({"Return"}));
        expectClosedBackToMain(window, "Enter");
    }

    // The window went, and the main window has the keyboard again.
    void expectClosedBackToMain(HWND window, const std::string& after) {
        EXPECT_TRUE(waitUntilGone(window)) << after << " did not close the window";
        EXPECT_TRUE(waitUntil([&] { return isEnabled(main_) && activeWindow(main_) == main_; }))
            << "the main window is not active again after " << after;
    }
};

TEST_F(Keyboard, MainWindowTabsInTheOrderItsGadgetsAreMadeAndOpensNothingOnEnterOrEscape) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    ASSERT_TRUE(clickCaption(main_));
    // On a 1024 x 768 screen "1024 x 768" is chosen, and the keyboard starts there.
    EXPECT_EQ(focusedId(), 16);
    // Then on in the order the window's gadgets are made (buttons 10, 11,
    // 12, 14, the sizes, pose 17, lighting 24, "Run Bodyshop" 18), and round.
    std::vector<int> order;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(pressKeys({"Tab"}));
        order.push_back(focusedId());
    }
    EXPECT_EQ(order, (std::vector<int>{17, 24, 18, 10, 11, 12, 14, 16}));
    ASSERT_TRUE(pressKeys({"shift+Tab"}));
    EXPECT_EQ(focusedId(), 14);
    ASSERT_TRUE(pressKeys({"Tab"}));
    // The arrows move within the screen-size options, choosing as they go.
    ASSERT_TRUE(pressKeys({"Up"}));
    EXPECT_EQ(focusedId(), 15);
    EXPECT_TRUE(isChecked(control(main_, 15)));
    EXPECT_FALSE(isChecked(control(main_, 16)));
    // Enter and Escape come to the window as commands 1 and 2, the numbers of
    // the help and About buttons; neither may open anything.
    const size_t windows = visibleWindowTitles(seamster_.id()).size();
    ASSERT_TRUE(pressKeys({"Return", "Escape", "KP_Enter"}));
    settle(main_, 700);
    EXPECT_EQ(visibleWindowTitles(seamster_.id()).size(), windows);
    EXPECT_TRUE(isEnabled(main_));
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
    quitWithQuestion(seamster_, main_);
}

TEST_F(Keyboard, EnterPressesOkAndEscapeCancelsOnlyWhereThereIsACancel) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    const auto background = readFileBytes(gameFolder() + "\\userbkg.bmp");
    ASSERT_TRUE(background.has_value());

    // Extras has no Cancel and no close box; the keyboard starts in its
    // first drop-down.
    ASSERT_NO_FATAL_FAILURE(
        expectOnlyEnterCloses(openFromToolBar(mainButton::extras, extrasTitle), 58, "Extras"));
    // Nor has the set-up window; the keyboard starts in its list of packs.
    pressToolBarButton(toolBar(), 0);
    ASSERT_NO_FATAL_FAILURE(
        expectOnlyEnterCloses(waitForWindow(seamster_.id(), setUpTitle), 9, "set-up"));

    // Image Preview: Escape is its "Cancel", and nothing is saved.
    pressToolBarButton(toolBar(), 4);
    HWND requester = waitForWindow(seamster_.id(), requesterTitle);
    ASSERT_NE(requester, nullptr);
    settle(requester, 500);
    HWND box = control(requester, 0x47C);
    if (box && className(box) != "Edit") box = descendantOfClass(box, "Edit");
    if (!box) box = control(requester, 0x480);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(setText(box, gameFolder() + "\\userbkg.bmp"));
    click(control(requester, IDOK));
    HWND preview = waitForWindow(seamster_.id(), previewTitle);
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(clickCaption(preview));
    // The keyboard follows the order the gadgets are made in: the fitting
    // options, OK, Cancel, the sizes, "Save To Folder".
    std::vector<int> order = {GetDlgCtrlID(focusedControl(preview))};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(pressKeys({"Tab"}));
        order.push_back(GetDlgCtrlID(focusedControl(preview)));
    }
    EXPECT_EQ(order, (std::vector<int>{101, 105, 106, 108, 109, 101}));
    ASSERT_TRUE(pressKeys({"Escape"}));
    expectClosedBackToMain(preview, "Escape");
    EXPECT_EQ(readFileBytes(gameFolder() + "\\userbkg.bmp"), background);
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
    quitWithQuestion(seamster_, main_);
}

// The command lines of the help viewers that run now.
std::vector<std::string> viewers() {
    std::vector<std::string> lines;
    for (DWORD id : processIdsNamed("hh.exe")) lines.push_back(commandLineOf(id));
    return lines;
}

// True once one viewer runs, and it shows `page` of the help file in its
// window. That window then goes behind Seamster's, so that clicks reach them.
bool helpShows(const std::string& page) {
    HWND viewer = nullptr;
    const bool shown = waitUntil([&] {
        const std::vector<std::string> lines = viewers();
        viewer = findProgramWindow("hh.exe", "Seamster Help");
        return lines.size() == 1 && lines[0].find("Seamster.CHM::/" + page) != std::string::npos &&
               viewer;
    });
    if (viewer)
        SetWindowPos(viewer, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return shown;
}

TEST_F(Keyboard, F1OpensThePageOfTheWindowItIsPressedIn) {
    ASSERT_TRUE(fileExists(programFolder() + "\\Seamster.CHM")) << "the build makes the help file";
    terminateProcessesNamed("hh.exe");
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    ASSERT_TRUE(clickCaption(main_));
    ASSERT_TRUE(pressKeys({"F1"}));
    EXPECT_TRUE(helpShows("main-window.htm")) << ::testing::PrintToString(viewers());
    // Each window's own page, in place of the page shown before.
    const std::pair<int, std::string> windows[] = {{mainButton::extras, extrasTitle},
                                                   {mainButton::hideGameFolders, hideFoldersTitle}};
    const std::string pages[] = {"extras.htm", "hide-game-folders.htm"};
    const int okGadgets[] = {50, 200};
    for (size_t i = 0; i < 2; ++i) {
        HWND window = openFromToolBar(windows[i].first, windows[i].second);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(clickCaption(window));
        ASSERT_TRUE(pressKeys({"F1"}));
        EXPECT_TRUE(helpShows(pages[i])) << ::testing::PrintToString(viewers());
        pressOk(window, okGadgets[i]);
    }
    // A requester shows the page of the command it belongs to.
    pressToolBarButton(toolBar(), 4);
    HWND requester = waitForWindow(seamster_.id(), requesterTitle);
    ASSERT_NE(requester, nullptr);
    ASSERT_TRUE(clickCaption(requester));
    ASSERT_TRUE(pressKeys({"F1"}));
    EXPECT_TRUE(helpShows("backgrounds.htm")) << ::testing::PrintToString(viewers());
    click(control(requester, IDCANCEL));
    EXPECT_TRUE(waitUntilGone(requester));
    terminateProcessesNamed("hh.exe");
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
