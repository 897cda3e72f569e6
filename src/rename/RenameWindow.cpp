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

constexpr Colour runBarColour = rgbColour(0, 204, 51);
constexpr Colour runBarBackground = rgbColour(0, 102, 51);
constexpr int headerFont = ui::font::arial12;

const char* const kSearchFolderTitle = "Show Package Files Found In:";
const char* const kCopyFolderTitle = "Copy Package Files to:";

int gadgetOf(NamingBox box) {
    switch (box) {
    case NamingBox::startNumber: return g::startNumber;
    case NamingBox::inFront: return g::inFront;
    case NamingBox::inBack: return g::inBack;
    case NamingBox::oldName: return g::oldName;
    case NamingBox::newName: break;
    }
    return g::newName;
}

int gadgetOf(NamingTick tick) {
    switch (tick) {
    case NamingTick::keepNumber: return g::keep;
    case NamingTick::autoNumber: return g::autoNumber;
    case NamingTick::copyPackages: break;
    }
    return g::copyPackages;
}

int statusFieldOf(RenameCounter counter) {
    switch (counter) {
    case RenameCounter::listed: return statusListed;
    case RenameCounter::ticked: return statusTicked;
    case RenameCounter::errors: break;
    }
    return statusErrors;
}

// What an event from the toolkit means to the renaming.
RenameInput inputOf(const Event& event) {
    if (event.kind == EventKind::none) return RenameInput::none;
    if (event.kind == EventKind::close)
        return event.window == findWindowNumber     ? RenameInput::findClosed
               : event.window == renameWindowNumber ? RenameInput::renameClosed
                                                    : RenameInput::other;
    if (event.kind != EventKind::gadget) return RenameInput::other;
    if (event.window == findWindowNumber) {
        switch (event.id) {
        case f::otherFolder: return RenameInput::otherFolder;
        case f::folderButton: return RenameInput::searchFolderButton;
        case f::ok: return RenameInput::search;
        case f::cancel: return RenameInput::cancelSearch;
        default: return RenameInput::other;
        }
    }
    if (event.window != renameWindowNumber) return RenameInput::other;
    switch (event.id) {
    case g::list: return RenameInput::rowClicked;
    case g::copyPackages: return RenameInput::copyPackages;
    case g::copyFolderButton: return RenameInput::copyFolderButton;
    case g::selectAll: return RenameInput::selectAll;
    case g::selectNone: return RenameInput::selectNone;
    case g::done: return RenameInput::done;
    case g::rename: return RenameInput::rename;
    case g::autoRename: return RenameInput::autoRename;
    case g::undo: return RenameInput::undo;
    default: return RenameInput::edited;
    }
}

// The two windows of the package renaming over the toolkit.
class RenameWindows final : public RenameScreen {
public:
    RenameWindows(ui::Toolkit& toolkit, ui::Owner owner) : toolkit_(toolkit), owner_(owner) {}
    ~RenameWindows() override { closeWindows(); }

    bool openRenameWindow() override;
    void openFindWindow() override;
    void closeWindows() override;

    void showFindWindow() override;
    void showListWindow(const std::string& title) override;
    void setBusy(bool busy) override;

    void showFindState(const FindWindowState& state) override;
    FindChoices readFindChoices() override;
    void showSearchFolder(const std::string& shown, const std::string& full) override;
    void showFindLoading(bool loading) override;

    std::string boxText(NamingBox box) override {
        return rename_ ? rename_->control(gadgetOf(box)).text() : std::string();
    }
    void setBoxText(NamingBox box, const std::string& text) override {
        // Text put back into a box the user types in keeps the caret at its end.
        if (rename_) rename_->edit(gadgetOf(box)).setText(text);
    }
    bool isTicked(NamingTick tick) override {
        return rename_ && rename_->checkBox(gadgetOf(tick)).isChecked();
    }
    void setTicked(NamingTick tick, bool ticked) override;
    void showCopyFolder(const std::string& shown, const std::string& full) override;

    void showOptionsFace(bool undoOffered) override;
    void showRunFace(const std::string& caption) override;
    void showRunProgress(const std::string& caption, int percent) override;
    void showAutomaticRunning() override;
    void showUndo(bool offered) override {
        if (rename_) rename_->control(g::undo).show(offered);
    }
    void showCounter(RenameCounter counter, const std::string& text) override {
        if (status_) status_->setText(statusFieldOf(counter), text);
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
    void fitNameColumn(bool listScrolls) override {
        if (list_)
            list_->setColumnWidth(
                0, listScrolls ? nameColumnWidth - toolkit_.scrollBarWidth() : nameColumnWidth);
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

    RenameInput waitInput() override;
    RenameInput pollInput() override;
    void flushInput() override { toolkit_.flushEvents(); }
    void pause(int milliseconds) override { ui::sleep(milliseconds); }

    std::string pickSearchFolder(const std::string& start) override {
        return ui::pickFolder(find_ ? ui::Owner(*find_) : ui::Owner(), kSearchFolderTitle, start);
    }
    std::string pickCopyFolder(const std::string& start) override {
        return ui::pickFolder(rename_ ? ui::Owner(*rename_) : ui::Owner(), kCopyFolderTitle, start);
    }

private:
    void addStatusBar();
    // The Find Package Options window's gadgets.
    void setFindText(int gadget, const std::string& text) { find_->edit(gadget).setText(text); }
    void setFindChecked(int gadget, bool checked) { find_->checkBox(gadget).setChecked(checked); }
    bool isFindChecked(int gadget) const { return find_->checkBox(gadget).isChecked(); }
    void showFindGadget(int gadget, bool shown) { find_->control(gadget).show(shown); }
    // The rename window's buttons that change between its faces.
    void showButtons(const char* rename, const char* done);
    void showGadgets(const std::vector<int>& gadgets, bool shown);

    ui::Toolkit& toolkit_;
    ui::Owner owner_;
    std::optional<ui::ModalScope> modal_;
    std::unique_ptr<ui::Window> rename_;
    std::unique_ptr<ui::Window> find_;
    // Kept by the rename window.
    ui::ListView* list_ = nullptr;
    ui::ProgressBar* progress_ = nullptr;
    std::unique_ptr<ui::StatusBar> status_;
};

// The package list and the run's progress bar, beyond their places.
ui::GadgetSettings renameListSettings() {
    ui::GadgetSettings settings;
    ui::ListViewArgs& list = settings.lists[g::list];
    list.columns = {{"    Bodyshop Packages", nameColumnWidth},
                    {"Copied", copiedColumnWidth},
                    {" Created", createdColumnWidth}};
    list.reportSelection = true;  // a click on a row ticks it
    list.reportOwnChanges = false;
    list.rowHeight = listRowHeight;
    ui::ProgressBarArgs& bar = settings.bars[g::progress];
    bar.coloured = true;
    bar.bar = runBarColour;
    bar.background = runBarBackground;
    return settings;
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
    rename_->addGadgets(renameGadgets(), renameListSettings());
    list_ = rename_->listView(g::list);
    progress_ = rename_->progressBar(g::progress);
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
    args.owner = rename_ ? ui::Owner(*rename_) : owner_;
    args.helpPage = "find-packages.htm";
    find_ = std::make_unique<ui::Window>(toolkit_, args);
    if (!find_->valid()) return;
    find_->addGadgets(findGadgets());
    for (const char* choice : weekChoices()) find_->dropDown(f::weeks).addItem(choice);
    find_->label(f::loading).setFont(toolkit_.font(headerFont));
    find_->label(f::loading).show(false);
    find_->button(f::folderButton).setIcon(toolkit_.icon(picture::folder, 16));
}

void RenameWindows::closeWindows() {
    // The main window comes back first, so closing these never hands the
    // focus to some other program.
    modal_.reset();
    list_ = nullptr;
    progress_ = nullptr;
    status_.reset();
    find_.reset();
    rename_.reset();
}

void RenameWindows::setBusy(bool busy) {
    toolkit_.setCursor(busy ? toolkit_.waitCursor() : toolkit_.arrowCursor());
    // Show "Loading Folder Information" before the folder is read.
    if (busy && find_) find_->update();
}

void RenameWindows::showFindWindow() {
    if (!find_ || !rename_) return;
    find_->show(true);
    rename_->setEnabled(false);
    find_->activate();
}

void RenameWindows::showListWindow(const std::string& title) {
    if (!find_ || !rename_) return;
    rename_->show(true);
    rename_->setEnabled(true);
    find_->show(false);
    rename_->activate();
    rename_->setTitle(title);
    rename_->label(g::header).setText(kPackageListHeaderText);
}

void RenameWindows::showFindState(const FindWindowState& state) {
    if (!find_) return;
    setFindChecked(f::savedSims, state.folder == FolderChoice::savedSims);
    setFindChecked(f::otherFolder, state.folder == FolderChoice::other);
    setFindText(f::folderText, state.folderText);
    if (!state.folderTip.empty()) find_->control(f::folderText).setTip(state.folderTip);
    setFindChecked(f::withNumber, state.name == NameChoice::bodyshopNumber);
    setFindChecked(f::withText, state.name == NameChoice::withText);
    setFindChecked(f::listAll, state.name == NameChoice::all);
    setFindText(f::searchText, state.searchText);
    setFindChecked(f::inTheLast, state.age == AgeChoice::inTheLast);
    setFindChecked(f::sinceLastUsed, state.age == AgeChoice::sinceLastUsed);
    setFindChecked(f::ageAll, state.age == AgeChoice::all);
    find_->control(f::sinceLastUsed).setText(state.lastUsedCaption);
    find_->dropDown(f::weeks).select(state.weeksIndex);
}

FindChoices RenameWindows::readFindChoices() {
    FindChoices choices;
    if (!find_) return choices;
    choices.folder = isFindChecked(f::otherFolder) ? FolderChoice::other : FolderChoice::savedSims;
    choices.name = isFindChecked(f::withNumber) ? NameChoice::bodyshopNumber
                   : isFindChecked(f::withText) ? NameChoice::withText
                                                : NameChoice::all;
    choices.searchText = find_->control(f::searchText).text();
    choices.age = isFindChecked(f::inTheLast)       ? AgeChoice::inTheLast
                  : isFindChecked(f::sinceLastUsed) ? AgeChoice::sinceLastUsed
                                                    : AgeChoice::all;
    choices.weeksIndex = find_->dropDown(f::weeks).selected();
    return choices;
}

void RenameWindows::showSearchFolder(const std::string& shown, const std::string& full) {
    if (!find_) return;
    find_->control(f::folderText).setTip(full);
    setFindText(f::folderText, shown);
}

void RenameWindows::showFindLoading(bool loading) {
    if (!find_) return;
    if (loading) {
        showFindGadget(f::ok, false);
        showFindGadget(f::cancel, false);
        find_->label(f::loading).setText("Loading Folder Information");
        showFindGadget(f::loading, true);
    } else {
        showFindGadget(f::loading, false);
        showFindGadget(f::ok, true);
        showFindGadget(f::cancel, true);
    }
}

void RenameWindows::setTicked(NamingTick tick, bool ticked) {
    if (!rename_) return;
    rename_->checkBox(gadgetOf(tick)).setChecked(ticked);
    // "Keep" and "Remove" are one choice.
    if (tick == NamingTick::keepNumber) rename_->checkBox(g::remove).setChecked(!ticked);
}

void RenameWindows::showCopyFolder(const std::string& shown, const std::string& full) {
    if (!rename_) return;
    rename_->edit(g::copyFolderText).setText(shown);
    if (!full.empty()) rename_->control(g::copyFolderText).setTip(full);
}

void RenameWindows::showButtons(const char* rename, const char* done) {
    rename_->button(g::done).setText(done);
    rename_->button(g::rename).setText(rename);
}

void RenameWindows::showGadgets(const std::vector<int>& gadgets, bool shown) {
    for (int id : gadgets) rename_->control(id).show(shown);
}

void RenameWindows::showOptionsFace(bool undoOffered) {
    if (!rename_) return;
    rename_->frame(g::optionsFrame).setText(kRenamingOptionsCaption);
    rename_->button(g::done).setText("Done");
    rename_->setKeyButtons(g::done, 0);
    rename_->control(g::rename).enable(true);
    rename_->button(g::rename).setText("Rename");
    showGadgets(renameRunGadgets(), false);
    showGadgets(renameOptionGadgets(), true);
    showUndo(undoOffered);
    rename_->control(g::selectNone).enable(true);
    rename_->control(g::selectAll).enable(true);
}

void RenameWindows::showRunFace(const std::string& caption) {
    if (!rename_) return;
    rename_->frame(g::optionsFrame).setText(caption);
    showButtons("OK", "Cancel");
    rename_->setKeyButtons(g::rename, g::done);
    showGadgets(renameOptionGadgets(), false);
    showUndo(false);
    rename_->control(g::selectNone).enable(false);
    rename_->control(g::selectAll).enable(false);
    showGadgets(renameRunGadgets(), true);
    if (progress_) progress_->setValue(0);
}

void RenameWindows::showRunProgress(const std::string& caption, int percent) {
    if (!rename_) return;
    rename_->frame(g::optionsFrame).setText(caption);
    if (progress_) progress_->setValue(percent);
}

void RenameWindows::showAutomaticRunning() {
    if (!rename_) return;
    setBoxText(NamingBox::newName, "");
    rename_->control(g::rename).enable(false);
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

RenameInput RenameWindows::waitInput() {
    if (!rename_ || !rename_->exists() || toolkit_.quitting()) return RenameInput::none;
    const Event event = toolkit_.waitEvent(rename_->hwnd());
    if (!rename_->exists() || toolkit_.quitting()) return RenameInput::none;
    return inputOf(event);
}

// Takes what is pending, message by message, until an event comes or
// nothing is left; paint messages go through too, so the window keeps up.
RenameInput RenameWindows::pollInput() {
    for (int messages = 0; messages < 1000; ++messages) {
        const Event event = toolkit_.pollEvent();
        if (event.kind == EventKind::quit) return RenameInput::none;
        if (event.kind != EventKind::none) return inputOf(event);
        if (!toolkit_.messagesPending()) return RenameInput::none;
    }
    return RenameInput::none;
}

}  // namespace

std::unique_ptr<RenameScreen> makeRenameWindows(ui::Toolkit& toolkit, ui::Owner owner) {
    return std::make_unique<RenameWindows>(toolkit, owner);
}

void runRenameWindows(App& app, ui::Toolkit& toolkit, ui::Owner owner, RenameSession& session) {
    RenameWindows screen(toolkit, owner);
    RenameFlow flow(app, screen, session);
    flow.run();
}

}  // namespace seamster
