// Start-up's refusals and its tolerance: a second instance, a desktop that is
// too small, and settings files that were damaged or edited by hand.

#include "Scenario.h"

namespace seamster::e2e {
namespace {

class StartUp : public Scenario {};

TEST_F(StartUp, SecondInstanceSaysSoAndEndsWhileTheFirstRunsOn) {
    const SettingsEntries settings = settingsForPack("The Sims 2 University");
    writeSettings(settings);
    Process first = startSeamster();
    HWND main = waitForMainWindow(first);
    ASSERT_NE(main, nullptr);

    Process second = startSeamster();
    HWND box = waitForMessageBox(second.id());
    ASSERT_NE(box, nullptr) << "the second instance showed no box";
    settle(box);
    snap(box, "already-running");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box), "Seamster is already running...");
    EXPECT_EQ(findWindowStartingWith(second.id(), mainTitleStart), nullptr);
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(second.waitForExit()) << "the second instance did not end";
    EXPECT_EQ(second.exitCode(), 0u);

    // The first one is not disturbed, and the second saved nothing.
    EXPECT_TRUE(first.isRunning());
    EXPECT_TRUE(isVisible(main));
    EXPECT_EQ(findMessageBox(first.id()), nullptr);
    EXPECT_EQ(readSettings(), settingsFileBytes(settings));
    quitWithQuestion(first, main);
}

TEST_F(StartUp, DamagedSettingsFileIsReadAsFarAsItMakesSense) {
    const std::string runBodyshop = bodyShopPath(installDirectory, "The Sims 2 Nightlife");
    // Junk and hand edits around the keys that matter.
    std::string damaged = "\xFF\xFE\x01\x02 binary junk \x7F\x80\x81\x9B\r\n";
    damaged += "this line has no equals sign\r\n";
    damaged += "  selected pack   =   The Sims 2 Nightlife\r\n";  // other case, blanks about
    damaged += "Sims Folder Count = 6 folders\r\n";
    damaged += "Install Directory = " + installDirectory + "\r\n";
    damaged += "RunBodyshop = " + runBodyshop + "\n";  // a bare line feed
    damaged += "Ask Before Quit = no\r\n";             // not a number: 0
    damaged += "Ask Before Quit = 1\r\n";              // the first one counts
    damaged += "=\r\n";
    damaged += "; Start Number = 123\r\n";
    damaged += "[Seamster]\r\n";  // nothing after a group header is found
    damaged += "Selected Pack = The Sims 2\r\n";
    damaged += "Auto Quit = 1\r\n";
    damaged += std::string("\0\0\x10 more junk \xC3\x28\r\n", 18);
    writeSettingsBytes(damaged);
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    settle(main);
    snap(main, "main-window");
    EXPECT_EQ(text(main), "Seamster   --    The Sims 2 Nightlife");

    // "no" reads as 0, so no question; the file is then written cleanly.
    quitWithoutQuestion(seamster, main);
    SettingsEntries expected = defaultSettings();
    setValue(expected, "Selected Pack", "The Sims 2 Nightlife");
    setValue(expected, "Install Directory", installDirectory);
    setValue(expected, "Sims Folder Count", std::to_string(sandboxFolderCount));
    setValue(expected, "RunBodyshop", runBodyshop);
    setValue(expected, "Ask Before Quit", "0");
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(expected)));
}

TEST_F(StartUp, SettingsBehindAHeaderOrInJunkReadAsDefaults) {
    SettingsEntries hidden = settingsForPack("The Sims 2 Nightlife");
    setValue(hidden, "Ask Before Quit", "0");
    const std::string headerFirst = "[Seamster]\r\n" + settingsFileBytes(hidden);
    std::string junk;
    for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);

    for (const auto& [name, bytes] : {std::pair{"header", headerFirst}, std::pair{"junk", junk}}) {
        SCOPED_TRACE(name);
        writeSettingsBytes(bytes);
        Process seamster = startSeamster();
        // Every key at its default: no folder count, so the pack is asked for
        // again, and the quit question comes.
        HWND setup = waitForWindow(seamster.id(), "Seamster Set Up");
        ASSERT_NE(setup, nullptr) << "the set-up window did not show";
        HWND main = waitForMainWindow(seamster);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(text(main).rfind(mainTitleStart, 0), 0u);
        quitWithQuestion(seamster, main);
        ASSERT_FALSE(HasFailure());
    }
}

class SmallDesktop : public Scenario {
protected:
    Rect expectedScreen() const override { return {0, 0, 799, 600}; }
};

TEST_F(SmallDesktop, EndsWithABoxNamingTheSize) {
    ASSERT_TRUE(deleteFile(settingsPath()));
    Process seamster = startSeamster();
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no box on a 799 x 600 desktop";
    settle(box);
    snap(box, "too-small");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box),
              "Sorry...\nMinumum Desktop Size Needed is 800 x 600\nYours is set to 799 x "
              "600\nSeamster Ending");
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
    ASSERT_TRUE(seamster.waitForExit()) << "Seamster did not end";
    EXPECT_EQ(seamster.exitCode(), 0u);
    EXPECT_FALSE(fileExists(settingsPath())) << "an early end saves nothing";
}

}  // namespace
}  // namespace seamster::e2e
