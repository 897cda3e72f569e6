#pragma once
// Hiding the Downloads and SavedSims folders for a Body Shop run, and putting
// them (and the default underwear) back afterwards.

#include <string>
#include <vector>

#include "content/GameFilesView.h"
#include "core/App.h"

namespace seamster {

void applyFolderHiding(App& app, GameFilesView& view);
void restoreGameFiles(App& app, GameFilesView& view);

// A file of a recreated folder kept beside the user's own of the same name.
struct KeptBeside {
    std::string name;    // in the recreated folder
    std::string keptAs;  // in the hidden folder
};

// Moves the files of a folder the game created while the real one was hidden
// into the hidden folder and removes the new folder. A file of the hidden
// folder is never replaced: a newcomer of the same name is kept beside it
// under a free name, listed in `keptBeside`. False (with every file still in
// one of the two places) when any step fails.
bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden,
                          std::vector<KeptBeside>* keptBeside = nullptr);

}  // namespace seamster
