#pragma once
// The rules of start-up that do not need a window.

#include <optional>
#include <string>

#include "core/App.h"

namespace seamster {

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
