#pragma once
// The rename-and-copy run over the ticked rows of the package list, one file
// per step so the window can show each file, wait for the user and show
// progress between steps. Nothing is ever overwritten: a name that is
// already taken fails the rename or the copy.
//
// The window drives it like this:
//
//   RenameRun run(mode, searchFolder, rows, naming, fs);  // rows' states read from the list
//   if (!run.hasWork()) -> end face
//   if (copyFolderMissing(box520, copyTo)) -> copy-folder picker; cancelled: untick 520
//   run.start(box520, copyTo);  -> every row's copy mark, caption(), errorText(), run face
//   automatic: kAutoRenamePrompt; "Cancel" -> end face
//   while (auto file = run.nextFile()) {  -> scroll, show oldName / proposedName, row state
//       automatic: poll pending events; "Cancel" -> run.cancelAfterCurrent()
//       oneByOne: wait; on each event cleanTypedText(box text); "OK" -> confirmNewName,
//                 go on; "Cancel" -> run.cancelAfterCurrent(), go on
//       run.finishFile(box text);  -> redraw the row, caption(), progress(), errorText(),
//                                     counterText(tickedCount())
//   }
//   end face: kRenamingOptionsCaption, naming.startNumber into its box

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "rename/NamingRules.h"
#include "rename/PackageFinder.h"
#include "rename/RenameHistory.h"

namespace seamster {

enum class RunMode { oneByOne, automatic };

// `stopped`: the history could not be written, so the file was left alone.
enum class RenameOutcome { unchanged, renamed, failed, stopped };
enum class CopyOutcome { none, copied, failed, skipped };

// The file on screen.
struct RunFile {
    size_t row = 0;
    std::string oldName;       // column 0 when the row was reached
    std::string proposedName;  // without extension
    size_t scrollTarget = 0;   // the row to make visible
};

struct FileResult {
    size_t row = 0;
    RenameOutcome rename = RenameOutcome::unchanged;
    CopyOutcome copy = CopyOutcome::none;
    bool lastOfRun = false;
    // The history could not be written: the run ends with this file.
    bool historyFailed = false;
};

// A file the run renamed, as an undo needs it: names within the run's folder.
struct RenamedFile {
    size_t row = 0;
    std::string oldName, newName;
    friend bool operator==(const RenamedFile&, const RenamedFile&) = default;
};

extern const char* const kAutoRenamePrompt;        // box 534 before an automatic run
extern const char* const kRenamingOptionsCaption;  // frame 516 outside runs
extern const char* const kSameFolderMessage;       // copy folder = searched folder
// Why a rename or copy failed, as the history says it.
extern const char* const kNameTakenReason;
extern const char* const kRenameRefusedReason;
extern const char* const kCopyNameTakenReason;
extern const char* const kCopyRefusedReason;

// True when copying is asked for but no destination was ever chosen: the
// window asks for a folder before the run, and without one the run goes
// without copying (nothing is ever copied into the process's current folder).
bool copyFolderMissing(bool copyPackages, const std::string& copyTo);

// True when the copies would land in the folder being renamed in, so the
// window unticks "Copy Packages to".
bool copiesIntoSearchFolder(const std::string& copyTo, const std::string& searchFolder);

// A picked copy folder (empty = cancelled) becomes copyTo and its display
// text; false when nothing changed.
bool acceptCopyFolderPick(const std::string& answer, std::string& copyTo,
                          std::string& copyToDisplay);

// "OK" on the New Name box: the typed text cleaned, with the characters
// message when it held characters no file name may hold. A box left empty
// (or blank) raises no message: the run refuses that name itself.
std::string confirmNewName(const std::string& boxText, Dialogs& dialogs);

// The row to scroll into view while row `row` of `rowCount` is worked on,
// so a few of the rows to come show below it.
size_t scrollTargetRow(size_t row, size_t rowCount);

// How often an automatic run shows where it is and looks for clicks: drawing
// each of thousands of files, or asking the system for clicks after each,
// would cost more than renaming them. The window is brought up to date at most
// about 30 times a second (and once more when the run ends), and pending
// clicks are taken every few milliseconds, so "Cancel" still ends the run
// after the file being renamed when it is seen. Where drawing is slow (a
// large list under Wine takes about 20 ms), it is kept to about a quarter of
// the run: after a draw that took `costMs`, the next waits four times that.
class RedrawPacer {
public:
    static constexpr int64_t kDrawIntervalMs = 33;
    static constexpr int64_t kPollIntervalMs = 5;
    static constexpr int64_t kCostFactor = 4;
    explicit RedrawPacer(int64_t intervalMs = kDrawIntervalMs)
        : intervalMs_(intervalMs), waitMs_(intervalMs) {}
    // True for the first time asked and then once the wait has passed since
    // the last true; a clock that goes back counts as due.
    bool due(int64_t nowMs);
    // What the draw begun at the last true cost, which sets the next wait.
    void took(int64_t costMs);

private:
    int64_t intervalMs_;
    int64_t waitMs_;
    bool drawn_ = false;
    int64_t lastMs_ = 0;
};

class RenameRun {
public:
    // `rows` and `naming` belong to the window and are changed in place: row
    // names, marks, colours and states, and the running number.
    RenameRun(RunMode mode, std::string searchFolder, std::vector<PackageRow>& rows,
              NamingSettings& naming, FileSystem& fs);

    int tickedTotal() const { return tickedTotal_; }
    bool hasWork() const { return tickedTotal_ > 0; }

    // Every rename and copy is written to `history` before it is made and its
    // outcome after; a file whose line cannot be written is left alone and
    // the run ends. Without a history nothing is recorded.
    void setHistory(RenameHistory* history) { history_ = history; }

    // Clears every row's copy mark. Copies are made only when asked for and a
    // destination folder is known.
    void start(bool copyPackages, const std::string& copyTo);
    bool copying() const { return copying_; }

    // The next row still ticked or selected, now ticked and selected, with
    // its proposed name (which moves the running number on). Nothing once
    // the run is over.
    std::optional<RunFile> nextFile();

    // "Cancel" while a file is on screen: that file is still finished, and
    // the run ends after it.
    void cancelAfterCurrent();

    // Renames the file on screen to `newNameText` (blanks trimmed; text unfit
    // for a file name is cleaned), then copies it when copying is on, and
    // marks and unticks its row. An empty name would make the file
    // ".package": it is refused, and the file stays as a failed rename.
    FileResult finishFile(const std::string& newNameText);

    bool finished() const { return finished_; }
    int errorCount() const { return errorCount_; }
    int doneCount() const { return doneCount_; }
    int copiedCount() const { return copiedCount_; }
    // The files renamed so far, in the order they were renamed.
    const std::vector<RenamedFile>& renamed() const { return renamed_; }
    // Rows still ticked, as counted after the latest step.
    int tickedCount() const { return tickedCount_; }
    // Frame 516: "Processing N Files", then "Finished i of N Files".
    std::string caption() const;
    int progress() const;  // 0..100
    std::string errorText() const { return counterText(errorCount_); }

private:
    RenameOutcome renameFile(PackageRow& row, const std::string& newName);
    RenameOutcome markFailed(PackageRow& row);
    void untick(PackageRow& row);
    CopyOutcome copyFile(PackageRow& row);

    RunMode mode_;
    std::string searchFolder_;
    std::vector<PackageRow>& rows_;
    NamingSettings& naming_;
    FileSystem& fs_;
    bool copying_ = false;
    std::string copyFolder_;
    int tickedTotal_ = 0;
    int doneCount_ = 0;
    int errorCount_ = 0;
    int tickedCount_ = 0;
    size_t nextRow_ = 0;
    std::optional<size_t> current_;
    bool lastOfRun_ = false;
    bool finished_ = false;
    RenameHistory* history_ = nullptr;
    bool historyFailed_ = false;
    int copiedCount_ = 0;
    std::vector<RenamedFile> renamed_;
};

}  // namespace seamster
