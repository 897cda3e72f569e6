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
#include "ui/Window.h"

namespace seamster {

class MainWindow : public MainView, public EventSource {
public:
    MainWindow(App& app, ui::Toolkit& toolkit);
    ~MainWindow() override;

    // Creates the window hidden, with every gadget in its initial state.
    bool build();
    void show();

    // MainView
    void enableGadget(int gadget, bool enabled) override;
    void enableToolButton(int button, bool enabled) override;
    bool isGadgetChecked(int gadget) override;
    void showGadgetPicture(int gadget, int picture) override;
    void showStatusPicture(int field, int picture) override;
    void setTitle(const std::string& title) override;
    Point position() override;
    void insertListItem(int gadget, int position, const std::string& text) override;
    void selectListItem(int gadget, int position) override;
    int selectedListItem(int gadget) override;
    void flushEvents() override;
    void openSecondary(Secondary which) override;
    void refreshBackgroundThumbnail() override;
    int runSetUpWindow(const std::vector<std::string>& packs, int selected) override;
    std::string browseForFolder(const std::string& title, const std::string& start) override;

    // EventSource
    Event pollEvent() override;
    void pause(int milliseconds) override;

    // What the windows opened from here are given.
    ContentWindowContext contentContext();
    BackgroundContext backgroundContext();

private:
    HWND hwnd() const;

    App& app_;
    ui::Toolkit& toolkit_;
    std::unique_ptr<ui::Window> window_;
    std::unique_ptr<ui::ToolBar> toolBar_;
    std::unique_ptr<ui::StatusBar> statusBar_;
    std::array<int, 32> shownPicture_{};
    RenameSession renameSession_;
};

}  // namespace seamster
