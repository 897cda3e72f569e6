#include "rename/RenameUndo.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/Text.h"

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

constexpr size_t noRow = size_t(-1);

std::string stepKey(const std::string& operation, const std::string& from, const std::string& to) {
    return operation + '\t' + from + '\t' + to;
}

// The steps of one run (or undo) that were made: those done, and a step that
// was under way when Seamster stopped when its file moved as it would have.
// A begin line is still open when no outcome of the same step follows it.
std::vector<HistoryLine> madeSteps(const std::vector<HistoryLine>& lines, size_t first, size_t last,
                                   FileSystem& fs) {
    std::vector<HistoryLine> made;
    std::unordered_map<std::string, size_t> lastOutcome;
    for (size_t i = first; i < last; ++i) {
        const HistoryLine& line = lines[i];
        if (line.step == HistoryStep::done) made.push_back(line);
        if (line.step == HistoryStep::done || line.step == HistoryStep::failed)
            lastOutcome[stepKey(line.operation, line.from, line.to)] = i;
    }
    for (size_t i = first; i < last; ++i) {
        const HistoryLine& step = lines[i];
        if (step.step != HistoryStep::begin) continue;
        const auto outcome = lastOutcome.find(stepKey(step.operation, step.from, step.to));
        if ((outcome == lastOutcome.end() || outcome->second < i) &&
            fs.exists(step.to) == PathKind::file && fs.exists(step.from) == PathKind::missing)
            made.push_back(step);
    }
    return made;
}

// The name of `path` when it is a plain entry directly inside `folder`.
std::optional<std::string> entryOf(const std::string& folder, const std::string& path) {
    if (!startsWith(path, folder)) return std::nullopt;
    std::string name = path.substr(folder.size());
    if (!isPlainEntryName(name)) return std::nullopt;
    return name;
}

// A history may be damaged, edited or come from elsewhere: only a rename of
// one plain entry of the run's own folder to another is ever taken back.
std::optional<RenamedFile> renamedFileOf(const std::string& folder, const HistoryLine& step) {
    std::optional<std::string> oldName = entryOf(folder, step.from),
                               newName = entryOf(folder, step.to);
    if (!oldName || !newName) return std::nullopt;
    return RenamedFile{noRow, std::move(*oldName), std::move(*newName)};
}

// Only a local folder named in full, ending with its backslash, can hold a run.
bool isRunFolder(const std::string& folder) {
    return isAbsolutePath(folder) && !isNetworkPath(folder) && folder.back() == '\\' &&
           folder.find("\\..\\") == std::string::npos && folder.find("\\.\\") == std::string::npos;
}

RunRecord runOf(const HistoryLine& start, const std::vector<HistoryLine>& steps) {
    RunRecord run;
    run.folder = start.from;
    if (!isRunFolder(run.folder)) return run;
    for (const HistoryLine& step : steps) {
        if (step.operation == "copy") {
            if (run.copies++ == 0) run.copyFolder = step.to.substr(0, step.to.rfind('\\') + 1);
        } else if (step.operation == "rename") {
            if (auto file = renamedFileOf(run.folder, step)) run.renamed.push_back(*file);
        }
    }
    return run;
}

// Takes the files an undo gave back out of the run it undid.
void applyUndo(RunRecord& run, const std::vector<HistoryLine>& steps) {
    std::unordered_set<std::string> undone;
    for (const HistoryLine& step : steps)
        if (step.operation == "undo") undone.insert(stepKey({}, step.from, step.to));
    if (undone.empty()) return;
    std::erase_if(run.renamed, [&](const RenamedFile& file) {
        return undone.count(stepKey({}, run.folder + file.newName, run.folder + file.oldName)) != 0;
    });
}

}  // namespace

std::optional<RunRecord> undoableRunOf(const std::vector<HistoryLine>& lines, FileSystem& fs,
                                       const std::vector<PackageRow>& rows,
                                       const std::string& listFolder) {
    std::optional<RunRecord> last;
    for (size_t first = 0; first < lines.size(); ++first) {
        if (lines[first].step != HistoryStep::start) continue;
        size_t end = first + 1;
        while (end < lines.size() && lines[end].step != HistoryStep::start) ++end;
        const std::vector<HistoryLine> steps = madeSteps(lines, first + 1, end, fs);
        if (lines[first].operation == "undo") {
            if (last && last->folder == lines[first].from) applyUndo(*last, steps);
        } else if (RunRecord run = runOf(lines[first], steps); !run.renamed.empty()) {
            last = std::move(run);
        }
        first = end - 1;
    }
    if (!last) return std::nullopt;
    attachRows(*last, rows, listFolder);
    // A listed file was just seen; only the others are looked for.
    std::erase_if(last->renamed, [&](const RenamedFile& file) {
        return file.row == noRow && fs.exists(last->folder + file.newName) != PathKind::file;
    });
    if (last->renamed.empty()) return std::nullopt;
    return last;
}

void attachRows(RunRecord& run, const std::vector<PackageRow>& rows,
                const std::string& listFolder) {
    std::unordered_map<std::string, size_t> rowOf;
    if (equalsIgnoreCase(run.folder, listFolder))
        for (size_t i = 0; i < rows.size(); ++i) rowOf.emplace(toLower(rows[i].name), i);
    for (RenamedFile& file : run.renamed) {
        const auto found = rowOf.find(toLower(file.newName));
        file.row = found == rowOf.end() ? noRow : found->second;
    }
}

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
    std::string text = "Give the " + files(run.renamed.size()) +
                       " renamed by the last run their old names back?" + "\n\nThey are in " +
                       run.folder;
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
