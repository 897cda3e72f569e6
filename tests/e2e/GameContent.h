#pragma once
// What the scenarios about the game's content switches share: the Body Shop
// stand-in that Seamster starts, the main window's status-bar markers, the
// secondary windows' titles and snapshots of folders on disk.

#include <map>
#include <string>

#include "Scenario.h"

namespace seamster::e2e {

inline const std::string hideFoldersTitle = "    Seamster   --    Hide Game Folders";
inline const std::string extrasTitle = "Seamster - Bodyshop Extras";
inline const std::string optionsTitle = "    Seamster   --    Program Options";
inline const std::string aboutTitle = "    About Seamster";
inline const std::string standInTitle = "Body Shop stand-in";
inline const std::string bodyShopExe = "TS2BodyShop.exe";

// Main window tool-bar buttons and gadgets the scenarios press.
namespace mainButton {
inline constexpr int about = 2;
inline constexpr int hideGameFolders = 6;
inline constexpr int extras = 7;
inline constexpr int options = 8;
}  // namespace mainButton
inline constexpr int runBodyshopGadget = 18;

// The running Body Shop stand-in. Whatever still runs when the object goes is
// ended, so that no scenario leaves a "Body Shop" behind for the next one.
class StandIn {
public:
    StandIn() = default;
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    ~StandIn();

    // Waits for the stand-in's window to show; false when it does not.
    bool waitUntilShown(int timeoutMs = defaultWaitMs);
    HWND window() const { return window_; }
    // Closes its window as the user would and waits until the process ended.
    bool close(int timeoutMs = defaultWaitMs);

private:
    HWND window_ = nullptr;
    HANDLE process_ = nullptr;
};

// The icon a status-bar field of another process shows. Seamster loads each
// picture once, so equal handles mean the same picture.
HICON statusBarIcon(HWND bar, int part);

// Clicks a text gadget (a link) with the mouse, as a user would.
void clickText(HWND label);

// Every file below the folder, by path relative to it, with its bytes;
// sub-folders show as "name\" with empty content.
using FolderContents = std::map<std::string, std::string>;
FolderContents folderContents(const std::string& folder);

// A scenario that starts at the main window of the sandbox's base game.
class ContentScenario : public Scenario {
protected:
    HICON statusIcon(int part) const { return statusBarIcon(statusBar(), part); }

    // Presses a tool-bar button and waits for the window it opens, which
    // must leave the main window disabled.
    HWND openFromToolBar(int button, const std::string& title);
    // Presses the window's OK button and waits until it is gone and the main
    // window works again.
    void pressOk(HWND window, int okGadget);

    // Ticks both boxes of the Hide Game Folders window and presses "OK".
    void chooseToHideBothFolders();
    // Opens the Extras window and presses "OK" without changing anything.
    void confirmExtras();
    // Presses "Run Bodyshop" and waits for the stand-in.
    void runBodyShop(StandIn& standIn);

    // Waits for Seamster's message box and returns its text; answers it with
    // the given button and waits until it is gone.
    std::string answerBox(int button, const std::string& snapName);

    std::string game() const { return gameFolder(); }
};

}  // namespace seamster::e2e
