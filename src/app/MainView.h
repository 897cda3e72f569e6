#pragma once
// What the program's rules ask of the main window, and what the subsystems
// ask of it, each in its own words. The Win32 main window implements it, with
// its gadget numbers; tests record the calls.

#include <string>
#include <vector>

#include "config/Installation.h"
#include "content/GameFilesView.h"
#include "images/BackgroundView.h"

namespace seamster {

// What the user asks of the main window.
enum class MainInput {
    none,   // nothing happened
    other,  // an event that asks for nothing, such as a key
    close,  // the close box or Alt+F4
    quit,   // told to end from outside
    // The tool bar's buttons.
    setUp,
    help,
    about,
    newBackgroundColor,
    newBackgroundImage,
    cleanUpProjects,
    hideGameFolders,
    extras,
    options,
    renamePackages,
    // The window's gadgets, from here to the end.
    gadget,  // one without an action of its own
    refreshThumbnails,
    backgroundImageButton,
    cleanUpProjectsButton,
    backgroundColorButton,
    sizeChosen,
    runBodyShop,
};

inline bool isGadget(MainInput input) { return input >= MainInput::gadget; }

// Where the main loop takes the user's requests from.
class MainInputSource {
public:
    virtual ~MainInputSource() = default;
    // Handles at most one pending window message; what it asked, if anything.
    virtual MainInput pollInput() = 0;
    // Waits up to `milliseconds`, waking at once when input arrives.
    virtual void pause(int milliseconds) = 0;
};

// The main window's gadgets that the program's rules enable and disable.
enum class MainControl {
    refreshThumbnails,
    backgroundImage,
    backgroundColor,
    cleanUpProjects,
    size800,
    size1024,
    poseList,
    lightingList,
    runBodyShop,
};

// The drop-down lists of packages switched for a run: position 0 is the
// default item.
enum class SwitchList { pose, lighting };

// The windows opened from the main window's tool bar and buttons.
enum class Secondary {
    about,
    options,
    hideGameFolders,
    extras,
    removeProjects,
    renamePackages,
    backgroundColor,
    backgroundImage
};

class MainView : public GameFilesView, public SetUpView, public BackgroundView {
public:
    virtual ~MainView() = default;

    virtual void enableControl(MainControl control, bool enabled) = 0;
    // A tool-bar button, by what it asks.
    virtual void enableCommand(MainInput command, bool enabled) = 0;
    // The picture beside the Run button.
    virtual void showBodyShopRunning(bool running) = 0;
    virtual void setTitle(const std::string& title) = 0;

    virtual void insertSwitch(SwitchList list, int position, const std::string& caption) = 0;
    virtual void chooseSwitch(SwitchList list, int position) = 0;
    virtual int chosenSwitch(SwitchList list) = 0;

    // Runs a secondary window (or requester) modally over the main window.
    virtual void openSecondary(Secondary which) = 0;

    void enableThumbnailRefresh(bool enabled) final {
        enableControl(MainControl::refreshThumbnails, enabled);
    }
};

}  // namespace seamster
