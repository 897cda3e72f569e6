#pragma once
// What the program's rules ask of the main window and of the secondary
// windows. The Win32 main window implements it; tests record the calls.

#include <string>
#include <vector>

#include "core/MainGadgets.h"
#include "core/Settings.h"

namespace seamster {

struct Point {
    int x = 0;
    int y = 0;
};

// The windows opened from the main window's tool bar and buttons.
enum class Secondary {
    about,
    options,
    hideGameFolders,
    extras,
    removeProjects,
    renamePackages,
    backgroundColor,
    backgroundImage
};

class MainView {
public:
    virtual ~MainView() = default;

    virtual void enableGadget(int gadget, bool enabled) = 0;
    virtual void enableToolButton(int button, bool enabled) = 0;
    virtual bool isGadgetChecked(int gadget) = 0;
    virtual void showGadgetPicture(int gadget, int picture) = 0;
    virtual void showStatusPicture(int field, int picture) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // The outer top-left corner of the main window.
    virtual Point position() = 0;

    // Drop-down lists: position 0 is the default item.
    virtual void insertListItem(int gadget, int position, const std::string& text) = 0;
    virtual void selectListItem(int gadget, int position) = 0;
    virtual int selectedListItem(int gadget) = 0;

    // Takes and handles pending window messages, dropping their events.
    virtual void flushEvents() = 0;
    // Runs a secondary window (or requester) modally over the main window.
    virtual void openSecondary(Secondary which) = 0;
    // Redraws the background thumbnail for the chosen Body Shop size.
    virtual void refreshBackgroundThumbnail() = 0;

    // The set-up window: offers `packs` with `selected` pre-selected and
    // returns the position chosen with "OK", or -1 when it could not open.
    virtual int runSetUpWindow(const std::vector<std::string>& packs, int selected) = 0;
    // The folder-browse requester; the chosen folder with a trailing
    // backslash, or "" when cancelled.
    virtual std::string browseForFolder(const std::string& title, const std::string& start) = 0;
};

// Keeps the main window's corner in the settings (Window X and Y).
inline void storeWindowPosition(Settings& settings, MainView& view) {
    const Point corner = view.position();
    settings.windowX = corner.x;
    settings.windowY = corner.y;
}

}  // namespace seamster
