#pragma once
// A main window that only remembers what the program did to it, with
// scripted answers for the set-up window and the folder-browse requester; to
// start-up it is the toolkit too.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainView.h"
#include "app/StartUp.h"
#include "fakes/FakePlatform.h"

namespace seamster {

class FakeMainView : public MainView, public StartUpScreen {
public:
    // The pose and lighting lists start with their default item selected, as
    // the real window builds them.
    FakeMainView();

    std::map<MainControl, bool> controlEnabled;
    std::map<MainInput, bool> commandEnabled;
    bool smallChosen = true;
    std::optional<bool> bodyShopShownRunning;
    std::map<HiddenFolder, bool> folderMarks;
    std::map<Underwear, bool> underwearMarks;
    std::string title;
    Point corner{100, 80};
    std::map<SwitchList, std::vector<std::string>> listItems;
    std::map<SwitchList, int> listSelection;
    int flushes = 0;
    std::vector<Secondary> opened;
    int thumbnailRefreshes = 0;

    // Set-up window: the position to answer with; by default the one offered.
    std::optional<int> setUpAnswer;
    std::vector<std::string> setUpPacks;
    int setUpOffered = -1;
    int setUpRuns = 0;

    std::string browseAnswer;
    std::string browseTitle, browseStart;
    int browseRuns = 0;

    bool buildable = true;
    std::function<void(const std::string&)> helpHandler;
    Journal* journal = nullptr;

    // Enabled state as last set; `fallback` when never touched.
    bool enabled(MainControl control, bool fallback = true) const;
    bool toolEnabled(MainInput command, bool fallback = true) const;

    void enableControl(MainControl control, bool enabled) override;
    void enableCommand(MainInput command, bool enabled) override;
    void showBodyShopRunning(bool running) override { bodyShopShownRunning = running; }
    void setTitle(const std::string& text) override;
    Point position() override;
    void insertSwitch(SwitchList list, int position, const std::string& caption) override;
    void chooseSwitch(SwitchList list, int position) override { listSelection[list] = position; }
    int chosenSwitch(SwitchList list) override;
    void markFolder(HiddenFolder folder, bool hidden) override { folderMarks[folder] = hidden; }
    void markUnderwear(Underwear underwear, bool invisible) override {
        underwearMarks[underwear] = invisible;
    }
    bool smallBodyShopChosen() override { return smallChosen; }
    void flushEvents() override;
    void openSecondary(Secondary which) override;
    void refreshBackgroundThumbnail() override;
    int runSetUpWindow(const std::vector<std::string>& packs, int selected) override;
    std::string browseForFolder(const std::string& title, const std::string& start) override;
    void loadPicturesAndFonts() override {}
    void setHelpHandler(std::function<void(const std::string&)> handler) override {
        helpHandler = std::move(handler);
    }
    bool buildMainWindow() override { return buildable; }
};

// The user's requests, one per poll, then nothing.
class FakeMainInput : public MainInputSource {
public:
    std::deque<MainInput> inputs;
    std::vector<int> pauses;
    int polls = 0;

    MainInput pollInput() override {
        ++polls;
        if (inputs.empty()) return MainInput::none;
        const MainInput input = inputs.front();
        inputs.pop_front();
        return input;
    }
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
};

}  // namespace seamster
