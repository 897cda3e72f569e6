#pragma once
// The main loop: one pass takes at most one request of the user, follows the
// Body Shop process, starts pending restorations and carries the request out.

#include "core/App.h"
#include "app/MainView.h"

namespace seamster {

ProcessState checkBodyShopProcess(App& app);

// Shows the running or idle state for the latest process check, and on an
// idle pass starts what the end of a run asks for.
void followBodyShopState(App& app, MainView& view);

// The close request of the main window: at most one question.
void confirmQuit(RunState& run, const OptionSettings& options, Dialogs& dialogs);

// What a tool-bar button or a gadget asks for.
void dispatchCommand(App& app, MainView& view, MainInput input);
// F1: the help viewer on `page` of the help file, or the box the help button
// shows when there is no help file.
void showHelpPage(const GamePaths& paths, Shell& shell, Dialogs& dialogs, const std::string& page);

// One pass of the loop; false once the program should end.
bool mainLoopPass(App& app, MainView& view, MainInputSource& events);
void mainLoop(App& app, MainView& view, MainInputSource& events);

std::string mainWindowTitle(const std::string& selectedPack);

// The tool-bar commands that work inside the user game folder, off without one.
bool needsGameFolder(MainInput command);

}  // namespace seamster
