#pragma once
// Start-up, from the shared pictures to the main window's first state, and
// the rules it follows.

#include <functional>
#include <optional>
#include <string>

#include "app/MainView.h"
#include "core/App.h"

namespace seamster {

// What start-up asks of the toolkit and the main window beside MainView.
class StartUpScreen {
public:
    virtual ~StartUpScreen() = default;
    // The shared pictures and fonts, loaded once before any window.
    virtual void loadPicturesAndFonts() = 0;
    // F1 shows its page through `handler` from now on.
    virtual void setHelpHandler(std::function<void(const std::string& page)> handler) = 0;
    // Builds the main window, hidden; false when it cannot be made.
    virtual bool buildMainWindow() = 0;
};

// Everything between the single-instance and desktop checks and the main
// loop, in its order: the help file, the user game folder, the settings, the
// installation, the main window, what an earlier run left switched or
// hidden, the pose and lighting packages, the Body Shop check and the
// controls that need a game folder. False when the main window could not be
// made.
bool startUp(App& app, MainView& main, StartUpScreen& screen);

// Finds the user's game folder: the first sub-folder of Documents\EA Games
// that holds a Neighborhoods folder. Without one the folder's name stays
// empty and nothing is looked for in EA Games itself.
void findUserFolder(GamePaths& paths, FileSystem& fs, const std::string& documentsFolder);

// Uses the user game folder of the edition whose Body Shop runs, when it
// has one that holds a Neighborhoods folder; otherwise the paths stay as
// findUserFolder set them. True when the edition's folder is used.
bool useEditionUserFolder(GamePaths& paths, FileSystem& fs, const GameEdition& edition);

// The box of start-up when the Body Shop to run is not there: what a
// collection without one lacks, or "Can't Find BodyShop.exe!".
void reportMissingBodyShop(FileSystem& fs, Dialogs& dialogs, const std::string& bodyShop,
                           const GameEdition& edition);

// The stop text for a desktop below 800 x 600, or nothing when it is large enough.
std::optional<std::string> desktopTooSmallText(int width, int height);

std::string helpFilePath(const std::string& currentFolder);

// The help file of the current folder, as before; when there is none there, the
// one beside the program.
void findHelpFile(GamePaths& paths, FileSystem& fs, const std::string& currentFolder,
                  const std::string& programFolder);

}  // namespace seamster
