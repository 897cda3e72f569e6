#pragma once
// Hiding the Downloads and SavedSims folders for a Body Shop run, and putting
// them (and the default underwear) back afterwards.

#include <string>

#include "content/GameFilesView.h"
#include "core/App.h"

namespace seamster {

void applyFolderHiding(App& app, GameFilesView& view);
void restoreGameFiles(App& app, GameFilesView& view);

// The file in the user game folder where Seamster writes down the folders
// it hid, before it hides them.
inline constexpr char kHiddenFoldersRecord[] = "Seamster Hidden Folders.txt";

// Flags the folders left hidden by an earlier run that ended before
// restoring them: silently those Seamster wrote down, and a hidden form it
// has no record of only when the user says so. True when any is flagged.
bool findLeftOverHiddenFolders(const GamePaths& paths, FileSystem& fs, Dialogs& dialogs,
                               RunState& run);

}  // namespace seamster
