#pragma once
// A main window that only remembers what the program did to it, with
// scripted answers for the set-up window and the folder-browse requester.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/MainView.h"
#include "fakes/FakePlatform.h"

namespace seamster {

class FakeMainView : public MainView {
public:
    // The pose (17) and lighting (24) lists start with their default item
    // selected, as the real window builds them.
    FakeMainView();

    std::map<int, bool> gadgetEnabled;
    std::map<int, bool> toolButtonEnabled;
    std::set<int> checkedGadgets;
    std::map<int, int> gadgetPictures;
    std::map<int, int> statusPictures;
    std::string title;
    Point corner{100, 80};
    std::map<int, std::vector<std::string>> listItems;
    std::map<int, int> listSelection;
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

    Journal* journal = nullptr;

    // Enabled state as last set; `fallback` when never touched.
    bool enabled(int gadget, bool fallback = true) const;
    bool toolEnabled(int button, bool fallback = true) const;

    void enableGadget(int gadget, bool enabled) override;
    void enableToolButton(int button, bool enabled) override;
    bool isGadgetChecked(int gadget) override;
    void showGadgetPicture(int gadget, int picture) override;
    void showStatusPicture(int field, int picture) override;
    void setTitle(const std::string& text) override;
    Point position() override;
    void insertListItem(int gadget, int position, const std::string& text) override;
    void selectListItem(int gadget, int position) override;
    int selectedListItem(int gadget) override;
    void flushEvents() override;
    void openSecondary(Secondary which) override;
    void refreshBackgroundThumbnail() override;
    int runSetUpWindow(const std::vector<std::string>& packs, int selected) override;
    std::string browseForFolder(const std::string& title, const std::string& start) override;
};

}  // namespace seamster
