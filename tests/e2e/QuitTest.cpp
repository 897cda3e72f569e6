// Quitting: the question before it, and what the settings file holds after it.

#include <cstdlib>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

class Quitting : public Scenario {};

// Values a user may have chosen in every window, so that a key that is lost,
// moved or mangled on the way through a run shows.
SettingsEntries everythingChosen(const std::string& pack) {
    SettingsEntries entries = settingsForPack(pack);
    const std::pair<const char*, const char*> chosen[] = {
        {"Auto Quit", "1"},
        {"Window X", "300"},
        {"Window Y", "200"},
        {"Image Path", "C:\\Pictures\\"},
        {"Last Image", "C:\\Pictures\\Sky at dusk.jpg"},
        {"Orphan Projects", "0"},
        {"In Front", "New_"},
        {"In Back", "_final  "},  // trailing blanks belong to the value
        {"Start Number", "007"},
        {"Copy To", "C:\\Finished\\"},
        {"Copy To Display", "C:\\Finished\\"},
        {"Go Back Weeks", "2"},
        {"Bodyshop Number", "2"},
        {"Keep Number", "0"},
        {"Copy Packages", "1"},
        {"In The Last", "2"},
        {"Custom Number", "1"},
        {"Last Used", "03/05/2024"},
        {"Packages Folder", "C:\\Packages\\"},
        {"Path Display", "C:\\Packages\\"},
        {"Search", "Dress"},
        {"Other Folder", "1"},
    };
    for (const auto& [key, value] : chosen) setValue(entries, key, value);
    return entries;
}

TEST_F(Quitting, NoKeepsSeamsterRunningAndYesSavesEverySetting) {
    const SettingsEntries before = everythingChosen("The Sims 2 Nightlife");
    writeSettings(before);
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(text(main), "Seamster   --    The Sims 2 Nightlife");

    closeWindow(main);
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "no quit question";
    settle(box);
    snap(box, "quit-question");
    EXPECT_EQ(text(box), "Seamster");
    EXPECT_EQ(messageBoxText(box), "Are you sure you want to Quit? ");
    EXPECT_NE(control(box, IDYES), nullptr);
    ASSERT_TRUE(pressMessageBoxButton(box, IDNO));
    ASSERT_TRUE(waitUntilGone(box));

    waitUntilProgramSettled(seamster.id());
    ASSERT_TRUE(seamster.isRunning()) << "No ended Seamster";
    EXPECT_TRUE(isVisible(main));
    EXPECT_TRUE(isEnabled(main));
    // Nothing is written before the program ends.
    EXPECT_EQ(readSettings(), settingsFileBytes(before));

    quitWithQuestion(seamster, main);
    // Not remembering the position writes 0 and 0, whatever was read.
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(before)));
}

TEST_F(Quitting, RememberedPositionIsUsedAtTheNextStart) {
    SettingsEntries before = settingsForPack("The Sims 2");
    setValue(before, "Remember Window Position", "1");
    setValue(before, "Ask Before Quit", "0");
    writeSettings(before);

    Process first = startSeamster();
    HWND main = waitForMainWindow(first);
    ASSERT_NE(main, nullptr);
    settle(main);
    // No position yet: centred for the size the window was created with, a
    // client area 180 high, before it grew to make room for the tool bar.
    const Rect placed = windowRect(main);
    const int createdHeight = placed.height - (clientRect(main).height - 180);
    const Rect screen = screenRect();
    EXPECT_LE(std::abs(placed.x - (screen.width - placed.width) / 2), 1) << placed;
    EXPECT_LE(std::abs(placed.y - (screen.height - createdHeight) / 2), 1) << placed;

    ASSERT_TRUE(moveWindow(main, 140, 90));
    settle(main);
    ASSERT_EQ(windowRect(main).x, 140);
    quitWithoutQuestion(first, main);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(readSettings(), settingsFileBytes(savedAfterRun(before, 140, 90)));

    Process second = startSeamster();
    main = waitForMainWindow(second);
    ASSERT_NE(main, nullptr);
    settle(main);
    snap(main, "moved-window");
    EXPECT_EQ(windowRect(main).x, 140);
    EXPECT_EQ(windowRect(main).y, 90);
    quitWithoutQuestion(second, main);

    // One positive coordinate is enough for a saved position to count.
    setValue(before, "Window X", "0");
    setValue(before, "Window Y", "50");
    writeSettings(before);
    Process third = startSeamster();
    main = waitForMainWindow(third);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(windowRect(main).x, 0);
    EXPECT_EQ(windowRect(main).y, 50);
    quitWithoutQuestion(third, main);

    // A position on a monitor no longer there: where it opens the first time.
    setValue(before, "Window X", "2400");
    setValue(before, "Window Y", "1800");
    writeSettings(before);
    Process fourth = startSeamster();
    main = waitForMainWindow(fourth);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(windowRect(main), placed);
    quitWithoutQuestion(fourth, main);
}

TEST_F(Quitting, SettingsThatCannotBeSavedAreSaidOnceAndTheFileIsKept) {
    // No pack chosen yet: the end of the set-up window saves, and so does quitting.
    const std::string before = settingsFileBytes(defaultSettings());
    writeSettingsBytes(before);
    const std::wstring file = widen(settingsPath());
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    Process seamster = startSeamster();
    HWND setup = waitForWindow(seamster.id(), "Seamster Set Up");
    ASSERT_NE(setup, nullptr);
    settle(setup);
    click(control(setup, 5));
    HWND box = waitForMessageBox(seamster.id());
    ASSERT_NE(box, nullptr) << "nothing said of the settings";
    settle(box);
    snap(box, "settings-not-saved");
    EXPECT_EQ(messageBoxText(box).rfind("Seamster can't save its settings.\nThe file Seamster.ini "
                                        "cannot be written in the folder\n" +
                                            programFolder() + "\n\n",
                                        0),
              0u);
    ASSERT_TRUE(pressMessageBoxButton(box, IDOK) && waitUntilGone(box));
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    quitWithQuestion(seamster, main);  // and no second box
    EXPECT_EQ(readSettings(), before);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace seamster::e2e
