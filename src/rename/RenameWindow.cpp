#include <memory>
#include <optional>

#include "res/Pictures.h"
#include "platform/win32/Win32Platform.h"
#include "rename/RenameFlow.h"
#include "rename/RenameLayout.h"
#include "rename/RenameWindows.h"
#include "ui/FolderPicker.h"
#include "ui/ModalLoop.h"
#include "ui/ListView.h"
#include "ui/ProgressBar.h"
#include "ui/Window.h"

namespace seamster {

namespace {

namespace g = renameGadget;
namespace f = findGadget;
constexpr int fw = findWindowNumber;

constexpr Colour runBarColour = rgbColour(0, 204, 51);
constexpr Colour runBarBackground = rgbColour(0, 102, 51);
constexpr int headerFont = ui::font::arial12;

// What the gadget kinds alone do not say about a gadget.
unsigned lookOf(int id) {
    switch (id) {
    case f::folderText:
    case g::copyFolderText: return ui::lookReadOnly | ui::lookPlain;
    case f::folderButton:
    case g::copyFolderButton: return ui::lookIconOnly;
    case f::searchText:
    case g::inFront:
    case g::inBack:
    case g::newName: return ui::lookCentred;
    case g::startNumber: return ui::lookCentred | ui::lookNumbersOnly;
    case g::oldName: return ui::lookCentred | ui::lookReadOnly;
    default: return ui::lookNormal;
    }
}

// The two windows of the package renaming over the toolkit.
class RenameWindows final : public RenameScreen {
public:
    RenameWindows(ui::Toolkit& toolkit, HWND owner) : toolkit_(toolkit), owner_(owner) {}
    ~RenameWindows() override { closeWindows(); }

    bool openRenameWindow() override;
    void openFindWindow() override;
    void closeWindows() override;

    void showWindow(int window, bool visible) override {
        if (ui::Window* w = find(window)) w->show(visible);
    }
    void enableWindow(int window, bool enabled) override {
        if (ui::Window* w = find(window)) w->setEnabled(enabled);
    }
    void activateWindow(int window) override {
        if (ui::Window* w = find(window)) w->activate();
    }
    void setWindowTitle(int window, const std::string& title) override {
        if (ui::Window* w = find(window)) w->setTitle(title);
    }
    void setBusy(bool busy) override;

    std::string text(int window, int gadget) override {
        ui::Window* w = find(window);
        return w ? w->control(gadget).text() : std::string();
    }
    void setText(int window, int gadget, const std::string& text) override;
    void setKeyButtons(int window, int enter, int escape) override;
    void showFindState(const FindWindowState& state) override;
    FindChoices readFindChoices() override;
    void showSearchFolder(const std::string& shown, const std::string& full) override;
    void showFindLoading(bool loading) override;
    bool isChecked(int window, int gadget) override {
        ui::Window* w = find(window);
        return w && w->checkBox(gadget).isChecked();
    }
    void setChecked(int window, int gadget, bool checked) override {
        if (ui::Window* w = find(window)) w->checkBox(gadget).setChecked(checked);
    }
    void showGadget(int window, int gadget, bool visible) override {
        if (ui::Window* w = find(window)) w->control(gadget).show(visible);
    }
    void enableGadget(int window, int gadget, bool enabled) override {
        if (ui::Window* w = find(window)) w->control(gadget).enable(enabled);
    }
    int selectedItem(int window, int gadget) override {
        ui::Window* w = find(window);
        return w ? w->dropDown(gadget).selected() : -1;
    }
    void selectItem(int window, int gadget, int position) override {
        if (ui::Window* w = find(window)) w->dropDown(gadget).select(position);
    }
    void setTip(int window, int gadget, const std::string& tip) override {
        if (ui::Window* w = find(window)) w->control(gadget).setTip(tip);
    }

    void setProgress(int percent) override {
        if (progress_) progress_->setValue(percent);
    }
    void setStatusText(int field, const std::string& text) override {
        if (status_) status_->setText(field, text);
    }

    void clearRows() override {
        if (list_) list_->clear();
    }
    void addRows(const std::vector<PackageRow>& rows) override;
    void showRow(size_t index, const PackageRow& row) override;
    std::vector<int> rowStates() override { return list_ ? list_->states() : std::vector<int>(); }
    void setRowState(size_t index, int state) override {
        if (list_) list_->setState(int(index), state);
    }
    void setNameColumnWidth(int width) override {
        if (list_) list_->setColumnWidth(0, width);
    }
    void scrollToTop() override {
        if (list_) list_->scrollToTop();
    }
    void makeRowVisible(size_t index) override {
        if (list_) list_->makeVisible(int(index));
    }
    void setGridLines(bool on) override {
        if (list_) list_->setGridLines(on);
    }

    Event waitEvent() override;
    Event pollEvent() override;
    void flushEvents() override { toolkit_.flushEvents(); }
    void pause(int milliseconds) override { ui::sleep(milliseconds); }

    std::string pickFolder(int window, const std::string& title,
                           const std::string& start) override {
        ui::Window* w = find(window);
        return ui::pickFolder(w ? w->hwnd() : nullptr, title, start);
    }

private:
    ui::Window* find(int number) const;
    void addGadgets(ui::Window& window, const std::vector<Gadget>& gadgets);
    void addStatusBar();

    ui::Toolkit& toolkit_;
    HWND owner_;
    std::optional<ui::ModalScope> modal_;
    std::unique_ptr<ui::Window> rename_;
    std::unique_ptr<ui::Window> find_;
    std::unique_ptr<ui::ListView> list_;
    std::unique_ptr<ui::ProgressBar> progress_;
    std::unique_ptr<ui::StatusBar> status_;
};

ui::Window* RenameWindows::find(int number) const {
    if (number == renameWindowNumber) return rename_.get();
    if (number == findWindowNumber) return find_.get();
    return nullptr;
}

void RenameWindows::addGadgets(ui::Window& window, const std::vector<Gadget>& gadgets) {
    GadgetKind previous = GadgetKind::frame;
    for (const Gadget& item : gadgets) {
        if (item.kind == GadgetKind::listView) {
            ui::ListViewArgs args;
            args.id = item.id;
            args.x = item.x, args.y = item.y, args.width = item.width, args.height = item.height;
            args.columns = {{"    Bodyshop Packages", nameColumnWidth},
                            {"Copied", copiedColumnWidth},
                            {" Created", createdColumnWidth}};
            args.reportSelection = true;  // a click on a row ticks it
            args.reportOwnChanges = false;
            args.rowHeight = listRowHeight;
            list_ = std::make_unique<ui::ListView>(window, args);
        } else if (item.kind == GadgetKind::progressBar) {
            ui::ProgressBarArgs args;
            args.id = item.id;
            args.x = item.x, args.y = item.y, args.width = item.width, args.height = item.height;
            args.coloured = true;
            args.bar = runBarColour;
            args.background = runBarBackground;
            progress_ = std::make_unique<ui::ProgressBar>(window, args);
        } else {
            window.addGadget(item, previous, lookOf(item.id));
        }
        previous = item.kind;
    }
}

void RenameWindows::addStatusBar() {
    status_ = std::make_unique<ui::StatusBar>(*rename_, renameStatusWidths(), g::statusBar);
    if (!status_->valid()) return;
    const std::vector<const char*>& labels = renameStatusLabels();
    for (size_t i = 0; i < labels.size(); ++i)
        status_->setText(int(2 * i), labels[i], ui::StatusBar::Align::right, false);
    rename_->setClientSize(renameClientWidth, renameClientHeight + status_->height());
    status_->fitToWindow();
    rename_->centreOnScreen();
}

bool RenameWindows::openRenameWindow() {
    ui::WindowArgs args;
    args.number = renameWindowNumber;
    args.title = renameWindowInitialTitle;
    args.clientWidth = renameClientWidth;
    args.clientHeight = renameClientHeight;
    args.closeBox = false;
    args.owner = owner_;
    args.helpPage = "rename-window.htm";
    rename_ = std::make_unique<ui::Window>(toolkit_, args);
    if (!rename_->valid()) {
        rename_.reset();
        return false;
    }
    modal_.emplace(owner_);
    addGadgets(*rename_, renameGadgets());
    rename_->picture(g::icon).showIcon(toolkit_.icon(picture::rename, 32));
    rename_->label(g::header).setFont(toolkit_.font(headerFont));
    rename_->button(g::copyFolderButton).setIcon(toolkit_.icon(picture::folder, 16));
    addStatusBar();
    return true;
}

void RenameWindows::openFindWindow() {
    ui::WindowArgs args;
    args.number = findWindowNumber;
    args.title = findWindowTitle;
    args.clientWidth = findClientWidth;
    args.clientHeight = findClientHeight;
    args.closeBox = false;
    args.centreOver = ui::activeWindow();
    args.owner = rename_ ? rename_->hwnd() : owner_;
    args.helpPage = "find-packages.htm";
    find_ = std::make_unique<ui::Window>(toolkit_, args);
    if (!find_->valid()) return;
    addGadgets(*find_, findGadgets());
    for (const char* choice : weekChoices()) find_->dropDown(f::weeks).addItem(choice);
    find_->label(f::loading).setFont(toolkit_.font(headerFont));
    find_->label(f::loading).show(false);
    find_->button(f::folderButton).setIcon(toolkit_.icon(picture::folder, 16));
}

void RenameWindows::closeWindows() {
    // The main window comes back first, so closing these never hands the
    // focus to some other program.
    modal_.reset();
    list_.reset();
    progress_.reset();
    status_.reset();
    find_.reset();
    rename_.reset();
}

void RenameWindows::setBusy(bool busy) {
    toolkit_.setCursor(busy ? toolkit_.waitCursor() : toolkit_.arrowCursor());
    // Show "Loading Folder Information" before the folder is read.
    if (busy && find_) find_->update();
}

void RenameWindows::showFindState(const FindWindowState& state) {
    setChecked(fw, f::savedSims, state.folder == FolderChoice::savedSims);
    setChecked(fw, f::otherFolder, state.folder == FolderChoice::other);
    setText(fw, f::folderText, state.folderText);
    if (!state.folderTip.empty()) setTip(fw, f::folderText, state.folderTip);
    setChecked(fw, f::withNumber, state.name == NameChoice::bodyshopNumber);
    setChecked(fw, f::withText, state.name == NameChoice::withText);
    setChecked(fw, f::listAll, state.name == NameChoice::all);
    setText(fw, f::searchText, state.searchText);
    setChecked(fw, f::inTheLast, state.age == AgeChoice::inTheLast);
    setChecked(fw, f::sinceLastUsed, state.age == AgeChoice::sinceLastUsed);
    setChecked(fw, f::ageAll, state.age == AgeChoice::all);
    setText(fw, f::sinceLastUsed, state.lastUsedCaption);
    selectItem(fw, f::weeks, state.weeksIndex);
}

FindChoices RenameWindows::readFindChoices() {
    FindChoices choices;
    choices.folder = isChecked(fw, f::otherFolder) ? FolderChoice::other : FolderChoice::savedSims;
    choices.name = isChecked(fw, f::withNumber) ? NameChoice::bodyshopNumber
                   : isChecked(fw, f::withText) ? NameChoice::withText
                                                : NameChoice::all;
    choices.searchText = text(fw, f::searchText);
    choices.age = isChecked(fw, f::inTheLast)       ? AgeChoice::inTheLast
                  : isChecked(fw, f::sinceLastUsed) ? AgeChoice::sinceLastUsed
                                                    : AgeChoice::all;
    choices.weeksIndex = selectedItem(fw, f::weeks);
    return choices;
}

void RenameWindows::showSearchFolder(const std::string& shown, const std::string& full) {
    setTip(fw, f::folderText, full);
    setText(fw, f::folderText, shown);
}

void RenameWindows::showFindLoading(bool loading) {
    if (loading) {
        showGadget(fw, f::ok, false);
        showGadget(fw, f::cancel, false);
        setText(fw, f::loading, "Loading Folder Information");
        showGadget(fw, f::loading, true);
    } else {
        showGadget(fw, f::loading, false);
        showGadget(fw, f::ok, true);
        showGadget(fw, f::cancel, true);
    }
}

void RenameWindows::setKeyButtons(int window, int enter, int escape) {
    if (ui::Window* w = find(window)) w->setKeyButtons(enter, escape);
}

void RenameWindows::setText(int window, int gadget, const std::string& text) {
    // Text put back into a box the user types in keeps the caret at its end.
    if (ui::Window* w = find(window)) w->edit(gadget).setText(text);
}

// A search can list thousands of packages: the list makes room for them
// first and draws once, after the last one.
void RenameWindows::addRows(const std::vector<PackageRow>& rows) {
    if (!list_ || rows.empty()) return;
    list_->setRedraw(false);
    list_->reserveRows(list_->rowCount() + int(rows.size()));
    for (const PackageRow& row : rows) {
        const int index = list_->addRow({row.name, row.copyMark, row.created});
        if (index < 0) continue;
        list_->setTextColour(index, 0, row.nameColour);
        list_->setTextColour(index, 1, row.copyMarkColour);
        if (row.state != 0) list_->setState(index, row.state);
    }
    list_->setRedraw(true);
}

void RenameWindows::showRow(size_t index, const PackageRow& row) {
    if (!list_) return;
    const int i = int(index);
    if (list_->text(i, 0) != row.name) list_->setText(i, 0, row.name);
    if (list_->text(i, 1) != row.copyMark) list_->setText(i, 1, row.copyMark);
    if (list_->text(i, 2) != row.created) list_->setText(i, 2, row.created);
    list_->setTextColour(i, 0, row.nameColour);
    list_->setTextColour(i, 1, row.copyMarkColour);
    list_->setState(i, row.state);
}

Event RenameWindows::waitEvent() {
    if (!rename_ || !rename_->exists() || toolkit_.quitting()) return {};
    Event event = toolkit_.waitEvent(rename_->hwnd());
    if (!rename_->exists() || toolkit_.quitting()) return {};
    return event;
}

// Takes what is pending, message by message, until an event comes or
// nothing is left; paint messages go through too, so the window keeps up.
Event RenameWindows::pollEvent() {
    for (int messages = 0; messages < 1000; ++messages) {
        Event event = toolkit_.pollEvent();
        if (event.kind == EventKind::quit) return {};
        if (event.kind != EventKind::none) return event;
        if (!toolkit_.messagesPending()) return {};
    }
    return {};
}

}  // namespace

std::unique_ptr<RenameScreen> makeRenameWindows(ui::Toolkit& toolkit, HWND owner) {
    return std::make_unique<RenameWindows>(toolkit, owner);
}

void runRenameWindows(App& app, ui::Toolkit& toolkit, HWND owner, RenameSession& session) {
    RenameWindows screen(toolkit, owner);
    RenameFlow flow(app, screen, session);
    flow.run();
}

}  // namespace seamster
