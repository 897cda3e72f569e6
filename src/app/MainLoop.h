#pragma once
// The main loop: one pass takes at most one event, follows the Body Shop
// process, starts pending restorations and dispatches the event.

#include "app/App.h"
#include "app/MainView.h"

namespace seamster {

// Main window gadgets and tool-bar buttons by number.
namespace gadget {
inline constexpr int refreshThumbnails = 10, backgroundImage = 11, cleanupProjects = 12,
                     backgroundColor = 14, size800 = 15, size1024 = 16, poseList = 17,
                     runBodyshop = 18, sizeFrame = 19, settingsFrame = 20, thumbnail = 22,
                     stateImage = 23, lightingList = 24;
}
namespace button {
inline constexpr int setUp = 0, help = 1, about = 2, newBackgroundColor = 3, newBackgroundImage = 4,
                     cleanUpProjects = 5, hideGameFolders = 6, extras = 7, options = 8,
                     renamePackages = 9;
}
namespace picture {
inline constexpr int blankThumbnail = 0, bodyShopRunning = 6, bodyShopIdle = 7, help = 11,
                     backgroundColor = 12, backgroundImage = 13, cleanUp = 14, folders = 15,
                     extras = 16, aboutSmall = 17, options = 18, setUp = 19, changed = 20,
                     folder = 21, femaleUndies = 22, maleUndies = 23, aboutArt = 24,
                     aboutBanner = 25, about = 26, rename = 27;
}

inline constexpr char bodyShopProcessName[] = "TS2BodyShop.exe";

// How long a pass without a gadget event waits. Input and the end of a
// watched Body Shop wake the loop at once, so the wait only spaces out the
// idle passes; a Body Shop started elsewhere is looked for every
// BodyShopWatch::lookInterval.
inline constexpr int idlePause = 100;

int checkBodyShopProcess(App& app);

// Shows the running or idle state for the latest process check, and on an
// idle pass starts what the end of a run asks for.
void followBodyShopState(App& app, MainView& view);

// Keeps the main window's corner in the settings (Window X and Y).
void storeWindowPosition(App& app, MainView& view);

// The close request of the main window: at most one question.
void confirmQuit(App& app);

void dispatchToolBar(App& app, MainView& view, int buttonNumber);
void dispatchGadget(App& app, MainView& view, int gadgetNumber);

// One pass of the loop; false once the program should end.
bool mainLoopPass(App& app, MainView& view, EventSource& events);
void mainLoop(App& app, MainView& view, EventSource& events);

std::string mainWindowTitle(const std::string& selectedPack);

}  // namespace seamster
