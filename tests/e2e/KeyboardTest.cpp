// Seamster from the keyboard, with real key strokes: Tab in reading order,
// arrows within option groups, Enter as OK, Escape as Cancel, F1 as help.

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

TEST_F(Keyboard, MainWindowTabsInReadingOrderAndOpensNothingOnEnterOrEscape) {
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    ASSERT_TRUE(clickCaption(main_));
    // On a 1024 x 768 screen "1024 x 768" is chosen, and the keyboard starts there.
    EXPECT_EQ(focusedId(), 16);
    // Then row by row: pose and lighting, the four buttons, "Run Bodyshop", and round.
    std::vector<int> order;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(pressKeys({"Tab"}));
        order.push_back(focusedId());
    }
    EXPECT_EQ(order, (std::vector<int>{17, 24, 10, 12, 11, 14, 18, 16}));
    ASSERT_TRUE(pressKeys({"shift+Tab"}));
    EXPECT_EQ(focusedId(), 18);
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
    ASSERT_NO_FATAL_FAILURE(expectOnlyEnterCloses(
        openFromToolBar(mainButton::extras, extrasTitle), 58, "Extras"));
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
    ASSERT_TRUE(pressKeys({"Escape"}));
    expectClosedBackToMain(preview, "Escape");
    EXPECT_EQ(readFileBytes(gameFolder() + "\\userbkg.bmp"), background);
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr);
    quitWithQuestion(seamster_, main_);
}

TEST_F(Keyboard, F1OpensTheHelpLikeItsButton) {
    // The help file the build made stays; a stand-in only where there is none
    // (the viewer may end at once on a stand-in, before it is seen).
    const std::string help = programFolder() + "\\Seamster.CHM";
    const bool standIn = !fileExists(help);
    if (standIn) {
        ASSERT_TRUE(writeFileBytes(help, "ITSF"));
    }
    terminateProcessesNamed("hh.exe");
    ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
    ASSERT_TRUE(clickCaption(main_));
    ASSERT_TRUE(pressKeys({"F1"}));
    EXPECT_TRUE(waitUntil([] { return !processIdsNamed("hh.exe").empty(); }))
        << "F1 did not open the help file";
    terminateProcessesNamed("hh.exe");
    if (standIn) deleteFile(help);
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
