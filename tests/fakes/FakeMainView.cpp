#include "fakes/FakeMainView.h"

#include <algorithm>

namespace seamster {

FakeMainView::FakeMainView() {
    listItems[17] = {" Hands on Hips"};
    listItems[24] = {"  Default Lighting"};
    listSelection[17] = 0;
    listSelection[24] = 0;
}

bool FakeMainView::enabled(int gadget, bool fallback) const {
    auto it = gadgetEnabled.find(gadget);
    return it == gadgetEnabled.end() ? fallback : it->second;
}

bool FakeMainView::toolEnabled(int button, bool fallback) const {
    auto it = toolButtonEnabled.find(button);
    return it == toolButtonEnabled.end() ? fallback : it->second;
}

void FakeMainView::enableGadget(int gadget, bool enabled) { gadgetEnabled[gadget] = enabled; }

void FakeMainView::enableToolButton(int button, bool enabled) {
    toolButtonEnabled[button] = enabled;
}

bool FakeMainView::isGadgetChecked(int gadget) { return checkedGadgets.count(gadget) != 0; }

void FakeMainView::showGadgetPicture(int gadget, int picture) { gadgetPictures[gadget] = picture; }

void FakeMainView::showStatusPicture(int field, int picture) { statusPictures[field] = picture; }

void FakeMainView::setTitle(const std::string& text) { title = text; }

Point FakeMainView::position() { return corner; }

// Like a drop-down list: inserting at a position pushes what was there down;
// a position past the end appends.
void FakeMainView::insertListItem(int gadget, int position, const std::string& text) {
    std::vector<std::string>& items = listItems[gadget];
    size_t at = std::min(size_t(std::max(position, 0)), items.size());
    items.insert(items.begin() + long(at), text);
    auto selection = listSelection.find(gadget);
    if (selection != listSelection.end() && selection->second >= int(at)) ++selection->second;
}

void FakeMainView::selectListItem(int gadget, int position) { listSelection[gadget] = position; }

int FakeMainView::selectedListItem(int gadget) {
    auto it = listSelection.find(gadget);
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
