#pragma once
// What the package renaming asks of its two windows: the rename window
// (window 5) and the Find Package Options window (window 8). Gadgets are
// addressed by window and gadget number. The Win32 windows implement it;
// tests play the user through a fake.

#include <string>
#include <vector>

#include "ui/Event.h"
#include "rename/PackageFinder.h"

namespace seamster {

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

    virtual void showWindow(int window, bool visible) = 0;
    virtual void enableWindow(int window, bool enabled) = 0;
    virtual void activateWindow(int window) = 0;
    virtual void setWindowTitle(int window, const std::string& title) = 0;
    // The wait cursor while the program is busy, the arrow after.
    virtual void setBusy(bool busy) = 0;

    // The Find Package Options window: every choice as the settings have it,
    // what the user set, the search folder once picked, and the loading text
    // in place of "OK" and "Cancel" while a search runs.
    virtual void showFindState(const FindWindowState& state) = 0;
    virtual FindChoices readFindChoices() = 0;
    virtual void showSearchFolder(const std::string& shown, const std::string& full) = 0;
    virtual void showFindLoading(bool loading) = 0;

    virtual std::string text(int window, int gadget) = 0;
    virtual void setText(int window, int gadget, const std::string& text) = 0;
    // The buttons Enter and Escape press (0 for none).
    virtual void setKeyButtons(int window, int enter, int escape) = 0;
    virtual bool isChecked(int window, int gadget) = 0;
    virtual void setChecked(int window, int gadget, bool checked) = 0;
    virtual void showGadget(int window, int gadget, bool visible) = 0;
    virtual void enableGadget(int window, int gadget, bool enabled) = 0;
    virtual int selectedItem(int window, int gadget) = 0;
    virtual void selectItem(int window, int gadget, int position) = 0;
    virtual void setTip(int window, int gadget, const std::string& tip) = 0;

    // The rename window's progress bar and status-bar values.
    virtual void setProgress(int percent) = 0;
    virtual void setStatusText(int field, const std::string& text) = 0;

    // The package list.
    virtual void clearRows() = 0;
    // Appends the rows, with their texts, colours and states, in one go.
    virtual void addRows(const std::vector<PackageRow>& rows) = 0;
    // Texts, colours and state of row `index`.
    virtual void showRow(size_t index, const PackageRow& row) = 0;
    virtual std::vector<int> rowStates() = 0;  // kRowSelected | kRowTicked per row
    virtual void setRowState(size_t index, int state) = 0;
    virtual void setNameColumnWidth(int width) = 0;
    virtual void scrollToTop() = 0;
    virtual void makeRowVisible(size_t index) = 0;
    virtual void setGridLines(bool on) = 0;

    // Events. waitEvent gives an event of kind none only once the windows
    // are gone, so nothing more can come; pollEvent gives none when nothing
    // is pending.
    virtual Event waitEvent() = 0;
    virtual Event pollEvent() = 0;
    virtual void flushEvents() = 0;
    virtual void pause(int milliseconds) = 0;

    // The folder-browse requester over `window`; "" when cancelled.
    virtual std::string pickFolder(int window, const std::string& title,
                                   const std::string& start) = 0;
};

}  // namespace seamster
