#pragma once
// Hiding the Downloads and SavedSims folders for a Body Shop run, and putting
// them (and the default underwear) back afterwards.

#include <string>

#include "core/App.h"
#include "core/MainView.h"

namespace seamster {

void applyFolderHiding(App& app, MainView& view);
void restoreGameFiles(App& app, MainView& view);

// Moves the files of a folder the game created while the real one was hidden
// into the hidden folder and removes the new folder. False (with every file
// still in one of the two places) when any step fails.
bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden);

}  // namespace seamster
