#include "rename/RenameRun.h"

#include <algorithm>

#include "platform/Text.h"

namespace seamster {

const char* const kAutoRenamePrompt = "Click OK to begin auto-renaming or Cancel to go back";
const char* const kRenamingOptionsCaption = "Renaming Options";
const char* const kSameFolderMessage =
    "Files can't be copied into the same folder\nPlease choose a different folder if you want "
    "the files copied";

const char* const kNameTakenReason = "the new name is already taken";
const char* const kRenameRefusedReason = "Windows refused the rename";
const char* const kCopyNameTakenReason = "the copy folder already holds that name";
const char* const kCopyRefusedReason = "Windows refused the copy";

namespace {
const char* const kExtension = ".package";
}

bool copyFolderMissing(bool copyPackages, const std::string& copyTo) {
    return copyPackages && copyTo.empty();
}

bool copiesIntoSearchFolder(const std::string& copyTo, const std::string& searchFolder) {
    return copyTo == searchFolder;
}

bool acceptCopyFolderPick(const std::string& answer, std::string& copyTo,
                          std::string& copyToDisplay) {
    if (answer.empty()) return false;
    copyTo = withBackslash(answer);
    copyToDisplay = shortenPathForDisplay(copyTo, 52);
    return true;
}

std::string confirmNewName(const std::string& boxText, Dialogs& dialogs) {
    // An empty box is not a wrong character; its row will say what happened.
    if (boxText.empty()) return boxText;
    return cleanFileNameText(boxText, dialogs);
}

size_t scrollTargetRow(size_t row, size_t rowCount) { return row + 6 < rowCount ? row + 5 : row; }

bool RedrawPacer::due(int64_t nowMs) {
    if (drawn_ && nowMs >= lastMs_ && nowMs - lastMs_ < waitMs_) return false;
    drawn_ = true;
    lastMs_ = nowMs;
    return true;
}

void RedrawPacer::took(int64_t costMs) { waitMs_ = std::max(intervalMs_, kCostFactor * costMs); }

RenameRun::RenameRun(RunMode mode, std::string searchFolder, std::vector<PackageRow>& rows,
                     NamingSettings& naming, FileSystem& fs)
    : mode_(mode), searchFolder_(std::move(searchFolder)), rows_(rows), naming_(naming), fs_(fs) {
    // Whatever is highlighted counts as ticked, once for the whole run; from
    // here on the count follows each row as it is unticked, so a run over
    // thousands of rows never counts them all again.
    tickedTotal_ = countTickedRows(rows_);
    tickedCount_ = tickedTotal_;
    finished_ = tickedTotal_ == 0;
}

void RenameRun::start(bool copyPackages, const std::string& copyTo) {
    // Without a destination a copy would land in whatever the current folder is.
    copying_ = copyPackages && !copyTo.empty();
    copyFolder_ = copying_ ? withBackslash(copyTo) : std::string();
    for (PackageRow& row : rows_) {
        row.copyMark.clear();
        row.copyMarkColour = kTextBlack;
    }
}

std::optional<RunFile> RenameRun::nextFile() {
    if (finished_) return std::nullopt;
    while (nextRow_ < rows_.size() && rows_[nextRow_].state == 0) ++nextRow_;
    if (nextRow_ >= rows_.size()) {
        finished_ = true;
        current_.reset();
        return std::nullopt;
    }
    RunFile file;
    file.row = nextRow_++;
    file.scrollTarget = scrollTargetRow(file.row, rows_.size());
    PackageRow& row = rows_[file.row];
    file.oldName = row.name;
    file.proposedName = composeNewName(row.name, naming_);
    // The front and end texts and the running number may come from a
    // hand-edited settings file; a path separator must never move the file.
    if (!isValidFileName(file.proposedName))
        file.proposedName = cleanFileNameText(file.proposedName).text;
    row.state = kRowTicked | kRowSelected;
    current_ = file.row;
    return file;
}

void RenameRun::cancelAfterCurrent() {
    if (!current_) return;
    lastOfRun_ = true;
    if (mode_ == RunMode::automatic) {
        untick(rows_[*current_]);
    }
}

RenameOutcome RenameRun::renameFile(PackageRow& row, const std::string& newName) {
    // No name at all would leave a file called just ".package".
    if (newName.empty()) return markFailed(row);
    const std::string oldPath = searchFolder_ + row.name;
    const std::string newPath = searchFolder_ + newName + kExtension;
    if (newPath == oldPath) return RenameOutcome::unchanged;
    // Nothing is renamed without its line in the history.
    if (history_ && !history_->before("rename", oldPath, newPath)) {
        historyFailed_ = true;
        return RenameOutcome::stopped;
    }
    // Nothing is ever renamed over an existing entry: the file system refuses
    // that itself, and a case-only change, which would meet the file itself
    // there, is refused here. Asking whether the name is free only after a
    // refusal saves a look-up per file, which in a folder of thousands costs
    // as much as the rename itself under Wine.
    const bool caseOnly = equalsIgnoreCase(newPath, oldPath);
    const bool moved = !caseOnly && fs_.rename(oldPath, newPath);
    const bool taken = !moved && (caseOnly || fs_.exists(newPath) != PathKind::missing);
    if (history_ && !history_->after("rename", oldPath, newPath, moved,
                                     taken ? kNameTakenReason : kRenameRefusedReason))
        historyFailed_ = true;
    if (!moved) return markFailed(row);
    renamed_.push_back({*current_, row.name, newName + kExtension});
    row.name = newName + kExtension;
    row.nameColour = kTextGreen;
    return RenameOutcome::renamed;
}

void RenameRun::untick(PackageRow& row) {
    if (row.state != 0) --tickedCount_;
    row.state = 0;
}

RenameOutcome RenameRun::markFailed(PackageRow& row) {
    row.nameColour = kTextRed;
    ++errorCount_;
    return RenameOutcome::failed;
}

CopyOutcome RenameRun::copyFile(PackageRow& row) {
    const std::string source = searchFolder_ + row.name;
    const std::string target = copyFolder_ + row.name;
    if (historyFailed_ || (history_ && !history_->before("copy", source, target))) {
        historyFailed_ = true;
        row.copyMark = "~~~";
        row.copyMarkColour = kTextRed;
        return CopyOutcome::skipped;
    }
    const bool taken = fs_.exists(target) != PathKind::missing;
    // Through a temporary name, so a copy cut short never takes the name.
    const bool copied = !taken && copyFileSafely(fs_, source, target, false);
    if (history_ && !history_->after("copy", source, target, copied,
                                     taken ? kCopyNameTakenReason : kCopyRefusedReason))
        historyFailed_ = true;
    if (!copied) {
        row.copyMark = "ERROR";
        row.copyMarkColour = kTextRed;
        ++errorCount_;
        return CopyOutcome::failed;
    }
    ++copiedCount_;
    row.copyMark = "Copied";
    row.copyMarkColour = kTextGreen;
    return CopyOutcome::copied;
}

FileResult RenameRun::finishFile(const std::string& newNameText) {
    FileResult result;
    if (!current_) return result;
    result.row = *current_;
    PackageRow& row = rows_[result.row];

    std::string newName = trimBlanks(newNameText);
    if (!newName.empty() && !isValidFileName(newName))
        newName = trimBlanks(cleanFileNameText(newName).text);

    result.rename = renameFile(row, newName);
    if (result.rename == RenameOutcome::stopped) {
        // Left as it was, still ticked for a later run.
        if (row.state != 0) row.state = kRowTicked;
        result.historyFailed = true;
        result.lastOfRun = true;
        current_.reset();
        finished_ = true;
        return result;
    }
    if (result.rename == RenameOutcome::failed && copying_) {
        row.copyMark = "~~~";
        row.copyMarkColour = kTextRed;
        result.copy = CopyOutcome::skipped;
    } else if (copying_) {
        result.copy = copyFile(row);
    }

    ++doneCount_;
    if (doneCount_ == tickedTotal_ || historyFailed_) lastOfRun_ = true;
    result.historyFailed = historyFailed_;
    untick(row);
    result.lastOfRun = lastOfRun_;
    current_.reset();
    if (lastOfRun_) finished_ = true;
    return result;
}

std::string RenameRun::caption() const {
    if (doneCount_ == 0) return "Processing " + std::to_string(tickedTotal_) + " Files";
    return "Finished " + std::to_string(doneCount_) + " of " + std::to_string(tickedTotal_) +
           " Files";
}

int RenameRun::progress() const { return tickedTotal_ == 0 ? 0 : doneCount_ * 100 / tickedTotal_; }

}  // namespace seamster
