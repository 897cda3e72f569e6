#pragma once
// What the program's rules ask of the main window, in its own numbers, and
// what the subsystems ask of it in theirs. The Win32 main window implements
// it; tests record the calls.

#include <string>
#include <vector>

#include "app/MainGadgets.h"
#include "config/Installation.h"
#include "content/GameFilesView.h"
#include "images/BackgroundView.h"
#include "res/Pictures.h"

namespace seamster {

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

class MainView : public GameFilesView, public SetUpView, public BackgroundView {
public:
    virtual ~MainView() = default;

    virtual void enableGadget(int gadget, bool enabled) = 0;
    virtual void enableToolButton(int button, bool enabled) = 0;
    virtual bool isGadgetChecked(int gadget) = 0;
    virtual void showGadgetPicture(int gadget, int picture) = 0;
    virtual void showStatusPicture(int field, int picture) = 0;
    virtual void setTitle(const std::string& title) = 0;

    // Drop-down lists: position 0 is the default item.
    virtual void insertListItem(int gadget, int position, const std::string& text) = 0;
    virtual void selectListItem(int gadget, int position) = 0;
    virtual int selectedListItem(int gadget) = 0;

    // Runs a secondary window (or requester) modally over the main window.
    virtual void openSecondary(Secondary which) = 0;

    // What the subsystems ask, in the main window's pictures and numbers.
    void markFolder(HiddenFolder folder, bool hidden) final {
        showStatusPicture(
            folder == HiddenFolder::downloads ? statusField::downloads : statusField::savedSims,
            hidden ? picture::changed : picture::folder);
    }
    void markUnderwear(Underwear underwear, bool invisible) final {
        const bool male = underwear == Underwear::male;
        showStatusPicture(male ? statusField::maleUndies : statusField::femaleUndies,
                          invisible ? picture::changed
                          : male    ? picture::maleUndies
                                    : picture::femaleUndies);
    }
    void enableThumbnailRefresh(bool enabled) final {
        enableGadget(gadget::refreshThumbnails, enabled);
    }
    bool smallBodyShopChosen() final { return isGadgetChecked(gadget::size800); }
};

}  // namespace seamster
