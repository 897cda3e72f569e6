#include "rename/RenameUndo.h"

#include <algorithm>

namespace seamster {

namespace {

constexpr size_t kNamesInSummary = 10;

std::string files(size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

UndoOutcome undoOne(const std::string& folder, const RenamedFile& file, FileSystem& fs,
                    RenameHistory* history) {
    const std::string from = folder + file.newName;
    const std::string to = folder + file.oldName;
    if (history && !history->before("undo", from, to)) return UndoOutcome::notTried;
    UndoOutcome outcome = UndoOutcome::restored;
    if (fs.exists(from) != PathKind::file)
        outcome = UndoOutcome::notUnderNewName;
    else if (fs.exists(to) != PathKind::missing)
        outcome = UndoOutcome::oldNameTaken;
    else if (!fs.rename(from, to))
        outcome = UndoOutcome::refused;
    const bool restored = outcome == UndoOutcome::restored;
    if (history) history->after("undo", from, to, restored, restored ? "" : undoReason(outcome));
    return outcome;
}

}  // namespace

const char* undoReason(UndoOutcome outcome) {
    switch (outcome) {
    case UndoOutcome::restored: return "";
    case UndoOutcome::oldNameTaken: return "its old name is taken by another file now";
    case UndoOutcome::notUnderNewName: return "it is no longer there under its new name";
    case UndoOutcome::refused: return "Windows refused the rename";
    case UndoOutcome::notTried: return "not tried: the rename history could not be written";
    }
    return "";
}

std::string undoQuestion(const RunRecord& run) {
    std::string text =
        "Give the " + files(run.renamed.size()) + " renamed by the last run their old names back?";
    if (run.copies > 0)
        text += "\n\nThe " + std::to_string(run.copies) + (run.copies == 1 ? " copy" : " copies") +
                " it made in " + run.copyFolder + " will not be deleted.";
    else
        text += "\n\nCopies are never deleted by an undo.";
    return text;
}

std::vector<UndoResult> undoRun(const RunRecord& run, FileSystem& fs, RenameHistory* history) {
    std::vector<UndoResult> results;
    bool stopped = false;
    for (auto file = run.renamed.rbegin(); file != run.renamed.rend(); ++file) {
        UndoOutcome outcome = UndoOutcome::notTried;
        if (!stopped) outcome = undoOne(run.folder, *file, fs, history);
        // Without a record nothing more is renamed.
        if (outcome == UndoOutcome::notTried || (history && !history->healthy())) stopped = true;
        results.push_back({*file, outcome});
    }
    return results;
}

int markUndoneRows(const std::vector<UndoResult>& results, std::vector<PackageRow>& rows) {
    int failed = 0;
    for (const UndoResult& result : results) {
        if (result.file.row >= rows.size()) continue;
        PackageRow& row = rows[result.file.row];
        if (result.outcome == UndoOutcome::restored) {
            row.name = result.file.oldName;
            row.nameColour = kTextBlack;
        } else {
            row.nameColour = kTextRed;
            ++failed;
        }
    }
    return failed;
}

RunRecord remainingAfterUndo(const RunRecord& run, const std::vector<UndoResult>& results) {
    RunRecord left = run;
    left.renamed.clear();
    for (const RenamedFile& file : run.renamed) {
        const bool restored = std::any_of(results.begin(), results.end(), [&](const UndoResult& r) {
            return r.file == file && r.outcome == UndoOutcome::restored;
        });
        if (!restored) left.renamed.push_back(file);
    }
    return left;
}

std::string undoSummary(const std::vector<UndoResult>& results) {
    size_t restored = 0;
    std::vector<const UndoResult*> failures;
    for (const UndoResult& result : results) {
        if (result.outcome == UndoOutcome::restored)
            ++restored;
        else
            failures.push_back(&result);
    }
    std::string text = files(restored) +
                       (restored == 1 ? " has its old name back." : " have their old names back.");
    if (failures.empty()) return text;
    text += "\n\n" + files(failures.size()) +
            (failures.size() == 1 ? " could not go back and is" : " could not go back and are") +
            " marked in red:";
    for (size_t i = 0; i < failures.size() && i < kNamesInSummary; ++i)
        text += "\n" + failures[i]->file.newName + ": " + undoReason(failures[i]->outcome);
    if (failures.size() > kNamesInSummary)
        text += "\n... and " + std::to_string(failures.size() - kNamesInSummary) + " more";
    text += "\n\nEvery step is in the rename history.";
    return text;
}

}  // namespace seamster
