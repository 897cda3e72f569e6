#pragma once
// The package renaming as the user meets it: the Find Package Options window
// and the rename window taking turns, each with its event loop, and the
// rename-and-copy run shown file by file.

#include <optional>
#include <string>
#include <vector>

#include "core/App.h"
#include "rename/NamingRules.h"
#include "rename/PackageFinder.h"
#include "rename/RenameRun.h"
#include "rename/RenameScreen.h"
#include "rename/RenameUndo.h"

namespace seamster {

// The renaming's settings as the file keeps them, as the logic takes them.
FinderSettings finderSettingsOf(const PackageSearchSettings& stored);
void storeFinderSettings(const FinderSettings& finder, PackageSearchSettings& stored);

// What the rename windows keep between their openings for the run.
struct RenameSession {
    // The folder of the latest package search, ending with a backslash, so
    // the next opening starts there.
    std::string searchFolder;
};

class RenameFlow {
public:
    RenameFlow(App& app, RenameScreen& screen, RenameSession& session);

    // From opening the windows to leaving through "Cancel" of the Find
    // Package Options window.
    void run();

private:
    // Find Package Options window.
    void showFindState();
    bool askForSearch();  // true for "OK"
    void pickSearchFolder();
    bool findPackages();  // true when something was listed

    // Rename window.
    void showNamingState();
    void renameLoop();
    void readNamingBoxes();
    bool handleRenameInput(RenameInput input);  // false once the loop should end
    void pickCopyFolder();
    void countTicked();
    void tickAll(bool ticked);
    void restoreListStates();

    // The run.
    void renameRun(RunMode mode);
    bool runFiles(RenameRun& run, RunMode mode);
    bool decideCopying();
    bool confirmAutomatic();
    std::optional<std::string> watchForCancel(RenameRun& run, const std::string& name, bool draw,
                                              bool poll);
    std::optional<std::string> askForName(RenameRun& run);
    void showFile(const RunFile& file);
    // Rows finished since the window last showed them, and the counters.
    void showRowsAndCounters(const RenameRun& run, std::vector<size_t>& undrawn);
    void showRunFace(const std::string& caption);
    void endRun(const NamingSettings& naming);

    // Undo of the last run that renamed something and can still be undone.
    void keepForUndo(const RenameRun& run);
    void undoLastRun();
    void offerUndoFromHistory();
    std::string historyPath() const;

    // What the user does next; marks the windows gone when nothing can come.
    RenameInput nextInput();

    App& app_;
    RenameSession& session_;
    RenameScreen& screen_;
    Settings& settings_;
    std::string savedSimsFolder_;
    std::string pickerStartFolder_;
    std::vector<PackageRow> rows_;
    std::optional<RunRecord> lastRun_;
    bool gone_ = false;
};

}  // namespace seamster
