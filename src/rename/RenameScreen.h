#pragma once
// What the package renaming asks of its two windows, in its own words: the
// rename window with the package list, and the Find Package Options window.
// The Win32 windows implement it; tests play the user through a fake.

#include <string>
#include <vector>

#include "core/Settings.h"
#include "rename/PackageFinder.h"

namespace seamster {

// What the user did in either window.
enum class RenameInput {
    none,   // from waiting: the windows are gone; from polling: nothing is pending
    other,  // anything that means nothing of its own to the renaming
    // The Find Package Options window.
    findClosed,   // Alt+F4, which means what "Cancel" means
    otherFolder,  // "In" another folder chosen
    searchFolderButton,
    search,        // "OK"
    cancelSearch,  // "Cancel"
    // The rename window: its closing, then its gadgets to the end.
    renameClosed,
    edited,  // a box typed in, a tick or a choice of its own changed
    rowClicked,
    copyPackages,  // "Copy Packages to" ticked or unticked
    copyFolderButton,
    selectAll,
    selectNone,
    done,    // "Done", and "Cancel" while a run shows
    rename,  // "Rename", and "OK" while a run shows
    autoRename,
    undo,
};

inline bool isRenameGadget(RenameInput input) { return input >= RenameInput::edited; }

// The rename window's boxes of a run: the file's name and the one proposed.
enum class NamingBox { oldName, newName };

// The counters of the rename window's status bar.
enum class RenameCounter { listed, ticked, errors };

class RenameScreen {
public:
    virtual ~RenameScreen() = default;

    // Builds the rename window hidden, with its gadgets and status bar, and
    // disables the main window. False when the window cannot be made.
    virtual bool openRenameWindow() = 0;
    // Builds the Find Package Options window, hidden.
    virtual void openFindWindow() = 0;
    // Gives the main window back (enabled, active) and closes both windows.
    virtual void closeWindows() = 0;

    // The Find Package Options window in front, the rename window waiting
    // behind it as the owner of a modal window does.
    virtual void showFindWindow() = 0;
    // The rename window in front with its list's title and heading; the
    // Find Package Options window hidden.
    virtual void showListWindow(const std::string& title) = 0;
    // The wait cursor while the program is busy, the arrow after.
    virtual void setBusy(bool busy) = 0;

    // The Find Package Options window: every choice as the settings have it,
    // what the user set, the search folder once picked, and the loading text
    // in place of "OK" and "Cancel" while a search runs.
    virtual void showFindState(const FindWindowState& state) = 0;
    virtual FindChoices readFindChoices() = 0;
    virtual void showSearchFolder(const std::string& shown, const std::string& full) = 0;
    virtual void showFindLoading(bool loading) = 0;

    // The rename window's naming options: the fields of the settings' naming
    // group that its gadgets show and the user changes there (the window's
    // layout says which). Showing changes only the gadgets that differ.
    virtual void showNaming(const NamingSettings& naming) = 0;
    virtual void readNaming(NamingSettings& naming) = 0;
    // "Copy Packages to", which the settings keep from the last run only.
    virtual bool copyTicked() = 0;
    virtual void setCopyTicked(bool ticked) = 0;
    virtual std::string boxText(NamingBox box) = 0;
    virtual void setBoxText(NamingBox box, const std::string& text) = 0;
    // The copy folder as shown, with the whole path as its tip.
    virtual void showCopyFolder(const std::string& shown, const std::string& full) = 0;

    // The naming options with "Rename", "Auto-Rename" and "Done"; "Undo"
    // only when a run can be undone.
    virtual void showOptionsFace(bool undoOffered) = 0;
    // A run: the file on screen with "OK" and "Cancel", and the progress bar.
    virtual void showRunFace(const std::string& caption) = 0;
    virtual void showRunProgress(const std::string& caption, int percent) = 0;
    // An automatic run under way: "OK" greyed, the new-name box empty.
    virtual void showAutomaticRunning() = 0;
    virtual void showUndo(bool offered) = 0;
    virtual void showCounter(RenameCounter counter, const std::string& text) = 0;

    // The package list.
    virtual void clearRows() = 0;
    // Appends the rows, with their texts, colours and states, in one go.
    virtual void addRows(const std::vector<PackageRow>& rows) = 0;
    // Texts, colours and state of row `index`.
    virtual void showRow(size_t index, const PackageRow& row) = 0;
    virtual std::vector<int> rowStates() = 0;  // kRowSelected | kRowTicked per row
    virtual void setRowState(size_t index, int state) = 0;
    // The name column leaves room for the list's scroll bar when it has one;
    // a list that no longer scrolls gives the column its full width back.
    virtual void fitNameColumn(bool listScrolls) = 0;
    virtual void scrollToTop() = 0;
    virtual void makeRowVisible(size_t index) = 0;
    virtual void setGridLines(bool on) = 0;

    // What the user does: waitInput gives none only once the windows are
    // gone, so nothing more can come; pollInput gives none when nothing is
    // pending.
    virtual RenameInput waitInput() = 0;
    virtual RenameInput pollInput() = 0;
    virtual void flushInput() = 0;
    virtual void pause(int milliseconds) = 0;

    // The folder requesters, over the window each belongs to; "" when cancelled.
    virtual std::string pickSearchFolder(const std::string& start) = 0;
    virtual std::string pickCopyFolder(const std::string& start) = 0;
};

}  // namespace seamster
