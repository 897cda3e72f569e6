#pragma once
// What every end-to-end scenario shares: where Seamster lives in the sandbox,
// the settings files it reads and writes, starting it and getting past the
// set-up window, and screenshots of what is seen.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Driver.h"

namespace seamster::e2e {

// --- the sandbox's installation (tools/sandbox/make-sandbox.sh) -----------------

// Four packs offered, one "z" folder and one HomeCrafter folder counted too.
constexpr int sandboxFolderCount = 6;
inline const std::string installDirectory = "C:\\Program Files\\EA GAMES";
inline const std::vector<std::string> sandboxPacks = {
    "The Sims 2", "The Sims 2 University", "The Sims 2 Nightlife", "The Sims 2 Double Deluxe"};

std::string bodyShopPath(const std::string& installDir, const std::string& pack);
// The registry value that names the base game's folder, in the 32-bit view.
inline const std::string installKey = "Software\\EA GAMES\\The Sims 2";
inline const std::string installValueName = "Install Dir";
inline const std::string installValue = "C:\\Program Files\\EA GAMES\\The Sims 2";
// Writes the value as the sandbox has it; false when the registry refused.
bool restoreInstallValue();

// "Seamster   --    " followed by the pack.
std::string mainTitle(const std::string& pack);
inline const std::string mainTitleStart = "Seamster   --    ";

// --- settings files -----------------------------------------------------------------

// The settings file as ordered key and value pairs.
using SettingsEntries = std::vector<std::pair<std::string, std::string>>;

// The thirty keys in the order Seamster writes them, each with the value a
// save writes when nothing was ever chosen (Last Used as read: 01/01/2000).
SettingsEntries defaultSettings();
// Settings of an earlier run in this sandbox with the given pack, so that
// start-up goes straight to the main window.
SettingsEntries settingsForPack(const std::string& pack);
void setValue(SettingsEntries& entries, const std::string& key, const std::string& value);
std::string valueOf(const SettingsEntries& entries, const std::string& key);
// "key = value" lines ended by CR LF, byte for byte as Seamster writes them.
std::string settingsFileBytes(const SettingsEntries& entries);
// What a save writes after a run that read `before`: today as Last Used, and
// the window position only when it is to be remembered.
SettingsEntries savedAfterRun(SettingsEntries before, int windowX = 0, int windowY = 0);
// Today's local date as "mm/dd/yyyy".
std::string todayText();

// --- the fixture ------------------------------------------------------------------------

class Scenario : public ::testing::Test {
protected:
    void SetUp() override;

    // The screen the scenario is written for; the harness provides it.
    virtual Rect expectedScreen() const { return {0, 0, 1024, 768}; }

    static std::string programFolder();
    static std::string exePath() { return programFolder() + "\\Seamster.exe"; }
    static std::string settingsPath() { return programFolder() + "\\Seamster.ini"; }

public:
    // The user game folder: Documents\EA Games\The Sims 2, without a final backslash.
    static std::string gameFolder();

protected:
    Process startSeamster();
    // The main window once start-up is done, pressing "OK" in the set-up
    // window if it comes first; null (and a failure) on a message box or when
    // nothing shows in time.
    HWND waitForMainWindow(const Process& seamster);
    // Closes the main window and answers the quit question, which must come.
    void quitWithQuestion(const Process& seamster, HWND mainWindow);
    // Closes the main window when no question is expected.
    void quitWithoutQuestion(const Process& seamster, HWND mainWindow);

    void writeSettings(const SettingsEntries& entries);
    void writeSettingsBytes(const std::string& bytes);
    std::string readSettings();

    // Saves a screenshot named after the scenario and `what`.
    void snap(HWND window, const std::string& what);

    // Writes the settings, starts Seamster into seamster_ and waits for its
    // main window (main_, also returned; null when it did not come).
    HWND startAtMainWindow(const SettingsEntries& settings);
    HWND toolBar() const { return childOfClass(main_, "ToolbarWindow32"); }
    HWND statusBar() const { return childOfClass(main_, "msctls_statusbar32"); }

    Process seamster_;
    HWND main_ = nullptr;
};

}  // namespace seamster::e2e
