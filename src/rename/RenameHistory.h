#pragma once
// The rename history: a plain UTF-8 text file in the user game folder where
// every rename and copy of a renaming run, and every step of an undo, is
// written down before it is made, and its outcome after. Lines are only ever
// added, so whatever stops Seamster half-way (a crash, a kill, the power),
// the file still tells which files were renamed and which step was under way.
//
// Each line stands on its own; its fields are separated by tabs (which no
// file name can hold):
//
//   2026-12-08 22:45:02  start   automatic run  C:\...\SavedSims\ (folder)
//   2026-12-08 22:45:02  begin   rename         C:\...\old.package  C:\...\new.package
//   2026-12-08 22:45:02  done    rename         C:\...\old.package  C:\...\new.package
//   2026-12-08 22:45:02  begin   copy           C:\...\new.package  D:\Copies\new.package
//   2026-12-08 22:45:02  failed  copy           C:\...\new.package  D:\Copies\new.package  why
//   2026-12-08 22:45:03  end     automatic run  C:\...\SavedSims\ (folder)  totals
//
// A "begin" without its "done" or "failed" is a step that was under way when
// Seamster stopped; a "start" without its "end" is a run that never ended.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace seamster {

inline constexpr char kHistoryFileName[] = "Seamster Rename History.txt";

// The history file of a user game folder (ending with a backslash).
std::string historyPathOf(const std::string& userFolder);

// The boxes shown when the history cannot be written: before anything was
// renamed, and in the middle of a run, which then ends.
std::string historyUnwritableMessage(const std::string& path, FsError why = FsError::other);
std::string historyStoppedMessage(const std::string& path);

enum class HistoryStep { start, begin, done, failed, end };

struct HistoryLine {
    std::string time;  // "YYYY-MM-DD hh:mm:ss", local
    HistoryStep step = HistoryStep::begin;
    std::string operation;  // "rename", "copy", "undo"; for start and end the kind of run
    std::string from, to;   // full paths; for start and end the folder, and no `to`
    std::string note;       // why a step failed; for an end line the totals
    friend bool operator==(const HistoryLine&, const HistoryLine&) = default;
};

std::string formatHistoryLine(const HistoryLine& line);  // with its CR LF
// Nothing for the heading, an empty line or a line cut short.
std::optional<HistoryLine> parseHistoryLine(std::string_view line);
// Every line of the file that can be read, in order.
std::vector<HistoryLine> readHistory(std::string_view fileText);

// The steps of the latest run of a history that were begun but never got an
// outcome, with whether that run ended at all.
struct UnfinishedRun {
    bool ended = true;
    std::vector<HistoryLine> openSteps;  // "begin" lines without their outcome
};
UnfinishedRun latestRunState(const std::vector<HistoryLine>& lines);

// Writes the history of one run (or undo) while it goes on. Every line is
// handed to the system before the step it announces, so it outlives Seamster
// being stopped; the file is put on the disk itself when the run starts and
// ends (on every step that would cost more than the renames themselves).
class RenameHistory {
public:
    RenameHistory(FileSystem& fs, Clock& clock, std::string path);
    ~RenameHistory();

    const std::string& path() const { return path_; }

    // Opens the file (a new one starts with a heading) and writes the start
    // line; false when that cannot be done, and nothing may then be renamed.
    bool start(const std::string& kind, const std::string& folder);
    // Before an operation; false when the line could not be written, and the
    // operation must then not be made.
    bool before(const std::string& operation, const std::string& from, const std::string& to);
    // After it, with the reason when it failed.
    bool after(const std::string& operation, const std::string& from, const std::string& to,
               bool succeeded, const std::string& reason = {});
    // The end line; the file is put on the disk and closed.
    void end(const std::string& totals);

    // False once any line could not be written.
    bool healthy() const { return healthy_; }

private:
    bool write(HistoryStep step, const std::string& operation, const std::string& from,
               const std::string& to, const std::string& note);
    std::string timeText();

    FileSystem& fs_;
    Clock& clock_;
    std::string path_;
    std::unique_ptr<AppendFile> file_;
    std::string kind_, folder_;
    bool healthy_ = false;
    // The local time is asked for once a second at most: a run writes
    // thousands of lines a second.
    int64_t timeAskedAt_ = 0;
    std::string time_;
};

}  // namespace seamster
