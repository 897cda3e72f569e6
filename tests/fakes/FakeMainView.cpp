#include "fakes/FakeMainView.h"

#include <algorithm>

namespace seamster {

FakeMainView::FakeMainView() {
    listItems[SwitchList::pose] = {" Hands on Hips"};
    listItems[SwitchList::lighting] = {"  Default Lighting"};
    listSelection[SwitchList::pose] = 0;
    listSelection[SwitchList::lighting] = 0;
}

bool FakeMainView::enabled(MainControl control, bool fallback) const {
    auto it = controlEnabled.find(control);
    return it == controlEnabled.end() ? fallback : it->second;
}

bool FakeMainView::toolEnabled(MainInput command, bool fallback) const {
    auto it = commandEnabled.find(command);
    return it == commandEnabled.end() ? fallback : it->second;
}

void FakeMainView::enableControl(MainControl control, bool enabled) {
    controlEnabled[control] = enabled;
}

void FakeMainView::enableCommand(MainInput command, bool enabled) {
    commandEnabled[command] = enabled;
}

void FakeMainView::setTitle(const std::string& text) { title = text; }

Point FakeMainView::position() { return corner; }

// Like a drop-down list: inserting at a position pushes what was there down;
// a position past the end appends.
void FakeMainView::insertSwitch(SwitchList list, int position, const std::string& caption) {
    std::vector<std::string>& items = listItems[list];
    size_t at = std::min(size_t(std::max(position, 0)), items.size());
    items.insert(items.begin() + long(at), caption);
    auto selection = listSelection.find(list);
    if (selection != listSelection.end() && selection->second >= int(at)) ++selection->second;
}

int FakeMainView::chosenSwitch(SwitchList list) {
    auto it = listSelection.find(list);
    return it == listSelection.end() ? -1 : it->second;
}

void FakeMainView::flushEvents() {
    ++flushes;
    note(journal, "flush");
}

void FakeMainView::openSecondary(Secondary which) { opened.push_back(which); }

void FakeMainView::refreshBackgroundThumbnail() { ++thumbnailRefreshes; }

int FakeMainView::runSetUpWindow(const std::vector<std::string>& packs, int selected) {
    ++setUpRuns;
    setUpPacks = packs;
    setUpOffered = selected;
    note(journal, "setUp");
    return setUpAnswer ? *setUpAnswer : selected;
}

std::string FakeMainView::browseForFolder(const std::string& title, const std::string& start) {
    ++browseRuns;
    browseTitle = title;
    browseStart = start;
    note(journal, "browse");
    return browseAnswer;
}

}  // namespace seamster
