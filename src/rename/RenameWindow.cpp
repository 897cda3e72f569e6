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
#include "ui/StatusBar.h"
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

// The rename window's gadgets the renaming changes, each as the kind it is;
// empty views until the window has them.
struct RenameGadgetViews {
    ui::Picture icon;
    ui::Text header;
    ui::Frame optionsFrame;
    ui::Button done, rename, selectAll, selectNone, undo, copyFolderButton;
    ui::CheckBox copyPackages;
    ui::Edit oldName, newName, copyFolder;
    // The naming options' gadgets, in the layout's order.
    struct NamingOption {
        const NamingOptionGadget* layout;
        ui::Edit box;
        ui::CheckBox tick;
        ui::Option otherChoice;
    };
    std::vector<NamingOption> naming;
    // Shown outside a run, and the ones that take their places during it.
    std::vector<ui::Control> options, run;

    RenameGadgetViews() = default;
    explicit RenameGadgetViews(ui::Window& window) {
        icon = window.picture(g::icon);
        header = window.label(g::header);
        optionsFrame = window.frame(g::optionsFrame);
        done = window.button(g::done);
        rename = window.button(g::rename);
        selectAll = window.button(g::selectAll);
        selectNone = window.button(g::selectNone);
        undo = window.button(g::undo);
        copyFolderButton = window.button(g::copyFolderButton);
        copyPackages = window.checkBox(g::copyPackages);
        oldName = window.edit(g::oldName);
        newName = window.edit(g::newName);
        copyFolder = window.edit(g::copyFolderText);
        for (const NamingOptionGadget& option : namingOptionGadgets())
            naming.push_back({&option, window.edit(option.gadget), window.checkBox(option.gadget),
                              window.option(option.otherChoice)});
        for (int id : renameOptionGadgets()) options.push_back(window.control(id));
        for (int id : renameRunGadgets()) run.push_back(window.control(id));
    }

    ui::Edit& box(NamingBox which) { return which == NamingBox::oldName ? oldName : newName; }
    // Text put back into a box the user types in keeps the caret at its end.
    void showNaming(const NamingSettings& settings) const {
        for (const NamingOption& option : naming) {
            if (const auto text = option.layout->text; text && option.box.text() != settings.*text)
                option.box.setText(settings.*text);
            if (const auto tick = option.layout->tick) {
                option.tick.setChecked(settings.*tick != 0);
                option.otherChoice.setChecked(settings.*tick == 0);
            }
        }
    }
    void readNaming(NamingSettings& settings) const {
        for (const NamingOption& option : naming) {
            if (const auto text = option.layout->text) settings.*text = option.box.text();
            if (const auto tick = option.layout->tick)
                settings.*tick = option.tick.isChecked() ? 1 : 0;
        }
    }
};

// And the Find Package Options window's.
struct FindGadgetViews {
    ui::Option savedSims, otherFolder, withNumber, withText, listAll, inTheLast, sinceLastUsed,
        ageAll;
    ui::Edit folderText, searchText;
    ui::Button folderButton, ok, cancel;
    ui::DropDown weeks;
    ui::Text loading;

    FindGadgetViews() = default;
    explicit FindGadgetViews(ui::Window& window) {
        savedSims = window.option(f::savedSims);
        otherFolder = window.option(f::otherFolder);
        withNumber = window.option(f::withNumber);
        withText = window.option(f::withText);
        listAll = window.option(f::listAll);
        inTheLast = window.option(f::inTheLast);
        sinceLastUsed = window.option(f::sinceLastUsed);
        ageAll = window.option(f::ageAll);
        folderText = window.edit(f::folderText);
        searchText = window.edit(f::searchText);
        folderButton = window.button(f::folderButton);
        ok = window.button(f::ok);
        cancel = window.button(f::cancel);
        weeks = window.dropDown(f::weeks);
        loading = window.label(f::loading);
    }
};

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

    void showNaming(const NamingSettings& naming) override { gadgets_.showNaming(naming); }
    void readNaming(NamingSettings& naming) override { gadgets_.readNaming(naming); }
    bool copyTicked() override { return gadgets_.copyPackages.isChecked(); }
    void setCopyTicked(bool ticked) override { gadgets_.copyPackages.setChecked(ticked); }
    std::string boxText(NamingBox box) override { return gadgets_.box(box).text(); }
    void setBoxText(NamingBox box, const std::string& text) override {
        gadgets_.box(box).setText(text);
    }
    void showCopyFolder(const std::string& shown, const std::string& full) override;

    void showOptionsFace(bool undoOffered) override;
    void showRunFace(const std::string& caption) override;
    void showRunProgress(const std::string& caption, int percent) override;
    void showAutomaticRunning() override;
    void showUndo(bool offered) override { gadgets_.undo.show(offered); }
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
    static void showGadgets(const std::vector<ui::Control>& gadgets, bool shown);

    ui::Toolkit& toolkit_;
    ui::Owner owner_;
    std::optional<ui::ModalScope> modal_;
    std::unique_ptr<ui::Window> rename_;
    std::unique_ptr<ui::Window> find_;
    RenameGadgetViews gadgets_;
    FindGadgetViews findGadgets_;
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
    gadgets_ = RenameGadgetViews(*rename_);
    list_ = rename_->listView(g::list);
    progress_ = rename_->progressBar(g::progress);
    gadgets_.icon.showIcon(toolkit_.icon(picture::rename, 32));
    gadgets_.header.setFont(toolkit_.font(headerFont));
    gadgets_.copyFolderButton.setIcon(toolkit_.icon(picture::folder, 16));
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
    FindGadgetViews& find = findGadgets_ = FindGadgetViews(*find_);
    for (const char* choice : weekChoices()) find.weeks.addItem(choice);
    find.loading.setFont(toolkit_.font(headerFont));
    find.loading.show(false);
    find.folderButton.setIcon(toolkit_.icon(picture::folder, 16));
}

void RenameWindows::closeWindows() {
    // The main window comes back first, so closing these never hands the
    // focus to some other program.
    modal_.reset();
    list_ = nullptr;
    progress_ = nullptr;
    gadgets_ = {};
    findGadgets_ = {};
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
    gadgets_.header.setText(kPackageListHeaderText);
}

void RenameWindows::showFindState(const FindWindowState& state) {
    FindGadgetViews& find = findGadgets_;
    find.savedSims.setChecked(state.folder == FolderChoice::savedSims);
    find.otherFolder.setChecked(state.folder == FolderChoice::other);
    find.folderText.setText(state.folderText);
    if (!state.folderTip.empty()) find.folderText.setTip(state.folderTip);
    find.withNumber.setChecked(state.name == NameChoice::bodyshopNumber);
    find.withText.setChecked(state.name == NameChoice::withText);
    find.listAll.setChecked(state.name == NameChoice::all);
    find.searchText.setText(state.searchText);
    find.inTheLast.setChecked(state.age == AgeChoice::inTheLast);
    find.sinceLastUsed.setChecked(state.age == AgeChoice::sinceLastUsed);
    find.ageAll.setChecked(state.age == AgeChoice::all);
    find.sinceLastUsed.setText(state.lastUsedCaption);
    find.weeks.select(state.weeksIndex);
}

FindChoices RenameWindows::readFindChoices() {
    const FindGadgetViews& find = findGadgets_;
    FindChoices choices;
    choices.folder = find.otherFolder.isChecked() ? FolderChoice::other : FolderChoice::savedSims;
    choices.name = find.withNumber.isChecked() ? NameChoice::bodyshopNumber
                   : find.withText.isChecked() ? NameChoice::withText
                                               : NameChoice::all;
    choices.searchText = find.searchText.text();
    choices.age = find.inTheLast.isChecked()       ? AgeChoice::inTheLast
                  : find.sinceLastUsed.isChecked() ? AgeChoice::sinceLastUsed
                                                   : AgeChoice::all;
    choices.weeksIndex = find.weeks.selected();
    return choices;
}

void RenameWindows::showSearchFolder(const std::string& shown, const std::string& full) {
    findGadgets_.folderText.setTip(full);
    findGadgets_.folderText.setText(shown);
}

void RenameWindows::showFindLoading(bool loading) {
    FindGadgetViews& find = findGadgets_;
    if (loading) {
        find.ok.show(false);
        find.cancel.show(false);
        find.loading.setText("Loading Folder Information");
        find.loading.show(true);
    } else {
        find.loading.show(false);
        find.ok.show(true);
        find.cancel.show(true);
    }
}

void RenameWindows::showCopyFolder(const std::string& shown, const std::string& full) {
    gadgets_.copyFolder.setText(shown);
    if (!full.empty()) gadgets_.copyFolder.setTip(full);
}

void RenameWindows::showGadgets(const std::vector<ui::Control>& gadgets, bool shown) {
    for (const ui::Control& gadget : gadgets) gadget.show(shown);
}

void RenameWindows::showOptionsFace(bool undoOffered) {
    if (!rename_) return;
    gadgets_.optionsFrame.setText(kRenamingOptionsCaption);
    gadgets_.done.setText("Done");
    rename_->setKeyButtons(g::done, 0);
    gadgets_.rename.enable(true);
    gadgets_.rename.setText("Rename");
    showGadgets(gadgets_.run, false);
    showGadgets(gadgets_.options, true);
    showUndo(undoOffered);
    gadgets_.selectNone.enable(true);
    gadgets_.selectAll.enable(true);
}

void RenameWindows::showRunFace(const std::string& caption) {
    if (!rename_) return;
    gadgets_.optionsFrame.setText(caption);
    gadgets_.done.setText("Cancel");
    gadgets_.rename.setText("OK");
    rename_->setKeyButtons(g::rename, g::done);
    showGadgets(gadgets_.options, false);
    showUndo(false);
    gadgets_.selectNone.enable(false);
    gadgets_.selectAll.enable(false);
    showGadgets(gadgets_.run, true);
    if (progress_) progress_->setValue(0);
}

void RenameWindows::showRunProgress(const std::string& caption, int percent) {
    gadgets_.optionsFrame.setText(caption);
    if (progress_) progress_->setValue(percent);
}

void RenameWindows::showAutomaticRunning() {
    gadgets_.newName.setText("");
    gadgets_.rename.enable(false);
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
