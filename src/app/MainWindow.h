#pragma once
// The main window: tool bar, launch settings, housekeeping buttons, the Run
// button and the status bar.

#include <memory>

#include "core/App.h"
#include "app/MainView.h"
#include "content/ContentWindows.h"
#include "images/BackgroundWindows.h"
#include "projects/RemoveProjectsWindow.h"
#include "rename/RenameWindows.h"
#include "ui/StatusBar.h"
#include "ui/ToolBar.h"
#include "ui/Window.h"

namespace seamster {

class MainWindow : public MainView, public MainInputSource {
public:
    MainWindow(App& app, ui::Toolkit& toolkit);
    ~MainWindow() override;

    // Creates the window hidden, with every gadget in its initial state.
    bool build();
    void show();

    // MainView
    void enableControl(MainControl control, bool enabled) override;
    void enableCommand(MainInput command, bool enabled) override;
    void showBodyShopRunning(bool running) override;
    void setTitle(const std::string& title) override;
    void insertSwitch(SwitchList list, int position, const std::string& caption) override;
    void chooseSwitch(SwitchList list, int position) override;
    int chosenSwitch(SwitchList list) override;
    void markFolder(HiddenFolder folder, bool hidden) override;
    void markUnderwear(Underwear underwear, bool invisible) override;
    bool smallBodyShopChosen() override;
    Point position() override;
    void flushEvents() override;
    void openSecondary(Secondary which) override;
    void refreshBackgroundThumbnail() override;
    int runSetUpWindow(const std::vector<std::string>& packs, int selected) override;
    std::string browseForFolder(const std::string& title, const std::string& start) override;

    // MainInputSource
    MainInput pollInput() override;
    void pause(int milliseconds) override;

    // What the windows opened from here are given.
    ContentWindowContext contentContext();
    BackgroundContext backgroundContext();

private:
    ui::Owner owner() const;
    ui::Control& control(MainControl which);
    ui::DropDown& list(SwitchList which);
    void showStatusPicture(int field, int picture);

    App& app_;
    ui::Toolkit& toolkit_;
    std::unique_ptr<ui::Window> window_;
    std::unique_ptr<ui::ToolBar> toolBar_;
    std::unique_ptr<ui::StatusBar> statusBar_;
    // The gadgets the program's rules change, each as the kind it is.
    ui::Picture stateImage_, thumbnail_;
    int stateShown_ = -1;  // the picture the state image shows
    ui::Option size800_, size1024_;
    ui::DropDown poseList_, lightingList_;
    ui::Button refreshThumbnails_, backgroundImage_, backgroundColor_, cleanUpProjects_,
        runBodyShop_;
    RenameSession renameSession_;
};

}  // namespace seamster
