// Game folders that stay hidden after a run went wrong: Seamster killed while
// the Body Shop ran, a folder that cannot be put back, and quitting while
// something is still hidden.

#include "GameContent.h"

namespace seamster::e2e {
namespace {

const char bothUnhidden[] =
    "The Downloads folder is unhidden \n"
    "The SavedSims folder is unhidden \n";

class Recovery : public ContentScenario {
protected:
    // Hides both folders for a run that is under way when this returns.
    void runWithBothFoldersHidden(StandIn& standIn) {
        ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
        downloads_ = folderContents(game() + "\\Downloads");
        savedSims_ = folderContents(game() + "\\SavedSims");
        ASSERT_FALSE(downloads_.empty());
        ASSERT_FALSE(savedSims_.empty());
        chooseToHideBothFolders();
        runBodyShop(standIn);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(folderExists(game() + "\\Downloads_off"));
        ASSERT_TRUE(folderExists(game() + "\\SavedSims_off"));
    }

    void expectEveryFileBack() {
        EXPECT_EQ(folderContents(game() + "\\Downloads"), downloads_);
        EXPECT_EQ(folderContents(game() + "\\SavedSims"), savedSims_);
        EXPECT_FALSE(folderExists(game() + "\\Downloads_off"));
        EXPECT_FALSE(folderExists(game() + "\\SavedSims_off"));
    }

    FolderContents downloads_;
    FolderContents savedSims_;
};

TEST_F(Recovery, FoldersLeftHiddenByAKilledSeamsterComeBackAtTheNextStart) {
    StandIn standIn;
    runWithBothFoldersHidden(standIn);
    ASSERT_FALSE(HasFatalFailure());
    seamster_.terminate();
    ASSERT_TRUE(standIn.close()) << "the stand-in did not end";

    // The summary comes before the main window shows.
    seamster_ = startSeamster();
    EXPECT_EQ(answerBox(IDOK, "restored-at-start"), bothUnhidden);
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);
    expectEveryFileBack();
    settle(main_);
    EXPECT_EQ(statusIcon(0), statusIcon(1));
    quitWithQuestion(seamster_, main_);
}

TEST_F(Recovery, ADownloadsOffSeamsterDidNotMakeIsAskedAboutAndNoLeavesItAlone) {
    const std::string g = game();
    ASSERT_TRUE(makeFolders(g + "\\Downloads_off"));
    ASSERT_TRUE(writeFileBytes(g + "\\Downloads_off\\Set_Aside.package", "DBPF set aside"));
    const FolderContents setAside = folderContents(g + "\\Downloads_off");
    const FolderContents downloads = folderContents(g + "\\Downloads");
    writeSettings(settingsForPack("The Sims 2"));
    seamster_ = startSeamster();
    const std::string question = answerBox(IDNO, "not-ours-question");
    EXPECT_NE(question.find("\\The Sims 2\\Downloads_off\n"), std::string::npos) << question;
    EXPECT_NE(question.find("Seamster has no record of hiding it"), std::string::npos) << question;
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(folderContents(g + "\\Downloads_off"), setAside);
    EXPECT_EQ(folderContents(g + "\\Downloads"), downloads);
    quitWithQuestion(seamster_, main_);
}

TEST_F(Recovery, ARestartWhileTheBodyShopStillRunsWaitsForItsEnd) {
    StandIn standIn;
    runWithBothFoldersHidden(standIn);
    ASSERT_FALSE(HasFatalFailure());
    seamster_.terminate();

    // Nothing is put back under the running Body Shop's feet.
    seamster_ = startSeamster();
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);
    waitUntilSettled([&] {
        return shownState(seamster_.id()) + std::to_string(folderExists(game() + "\\Downloads")) +
               std::to_string(folderExists(game() + "\\SavedSims"));
    });
    EXPECT_FALSE(isEnabled(control(main_, runBodyshopGadget)));
    EXPECT_TRUE(folderExists(game() + "\\Downloads_off"));
    EXPECT_TRUE(folderExists(game() + "\\SavedSims_off"));
    // The status bar tells that both are hidden.
    const HICON hidden = statusIcon(0);
    EXPECT_EQ(statusIcon(1), hidden);
    snap(main_, "body-shop-running");

    ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    EXPECT_EQ(answerBox(IDOK, "summary"), bothUnhidden);
    expectEveryFileBack();
    settle(main_);
    EXPECT_TRUE(isEnabled(control(main_, runBodyshopGadget)));
    EXPECT_NE(statusIcon(0), hidden);
    EXPECT_EQ(statusIcon(1), statusIcon(0));
    quitWithQuestion(seamster_, main_);
}

TEST_F(Recovery, QuittingDuringTheRunWarnsOnceAboutWhatStaysHidden) {
    StandIn standIn;
    runWithBothFoldersHidden(standIn);
    ASSERT_FALSE(HasFatalFailure());
    const std::string warning =
        "Warning!\nIf you Quit Seamster now\n"
        "The SavedSims folder will not be unhidden\n"
        "The Downloads folder will not be unhidden\n"
        "\nDo you still want to Quit?";

    closeWindow(main_);
    EXPECT_EQ(answerBox(IDNO, "quit-warning"), warning);
    waitUntilProgramSettled(seamster_.id());
    ASSERT_TRUE(seamster_.isRunning()) << "No ended Seamster";
    EXPECT_EQ(findMessageBox(seamster_.id()), nullptr) << "a second question after No";

    // Yes ends Seamster at once: the usual quit question does not follow.
    closeWindow(main_);
    EXPECT_EQ(answerBox(IDYES, "quit-warning-again"), warning);
    if (!seamster_.waitForExit(5000)) {
        HWND box = findMessageBox(seamster_.id());
        FAIL() << "Seamster did not end; it shows \"" << (box ? messageBoxText(box) : "") << "\"";
    }
    EXPECT_EQ(seamster_.exitCode(), 0u);
    // What it warned about is so: the folders are still hidden, every file kept.
    EXPECT_EQ(folderContents(game() + "\\Downloads_off"), downloads_);
    EXPECT_EQ(folderContents(game() + "\\SavedSims_off"), savedSims_);
    EXPECT_TRUE(standIn.close());
}

TEST_F(Recovery, ADownloadsFolderHeldOpenStaysHiddenUntilItIsLetGo) {
    StandIn standIn;
    runWithBothFoldersHidden(standIn);
    ASSERT_FALSE(HasFatalFailure());
    // Another program has the hidden folder and a package in it open. (Wine,
    // unlike Windows, lets a folder be renamed while only a file in it is
    // open, so the folder itself is held too.)
    const std::string hidden = game() + "\\Downloads_off";
    Process holder = holdOpen({hidden, hidden + "\\Hair_Bob.package"});
    ASSERT_TRUE(holder.started());

    ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    EXPECT_EQ(answerBox(IDOK, "summary"),
              "Unable to unhide the Downloads folder \n"
              "The SavedSims folder is unhidden \n");
    // Retried on every pass: the next summary reads differently (SavedSims
    // is back), and after that nothing is said while nothing changes.
    EXPECT_EQ(answerBox(IDOK, "summary-again"), "Unable to unhide the Downloads folder \n");
    EXPECT_EQ(waitForMessageBox(seamster_.id(), 1500), nullptr) << "the summary came again";
    settle(main_);
    EXPECT_NE(statusIcon(0), statusIcon(1)) << "Downloads is not shown as still hidden";

    // Once the other program lets go, the next pass puts the folder back.
    holder.terminate();
    EXPECT_EQ(answerBox(IDOK, "summary-after-release"), "The Downloads folder is unhidden \n");
    expectEveryFileBack();
    settle(main_);
    EXPECT_EQ(statusIcon(0), statusIcon(1));
    quitWithQuestion(seamster_, main_);
}

TEST_F(Recovery, ANewDownloadsFolderMovesBackWithItsSubFoldersOnceNothingHoldsIt) {
    StandIn standIn;
    runWithBothFoldersHidden(standIn);
    ASSERT_FALSE(HasFatalFailure());
    const std::string g = game();
    ASSERT_TRUE(makeFolders(g + "\\Downloads\\Hats"));
    ASSERT_TRUE(writeFileBytes(g + "\\Downloads\\New_Shoes.package", "DBPF new shoes"));
    ASSERT_TRUE(writeFileBytes(g + "\\Downloads\\Hats\\Top_Hat.package", "DBPF top hat"));
    Process holder = holdOpen({g + "\\Downloads\\New_Shoes.package"});
    ASSERT_TRUE(holder.started());

    // The summary says why Downloads stays hidden (Windows calls the file in
    // use, Wine only refuses the move); again once SavedSims is back, then no more.
    ASSERT_TRUE(standIn.close()) << "the stand-in did not end";
    const std::string stuck =
        "Unable to unhide the Downloads folder: Downloads\\New_Shoes.package (in the Downloads "
        "folder the game made during the run) ";
    std::string summary = answerBox(IDOK, "summary");
    EXPECT_TRUE(summary.starts_with(stuck)) << summary;
    EXPECT_TRUE(summary.ends_with(" \nThe SavedSims folder is unhidden \n")) << summary;
    summary = answerBox(IDOK, "summary-again");
    EXPECT_TRUE(summary.starts_with(stuck) && summary.find("SavedSims") == std::string::npos)
        << summary;
    EXPECT_EQ(waitForMessageBox(seamster_.id(), 4000), nullptr) << "the summary came again";
    settle(main_);
    EXPECT_NE(statusIcon(0), statusIcon(1)) << "Downloads is not shown as still hidden";

    // Let go, everything moves into the real folder, sub-folder and all.
    holder.terminate();
    EXPECT_EQ(answerBox(IDOK, "summary-after-release"), "The Downloads folder is unhidden \n");
    FolderContents all = downloads_;
    all["New_Shoes.package"] = "DBPF new shoes";
    all["Hats\\"] = "";
    all["Hats\\Top_Hat.package"] = "DBPF top hat";
    EXPECT_EQ(folderContents(g + "\\Downloads"), all);
    EXPECT_FALSE(folderExists(g + "\\Downloads_off"));
    EXPECT_EQ(folderContents(g + "\\SavedSims"), savedSims_);
    quitWithQuestion(seamster_, main_);
}

}  // namespace
}  // namespace seamster::e2e
