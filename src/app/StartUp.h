#pragma once
// The rules of start-up that do not need a window.

#include <optional>
#include <string>

#include "core/App.h"

namespace seamster {

// Finds the user's game folder: the first sub-folder of Documents\EA Games
// that holds a Neighborhoods folder.
void findUserFolder(GamePaths& paths, FileSystem& fs, const std::string& documentsFolder);

// The stop text for a desktop below 800 x 600, or nothing when it is large enough.
std::optional<std::string> desktopTooSmallText(int width, int height);

std::string helpFilePath(const std::string& currentFolder);

// Flags folders left hidden by an earlier run that ended before restoring them.
bool findLeftOverHiddenFolders(App& app);

}  // namespace seamster
