#pragma once
// Drives a running Seamster.exe from outside, the way a user would: it finds
// windows by their exact titles and controls by their IDs, clicks, reads
// texts and states (also of list views, status bars and tool bars, whose data
// lives in the other process), answers message boxes and takes screenshots.
//
// Every wait is bounded, and no call blocks on a window that stopped
// responding: a hung program fails the scenario instead of hanging the run.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace seamster::e2e {

// How long a scenario waits for something to appear or end, in milliseconds.
constexpr int defaultWaitMs = 15000;

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& text);

// A rectangle as position and size, so failures print readably.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};
std::ostream& operator<<(std::ostream& out, const Rect& r);

// --- files (paths are Windows paths in UTF-8) ---------------------------------

bool fileExists(const std::string& path);
std::optional<std::string> readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::string& bytes);
bool deleteFile(const std::string& path);
bool folderExists(const std::string& path);
// Makes the folder and any missing folders above it; true when it exists
// afterwards.
bool makeFolders(const std::string& path);
// Deletes the folder with everything in it; true when it is gone.
bool removeTree(const std::string& path);
// A Windows path as the C++ library takes it.
std::filesystem::path hostPath(const std::string& path);

// Where `item` stands in `items`; -1 when it is not there.
int indexOf(const std::vector<std::string>& items, const std::string& item);

// --- processes ----------------------------------------------------------------

// A started program. Whatever still runs when the object goes is ended, so a
// failed scenario never leaves a program behind for the next one.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts exe with no arguments in the given working folder.
    static Process start(const std::string& exe, const std::string& workingFolder,
                         const std::string& arguments = {});

    bool started() const { return handle_ != nullptr; }
    DWORD id() const { return id_; }
    bool isRunning() const;
    // True when the program ended within the time.
    bool waitForExit(int timeoutMs = defaultWaitMs) const;
    // The exit code once the program has ended.
    std::optional<DWORD> exitCode() const;
    void terminate();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Programs started some other way (by Seamster, say), found by the name of
// their executable file, letter case as given.
std::vector<DWORD> processIdsNamed(const std::string& exeName);
// True once no process of that name is left.
bool waitUntilNoProcessNamed(const std::string& exeName, int timeoutMs = defaultWaitMs);
// Ends every process of that name, so a failed scenario leaves none behind.
void terminateProcessesNamed(const std::string& exeName);
// The command line another process was started with, read from its memory;
// "" when it cannot be read.
std::string commandLineOf(DWORD processId);

// Another program holding files or folders open (HoldFile.exe, built beside
// the scenarios): without sharing, or with `letRename` letting them still be
// renamed and deleted but not read. Returns once every path is held; ending
// the process lets go. Not started when a path cannot be held.
Process holdOpen(const std::vector<std::string>& paths, bool letRename = false);

// Polls check until it holds; false when the time ran out first.
bool waitUntil(const std::function<bool()>& check, int timeoutMs = defaultWaitMs);

// For checks that something does not happen: waits until `state` has given
// the same answer for `quietMs` on end, or until `limitMs` have passed, so the
// check looks at a program that has done what it was going to do without
// waiting a fixed time. True when it became quiet.
bool waitUntilSettled(const std::function<std::string()>& state, int quietMs = 500,
                      int limitMs = 5000);
// What the program shows: each of its visible windows (title, class, enabled)
// with its controls (class, ID, text, shown, enabled); empty once it has ended.
std::string shownState(DWORD processId);
// waitUntilSettled over what the program shows.
bool waitUntilProgramSettled(DWORD processId, int quietMs = 500, int limitMs = 5000);

// --- windows --------------------------------------------------------------------

// A visible top-level window of the process with exactly this title, or null.
HWND findWindow(DWORD processId, const std::string& title);
HWND waitForWindow(DWORD processId, const std::string& title, int timeoutMs = defaultWaitMs);
// The same for a title that starts with the given text.
HWND findWindowStartingWith(DWORD processId, const std::string& titleStart);
// The same in any running process of the named program.
HWND findProgramWindow(const std::string& exeName, const std::string& title);
HWND waitForProgramWindow(const std::string& exeName, const std::string& title,
                          int timeoutMs = defaultWaitMs);
// Every visible top-level window of the process, for failure messages.
std::vector<std::string> visibleWindowTitles(DWORD processId);

// True once the window no longer exists or is hidden.
bool waitUntilGone(HWND window, int timeoutMs = defaultWaitMs);

// A message box of the process: a visible dialog that holds the message text.
HWND findMessageBox(DWORD processId);
HWND waitForMessageBox(DWORD processId, int timeoutMs = defaultWaitMs);
std::string messageBoxText(HWND box);
// A visible dialog of the process that holds a control of the class at any
// depth (a folder-browse dialog holds a tree view, for instance).
HWND findDialogHolding(DWORD processId, const std::string& controlClass);
HWND waitForDialogHolding(DWORD processId, const std::string& controlClass,
                          int timeoutMs = defaultWaitMs);
// Presses IDOK, IDYES or IDNO; false when the box has no such button.
bool pressMessageBoxButton(HWND box, int buttonId);

// --- controls ---------------------------------------------------------------------

HWND control(HWND parent, int id);
HWND childOfClass(HWND parent, const std::string& className);
// The first window of the class at any depth below parent.
HWND descendantOfClass(HWND parent, const std::string& className);
std::string className(HWND window);

std::string text(HWND window);
bool setText(HWND window, const std::string& text);
bool isEnabled(HWND window);
bool isVisible(HWND window);
LONG_PTR style(HWND window);

// Clicks a button, check box or option as the mouse would. Does not wait for
// the click to be handled, since a click that opens a modal window does not
// return until that window closes.
void click(HWND button);
bool isChecked(HWND button);

// Outer rectangle on the screen.
Rect windowRect(HWND window);
// Client area size (x and y are 0).
Rect clientRect(HWND window);
// The control's outer rectangle in its parent's client coordinates.
Rect rectInParent(HWND control);
bool moveWindow(HWND window, int x, int y);
// Puts the window above the others without activating it, to look at it.
bool raiseWindow(HWND window);
// Asks the window to close, as its close box would.
void closeWindow(HWND window);

// The process that owns a window.
DWORD processOf(HWND window);

// Sends a message and gives up instead of blocking on a hung window; `ok`
// (when given) tells whether it was answered.
LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* ok = nullptr);

// Memory inside the process that owns a window, for the control messages
// whose arguments are pointers: those are not carried across processes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processOf(owner));
        if (process_)
            address_ =
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    explicit operator bool() const { return address_ != nullptr; }
    char* address() const { return static_cast<char*>(address_); }
    LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(address() + offset); }
    bool write(const void* data, size_t size, size_t offset = 0) const {
        SIZE_T done = 0;
        return offset + size <= size_ &&
               WriteProcessMemory(process_, address() + offset, data, size, &done) && done == size;
    }
    bool read(void* data, size_t size, size_t offset = 0) const {
        SIZE_T done = 0;
        return offset + size <= size_ &&
               ReadProcessMemory(process_, address() + offset, data, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

// Drop-down lists.
std::vector<std::string> comboItems(HWND combo);
int comboSelection(HWND combo);
// Selects the item and tells the owner, as a user's choice does.
bool chooseComboItem(HWND combo, int index);

// List boxes.
std::vector<std::string> listBoxItems(HWND list);
int listBoxSelection(HWND list);
bool chooseListBoxItem(HWND list, int index);

// List views of another process.
int listViewRowCount(HWND list);
int listViewColumnCount(HWND list);
std::string listViewColumnTitle(HWND list, int column);
int listViewColumnWidth(HWND list, int column);
std::string listViewText(HWND list, int row, int column);
bool listViewChecked(HWND list, int row);
bool listViewSelected(HWND list, int row);
// Ticks or unticks a row; the owner hears of it as of a user's tick.
bool setListViewChecked(HWND list, int row, bool checked);
// Selects a row as a click on it would, so that its owner hears of it.
bool selectListViewRow(HWND list, int row);
// A row's rectangle on the screen: all its columns, or LVIR_LABEL for the first.
Rect listViewRowRect(HWND list, int row, int part = LVIR_BOUNDS);

// Status bars of another process.
std::vector<int> statusBarPartEdges(HWND bar);
// The field's text, without the tabs that align it.
std::string statusBarText(HWND bar, int part);

// Tool bars of another process.
struct ToolBarButton {
    int command = 0;
    bool separator = false;
    bool enabled = false;
};
std::vector<ToolBarButton> toolBarButtons(HWND bar);
bool toolBarButtonEnabled(HWND bar, int command);
// Presses a button as a click would: the command goes to the bar's owner,
// unless the button is disabled.
void pressToolBarButton(HWND bar, int command);

// Primary screen size as the programs see it.
Rect screenRect();

// --- real input ---------------------------------------------------------------------

// Hands xdotool arguments ("key Tab", "mousemove 10 20 click 1") to the X
// server of the screen the scenario runs on, through scripts/e2e.sh; real X
// events reach Seamster as a user's do. False when that did not work.
bool xInput(const std::string& arguments);
// A real click on the window's caption, which activates it and gives it the
// keyboard without pressing anything in it.
bool clickCaption(HWND window);
// Real key strokes, xdotool's names ("Tab", "shift+Tab", "Return"), one after
// the other; each is handled before the next is sent.
bool pressKeys(const std::vector<std::string>& keys);
// The control that has the keyboard focus in the window's thread, or null.
HWND focusedControl(HWND window);
// The active window of the window's thread.
HWND activeWindow(HWND window);

// --- screenshots ------------------------------------------------------------------

// Copies the window's area of the screen into folder\name.png. False when the
// folder is empty or the picture could not be taken or written.
bool saveScreenshot(HWND window, const std::string& folder, const std::string& name);

// How many pixels of the screen area show exactly this colour.
int countScreenPixels(const Rect& area, COLORREF colour, int tolerance = 0);

// Lets the program paint what it has just changed before it is looked at.
void settle(HWND window, int ms = 300);

}  // namespace seamster::e2e
