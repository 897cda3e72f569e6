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
// F1 (on `page`) and the help button (no page): the help file, or the box
// saying it is missing. A help file that Windows marked as downloaded shows
// blank pages: then the same page of the web-page help beside it opens in
// the browser, and the first time a box says how to unblock the zip.
void showHelpPage(const GamePaths& paths, Platform& platform, ToldOnce& told,
                  const std::string& page);

// Whether a file carries the mark Windows gives downloads: a Zone.Identifier
// stream naming the Internet or the Restricted zone.
bool markedAsDownloaded(FileSystem& fs, const std::string& path);

inline constexpr char helpBlockedText[] =
    "Windows has blocked Seamster's help file because it came from the internet, so its "
    "pages would show blank. The help opens in your web browser instead.\n\n"
    "To read it in the help viewer: quit Seamster, right-click the zip you downloaded, "
    "choose Properties, tick \"Unblock\", press OK and unpack the zip again.";

// One pass of the loop; false once the program should end.
bool mainLoopPass(App& app, MainView& view, MainInputSource& events);
void mainLoop(App& app, MainView& view, MainInputSource& events);

std::string mainWindowTitle(const std::string& selectedPack);

// The tool-bar commands that work inside the user game folder, off without one.
bool needsGameFolder(MainInput command);

}  // namespace seamster
