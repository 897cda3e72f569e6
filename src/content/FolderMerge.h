#pragma once
// Putting back a folder the game made anew while the real one was hidden:
// everything in the new folder moves into the real one.

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace seamster {

// A file of a recreated folder kept beside the user's own of the same name.
struct KeptBeside {
    std::string name;    // in the recreated folder
    std::string keptAs;  // in the hidden folder
};

// What stopped a merge: the entry (its path inside the recreated folder, ""
// for the folder itself) and why.
struct MergeStop {
    std::string entry;
    FsError error = FsError::other;
};

// Moves everything in `recreated` into `hidden` and removes `recreated`
// once it is empty. Each file and sub-folder moves by a rename: a sub-folder
// whose name is free moves whole, one whose name is taken is merged by the
// same rule. A file of the hidden folder is never replaced: a newcomer of
// the same name is kept beside it under a free name (listed in
// `keptBeside`), or goes when it holds the same bytes. Only on another
// volume is a file copied, and on the disk before it takes its name. At
// every moment each file is in one of the two places. False, with
// `stoppedAt` saying where and why, when any step fails.
bool mergeRecreatedFolder(FileSystem& fs, const std::string& recreated, const std::string& hidden,
                          std::vector<KeptBeside>* keptBeside = nullptr,
                          MergeStop* stoppedAt = nullptr);

}  // namespace seamster
