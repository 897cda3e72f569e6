#pragma once
// Taking the last renaming run back: each file it renamed gets its old name
// again, the last renamed first, so a name one file gave up and another took
// is free again by the time the first wants it back. Nothing is overwritten
// and copies stay where they are.

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "rename/PackageFinder.h"
#include "rename/RenameHistory.h"
#include "rename/RenameRun.h"

namespace seamster {

// What an undo needs to know of a run.
struct RunRecord {
    std::string folder;                // where the run renamed, with its backslash
    std::vector<RenamedFile> renamed;  // in the order the run renamed them
    int copies = 0;
    std::string copyFolder;
};

enum class UndoOutcome {
    restored,
    oldNameTaken,     // something else has the old name now
    notUnderNewName,  // the file was renamed again, moved or deleted
    refused,          // the system would not rename it
    notTried          // the history could not be written, so the undo stopped before it
};

struct UndoResult {
    RenamedFile file;
    UndoOutcome outcome = UndoOutcome::notTried;
};

// Why a file could not go back, as the user and the history are told.
const char* undoReason(UndoOutcome outcome);

// The confirmation asked before an undo, naming the folder of the files.
std::string undoQuestion(const RunRecord& run);

// Gives every file of the run its old name back, in reverse order, writing
// each step to `history` (when given) before and after it. Results come in
// the order the files were tried.
std::vector<UndoResult> undoRun(const RunRecord& run, FileSystem& fs, RenameHistory* history);

// A restored row shows its old name again in the list's usual black; a file
// that could not go back is marked red. Returns how many could not go back.
int markUndoneRows(const std::vector<UndoResult>& results, std::vector<PackageRow>& rows);

// The last renaming run a history tells of that can still be undone, as the
// rename window offers it when it opens again: after Seamster was closed, or
// stopped in the middle of a run by a crash or a power cut. Its files are
// the renames that were made (a step cut off by the stop counts when its file
// is under the new name and the old name is free), less those an undo gave
// back since, and of those the files still under their new names. A later
// run that renamed nothing leaves the one before it. When `rows` list the
// run's folder (`listFolder`), its files point at the rows that show them
// under their new names, and those need no look on the disk; the others get
// no row. Nothing when no file is left to undo.
std::optional<RunRecord> undoableRunOf(const std::vector<HistoryLine>& lines, FileSystem& fs,
                                       const std::vector<PackageRow>& rows = {},
                                       const std::string& listFolder = {});

// Points the run's files at the rows that show them under their new names,
// when the list shows the run's folder; the others get no row.
void attachRows(RunRecord& run, const std::vector<PackageRow>& rows, const std::string& listFolder);

// What is left to undo: the files that did not go back, in the run's order.
RunRecord remainingAfterUndo(const RunRecord& run, const std::vector<UndoResult>& results);

// The box shown once the undo is over.
std::string undoSummary(const std::vector<UndoResult>& results);

}  // namespace seamster
